#include "controls.h"

#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <functional>
#include <utility>

#include "rows/geometry.h"
#include "ui/fitting.h"
#include "ui/look.h"

namespace {

// A key as a button takes it: Enter presses it at once; Space once it is released, as the desktop's buttons
// do, so that a Space held down types nothing into what the button opens; a key held down presses it once.
// False for any other key.
bool pressAsButton(QKeyEvent* event, bool& spacePressed, const std::function<void()>& press)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            press();
        return true;
    case Qt::Key_Space:
        spacePressed = spacePressed || !event->isAutoRepeat();
        return true;
    default:
        return false;
    }
}

// Its release: true when it pressed the button.
bool releaseAsButton(QKeyEvent* event, bool& spacePressed)
{
    return event->key() == Qt::Key_Space && !event->isAutoRepeat() && std::exchange(spacePressed, false);
}

void swallowMouse(QWidget* widget)
{
    widget->setAttribute(Qt::WA_NoMousePropagation);
    widget->setMouseTracking(true);
}

// A release of the left button over the control completes a click.
bool releasedOver(const QWidget* widget, QMouseEvent* event)
{
    event->accept();
    return event->button() == Qt::LeftButton && widget->rect().contains(event->position().toPoint());
}

// The right button asks for the menu, and presses nothing.
bool isPress(const QMouseEvent* event)
{
    return event->button() != Qt::RightButton;
}

// A picture as screen readers see it: its role and name, and a press when it is a button.
class AccessiblePicture : public QAccessibleWidget
{
public:
    explicit AccessiblePicture(Picture* picture) : QAccessibleWidget(picture) {}

    QAccessible::Role role() const override { return static_cast<const Picture*>(object())->accessibleRole(); }
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (role() == QAccessible::Button)
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& name) override
    {
        if (role() == QAccessible::Button && name == pressAction())
            static_cast<Picture*>(widget())->click();
        else
            QAccessibleWidget::doAction(name);
    }
};

// A label as screen readers see it: its whole text, or nothing when it is not spoken; a link they can press.
// Its interface is made as soon as the label is, so it reads the label's state each time it is asked.
class AccessibleLabel : public QAccessibleWidget
{
public:
    explicit AccessibleLabel(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::Role role() const override { return label()->isLink() ? QAccessible::Link : QAccessible::StaticText; }
    QString text(QAccessible::Text kind) const override
    {
        const QString text = QAccessibleWidget::text(kind);
        return kind == QAccessible::Name && text.isEmpty() ? label()->caption() : text;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = state.invisible || !label()->isSpoken();
        return state;
    }
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (label()->isLink())
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& name) override
    {
        if (label()->isLink() && name == pressAction())
            // Once the reader's call has returned, as a button's press: what the link opens may take a while.
            QMetaObject::invokeMethod(const_cast<Label*>(label()), &Label::clicked, Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(name);
    }

private:
    const Label* label() const { return static_cast<const Label*>(object()); }
};

QAccessibleInterface* accessibleControl(const QString& className, QObject* object)
{
    if (className == QLatin1String("Picture"))
        return new AccessiblePicture(static_cast<Picture*>(object));
    if (className == QLatin1String("Label"))
        return new AccessibleLabel(static_cast<Label*>(object));
    return nullptr; // Qt's own
}

void installAccessibleControls()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleControl);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

void passMenuRequestOn(QWidget* control, QContextMenuEvent* event)
{
    QWidget* container = control->isWindow() ? nullptr : control->parentWidget();
    if (!container) {
        event->ignore();
        return;
    }
    QContextMenuEvent request(event->reason(), control->mapToParent(event->pos()), event->globalPos(),
                              event->modifiers());
    QCoreApplication::sendEvent(container, &request);
    event->setAccepted(request.isAccepted());
}

void drawFocusFrame(QPainter& painter, const QRect& frame)
{
    painter.save();
    const QRect line = frame.adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(line);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(line);
    painter.restore();
}

