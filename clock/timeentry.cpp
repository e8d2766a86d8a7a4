#include "timeentry.h"

#include <QApplication>
#include <QKeyEvent>

#include "rows/showninstant.h"
#include "ui/controls.h"
#include "ui/look.h"

namespace {
// Room for "15 h 30" in the time label's font; the hint's width before it wraps.
constexpr int kBoxWidth = 76, kBoxHeight = 24, kHintWidth = 230;
} // namespace

TimeEntry::TimeEntry(QWidget* window) : QLineEdit(window), m_hint(new Label(window, QStringLiteral("AideHeure")))
{
    setObjectName(QStringLiteral("SaisieHeure"));
    setFont(look::sans(16, true));
    setAlignment(Qt::AlignCenter);
    setFrame(false);
    setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #000000; padding: 0px; background: #ffffff; }"));
    setAttribute(Qt::WA_NoMousePropagation);
    setMaxLength(32);
    m_hint->setFont(look::sans(11));
    m_hint->setTextColor(look::kMaroon);
    m_hint->setBoxed(look::kWhite);
    m_hint->setMargin(3);
    m_hint->hide();
    hide();
}

void TimeEntry::open(int row, const QString& city, const QRect& label, const QString& text)
{
    m_row = row;
    QWidget* window = parentWidget();
    if (QWidget* focus = QApplication::focusWidget(); focus != this)
        m_returnTo = focus && focus->window() == window->window() ? focus : window;
    QRect box(0, 0, kBoxWidth, kBoxHeight);
    box.moveCenter(label.center());
    // Inside the window, whatever the column.
    box.moveLeft(qBound(0, box.left(), window->width() - kBoxWidth));
    setGeometry(box);
    setAccessibleName(QStringLiteral("Heure à ") + spokenName(city));
    setText(text);
    selectAll();
    m_hint->hide();
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void TimeEntry::cancel()
{
    if (!isVisible())
        return;
    // The keys go back as the keyboard moves the focus, so that the window shows they are on the clocks.
    (m_returnTo ? m_returnTo.data() : parentWidget())->setFocus(Qt::TabFocusReason);
    hideAll();
}

void TimeEntry::hideAll()
{
    m_row = -1;
    m_hint->hide();
    hide();
}

void TimeEntry::enter()
{
    const TypedTime typed = readTypedTime(text());
    if (typed.time.isValid()) {
        const int row = m_row;
        cancel();
        emit timeTyped(row, typed.time);
        return;
    }
    // The hint under the box, or above it on the last line of clocks.
    m_hint->setCaption(typed.hint);
    const int frame = 2 * (m_hint->margin() + m_hint->frameWidth());
    const int width = qMin(kHintWidth, m_hint->fontMetrics().horizontalAdvance(typed.hint) + frame + 1);
    m_hint->setFixedSize(width, m_hint->heightForWidth(width));
    const QWidget* window = parentWidget();
    QPoint place(qBound(0, geometry().center().x() - width / 2, window->width() - width), geometry().bottom() + 2);
    if (place.y() + m_hint->height() > window->height())
        place.setY(geometry().top() - 2 - m_hint->height());
    m_hint->move(place);
    m_hint->show();
    m_hint->raise();
    selectAll();
}

void TimeEntry::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter held down since it opened the box types nothing.
        if (!event->isAutoRepeat())
            enter();
        return;
    case Qt::Key_Escape:
        cancel();
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return; // not for the clocks while a time is typed
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void TimeEntry::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Its own context menu takes the focus for a moment; anything else ends the typing, and the focus stays
    // where it went.
    if (event->reason() != Qt::PopupFocusReason && isVisible())
        hideAll();
}
