#include "linefinder.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "config/cityeditor.h"
#include "ui/look.h"

using look::twipsRect;

LineFinder::LineFinder(QWidget* panel) : Frame(panel, QStringLiteral("CadreAller"), false)
{
    // Under the editor's last lines, left of "OK", where the panel is bare.
    setGeometry(twipsRect(5325, 7140, 4275, 330));
    auto* caption = new Label(this, QStringLiteral("LabelAller"));
    caption->setFont(look::defaultFont());
    caption->setGeometry(twipsRect(0, 60, 1605, 270));
    caption->setTextColor(look::kBlack);
    caption->setCaption(QStringLiteral("Aller à la ville…"));
    caption->setHorizontalAlignment(Qt::AlignRight);
    caption->setSpoken(false); // the box's own name says it
    m_box = makeTextBox(this, QStringLiteral("AllerVille"), twipsRect(1680, 0, 2580, 330));
    m_box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_box->setAccessibleName(QStringLiteral("Aller à la ville"));
    m_box->installEventFilter(this);
    connect(m_box, &QLineEdit::textChanged, this, &LineFinder::textChanged);
    hide();
}

void LineFinder::open(const QString& typed)
{
    show();
    raise();
    const bool same = m_box->text() == typed;
    m_box->setText(typed);
    m_box->setFocus(Qt::ShortcutFocusReason);
    m_box->deselect();
    m_box->end(false); // typing goes on after the letter that opened it
    if (same)
        emit textChanged(typed);
}

void LineFinder::close()
{
    if (isHidden())
        return;
    hide();
    m_box->clear();
    emit closed();
}

void LineFinder::showResult(int line, const QString& name)
{
    const QString text = m_box->text();
    const bool missing = line == 0 && !text.trimmed().isEmpty();
    markBox(m_box, missing, missing ? QStringLiteral("Aucune ville pour « %1 »").arg(text) : QString());
    if (line != 0)
        m_box->setAccessibleDescription(name.trimmed().isEmpty() ? QStringLiteral("Ligne %1").arg(line)
                                                                 : QStringLiteral("Ligne %1, %2").arg(line).arg(name));
    else if (!missing)
        m_box->setAccessibleDescription(QString());
}

bool LineFinder::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_box)
        return Frame::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (!key->isAutoRepeat())
                emit accepted();
            return true;
        case Qt::Key_Escape:
            if (!key->isAutoRepeat())
                emit cancelled();
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            close();
    }
    return Frame::eventFilter(watched, event);
}