void setStaysOnTop(QWidget* window, bool onTop)
{
    const Qt::WindowFlags flags = window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop);
    QWindow* handle = window->windowHandle();
    if (!handle || !window->testAttribute(Qt::WA_WState_Created)) {
        window->setWindowFlags(flags); // nothing made yet, nothing made again
        return;
    }
    // The window system's window as it is: QWidget::setWindowFlags would make another one, hidden, and show it
    // again, which screen readers hear as a window closed and a new one opened.
    window->overrideWindowFlags(flags);
    handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    QRect frame(QPoint(), window->size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QWidget* nextTabStop(QWidget* from, bool next, const std::function<bool(const QWidget*)>& accepts)
{
    // Qt's chain of the window's controls is a ring; the bound only guards against one that is not.
    constexpr int kMostControls = 100000;
    QWidget* control = from;
    for (int i = 0; i < kMostControls; ++i) {
        control = next ? control->nextInFocusChain() : control->previousInFocusChain();
        if (!control || control == from)
            return nullptr;
        if (control->isVisible() && control->isEnabled() && (control->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
            accepts(control))
            return control;
    }
    return nullptr;
}

int wheelAngle(const QWheelEvent* event)
{
    const int angle = event->angleDelta().y();
    return event->inverted() ? -angle : angle;
}

Label::Label(QWidget* parent, const QString& name) : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(0);
    setIndent(0);
    swallowMouse(this);
    installAccessibleControls();
}

void Label::setCaption(const QString& text)
{
    if (text == m_caption)
        return;
    m_caption = text;
    if (m_autoSize)
        fitToText();
    else
        setText(text);
}

void Label::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    setWordWrap(!autoSize);
    if (autoSize)
        fitToText();
}

void Label::setAutoSizeLimit(int pixels)
{
    m_autoSizeLimit = pixels;
    if (m_autoSize)
        fitToText();
}

void Label::fitToText()
{
    const QFontMetrics metrics(font());
    QString shown = m_caption;
    if (m_autoSizeLimit > 0 && metrics.horizontalAdvance(shown) > m_autoSizeLimit)
        shown = metrics.elidedText(m_caption, Qt::ElideRight, m_autoSizeLimit);
    setText(shown);
    setWholeTextTip(this, shown == m_caption ? QString() : m_caption);
    resize(qMax(1, metrics.horizontalAdvance(shown)), metrics.height());
}

void Label::setTextColor(const QColor& colour)
{
    if (colour == m_textColor && m_textColor.isValid())
        return;
    m_textColor = colour;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    setPalette(palette);
}

void Label::setBold(bool bold)
{
    if (font().bold() == bold)
        return;
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

void Label::setBoxed(const QColor& background)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

void Label::setHorizontalAlignment(Qt::Alignment alignment)
{
    setAlignment(alignment | Qt::AlignTop);
}

void Label::setLink(bool link)
{
    m_link = link;
    setFocusPolicy(link ? Qt::TabFocus : Qt::NoFocus);
}

void Label::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!m_link || !hasFocus())
        return;
    // Around the text as it is drawn, within the label.
    QRect text = fontMetrics().boundingRect(contentsRect(), int(alignment()), this->text());
    text = text.adjusted(-2, -1, 2, 1) & rect();
    QPainter painter(this);
    drawFocusFrame(painter, text);
}

void Label::keyPressEvent(QKeyEvent* event)
{
    if (!m_link || !pressAsButton(event, m_spacePressed, [this] { emit clicked(); }))
        QLabel::keyPressEvent(event);
}

void Label::keyReleaseEvent(QKeyEvent* event)
{
    if (m_link && releaseAsButton(event, m_spacePressed))
        emit clicked();
    else
        QLabel::keyReleaseEvent(event);
}

void Label::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    if (m_link)
        update();
}

void Label::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    m_spacePressed = false;
    if (m_link)
        update();
}

void Label::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_autoSize)
        fitToText();
}

void Label::mouseMoveEvent(QMouseEvent*)
{
    emit mouseMoved();
}

void Label::mousePressEvent(QMouseEvent* event)
{
    if (isPress(event))
        emit pressed();
}

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    if (releasedOver(this, event))
        emit clicked();
}

void Label::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isSignalConnected(QMetaMethod::fromSignal(&Label::doubleClicked)))
        emit doubleClicked();
    else
        QLabel::mouseDoubleClickEvent(event);
}

void Label::contextMenuEvent(QContextMenuEvent* event)
{
    passMenuRequestOn(this, event);
}

void Label::wheelEvent(QWheelEvent* event)
{
    event->accept();
    emit wheelTurned(wheelAngle(event));
}

Frame::Frame(QWidget* parent, const QString& name, bool outlined) : QFrame(parent)
{
    setObjectName(name);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, look::kSilver);
    palette.setColor(QPalette::WindowText, look::kBlack);
    setPalette(palette);
    if (outlined) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    }
    swallowMouse(this);
}

void Frame::mouseMoveEvent(QMouseEvent*)
{
    emit mouseMoved();
}

void Frame::mousePressEvent(QMouseEvent* event)
{
    if (isPress(event))
        emit pressed();
}

void Frame::contextMenuEvent(QContextMenuEvent* event)
{
    passMenuRequestOn(this, event);
}

Picture::Picture(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
    swallowMouse(this);
    installAccessibleControls();
}

void Picture::setPicture(const QPixmap& picture)
{
    // The same picture assigned again costs nothing.
    if (picture.cacheKey() == m_picture.cacheKey())
        return;
    m_picture = picture;
    update();
}

void Picture::setTwipsGeometry(int left, int top, int width, int height)
{
    setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void Picture::setRim(Rim rim)
{
    if (rim == m_rim)
        return;
    m_rim = rim;
    update();
}

void Picture::setHands(const Hands& hands)
{
    if (m_handsPlaced && hands == m_hands)
        return;
    m_hands = hands;
    m_handsPlaced = true;
    update();
}

void Picture::setHandColours(const QColor& minute, const QColor& hour)
{
    if (minute == m_minuteColour && hour == m_hourColour)
        return;
    m_minuteColour = minute;
    m_hourColour = hour;
    update();
}

void Picture::setAccessibleRole(QAccessible::Role role)
{
    m_accessibleRole = role;
    setFocusPolicy(role == QAccessible::Button ? Qt::TabFocus : Qt::NoFocus);
}

void Picture::setFocusFrame(const QColor& colour, int inset)
{
    m_focusColour = colour;
    m_focusInset = inset;
    update();
}

void Picture::click()
{
    QMetaObject::invokeMethod(this, &Picture::clicked, Qt::QueuedConnection);
}

void Picture::keyPressEvent(QKeyEvent* event)
{
    if (m_accessibleRole != QAccessible::Button || !pressAsButton(event, m_spacePressed, [this] { emit clicked(); }))
        QWidget::keyPressEvent(event);
}

void Picture::keyReleaseEvent(QKeyEvent* event)
{
    if (m_accessibleRole == QAccessible::Button && releaseAsButton(event, m_spacePressed))
        emit clicked();
    else
        QWidget::keyReleaseEvent(event);
}

void Picture::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
    emit focusChanged(true);
}

void Picture::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_spacePressed = false;
    update();
    emit focusChanged(false);
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    if (hasFocus()) { // as the window shows that it has the keys: a dotted frame
        painter.setPen(QPen(m_focusColour, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(m_focusInset, m_focusInset, -m_focusInset - 1, -m_focusInset - 1));
    }
    if (m_rim != Rim::None) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(
            QPen(look::kYellow, m_rim == Rim::Solid ? 3 : 2, m_rim == Rim::Solid ? Qt::SolidLine : Qt::DotLine));
        painter.drawEllipse(QRectF(rect()).adjusted(2, 2, -2, -2));
        painter.restore();
    }
    if (!m_handsPlaced)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(QRectF(rect()).center());
    auto draw = [&painter](double angle, double length, const QColor& colour) {
        painter.setPen(QPen(colour, kHandWidth, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(), handEnd(angle, length) / kTwipsPerPixel);
    };
    draw(m_hands.hour, kHourHandLength, m_hourColour);
    draw(m_hands.minute, kMinuteHandLength, m_minuteColour);
}

void Picture::mouseMoveEvent(QMouseEvent*)
{
    emit mouseMoved();
}

void Picture::mousePressEvent(QMouseEvent* event)
{
    if (isPress(event))
        emit pressed();
}

void Picture::mouseReleaseEvent(QMouseEvent* event)
{
    if (releasedOver(this, event))
        emit clicked();
}

void Picture::wheelEvent(QWheelEvent* event)
{
    event->accept();
    emit wheelTurned(wheelAngle(event));
}

void Picture::contextMenuEvent(QContextMenuEvent* event)
{
    passMenuRequestOn(this, event);
}
