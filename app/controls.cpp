#include "controls.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "app/look.h"

namespace {

void swallowMouse(QWidget* widget)
{
    widget->setAttribute(Qt::WA_NoMousePropagation);
    widget->setMouseTracking(true);
}

void runMove(const MouseHandlers& handlers, QMouseEvent* event)
{
    if (handlers.move)
        handlers.move(event);
    event->accept();
}

void runPress(const MouseHandlers& handlers, QMouseEvent* event)
{
    if (handlers.press)
        handlers.press(event);
    event->accept();
}

void runRelease(const MouseHandlers& handlers, const QWidget* widget, QMouseEvent* event)
{
    if (handlers.click && widget->rect().contains(event->position().toPoint()))
        handlers.click();
    event->accept();
}

} // namespace

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    QRect frame(QPoint(), window->size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
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
}

void Label::setCaption(const QString& text)
{
    if (text == this->text())
        return;
    setText(text);
    if (m_autoSize)
        fitToText();
}

void Label::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    setWordWrap(!autoSize);
    if (autoSize)
        fitToText();
}

void Label::fitToText()
{
    const QFontMetrics metrics(font());
    const QString shown = text();
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

void Label::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_autoSize)
        fitToText();
}

void Label::mouseMoveEvent(QMouseEvent* event)
{
    runMove(mouse, event);
}

void Label::mousePressEvent(QMouseEvent* event)
{
    runPress(mouse, event);
}

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    runRelease(mouse, this, event);
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

void Frame::mouseMoveEvent(QMouseEvent* event)
{
    runMove(mouse, event);
}

void Frame::mousePressEvent(QMouseEvent* event)
{
    runPress(mouse, event);
}

Picture::Picture(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
    swallowMouse(this);
}

void Picture::setPicture(const QPixmap& picture)
{
    // The same picture assigned again costs nothing.
    if (picture.cacheKey() == m_pictureKey)
        return;
    m_picture = picture;
    m_pictureKey = picture.cacheKey();
    update();
}

void Picture::setTwipsGeometry(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    setGeometry(twipsRect(left, top, width, height));
}

void Picture::moveTwips(int left, int top)
{
    m_left = left;
    m_top = top;
    move(twipsToPixels(left), twipsToPixels(top));
}

void Picture::setHand(int index, const DrawnLine& line)
{
    if (m_hands[index] == line)
        return;
    m_hands[index] = line;
    update();
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    painter.setRenderHint(QPainter::Antialiasing);
    // Lines are given in the container's twips; the picture's own corner is the origin here.
    const QPointF origin(m_left / 15.0, m_top / 15.0);
    for (const DrawnLine& line : m_hands) {
        if (!line.placed)
            continue;
        painter.setPen(QPen(line.colour, line.width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QLineF(line.twips.p1() / 15.0 - origin, line.twips.p2() / 15.0 - origin));
    }
}

void Picture::mouseMoveEvent(QMouseEvent* event)
{
    runMove(mouse, event);
}

void Picture::mousePressEvent(QMouseEvent* event)
{
    runPress(mouse, event);
}

void Picture::mouseReleaseEvent(QMouseEvent* event)
{
    runRelease(mouse, this, event);
}

LineItem::LineItem(QWidget* parent, const QString& name, const QColor& colour, int width)
    : QWidget(parent), m_colour(colour), m_width(width)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineItem::setEnds(double x1, double y1, double x2, double y2)
{
    const QLineF ends(x1, y1, x2, y2);
    if (ends == m_twips && isVisible())
        return;
    m_twips = ends;
    const QRectF pixels = QRectF(ends.p1() / 15.0, ends.p2() / 15.0).normalized();
    const double half = m_width / 2.0 + 1;
    setGeometry(pixels.adjusted(-half, -half, half, half).toAlignedRect());
    update();
}

void LineItem::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(m_colour, m_width, Qt::SolidLine, Qt::FlatCap));
    const QPointF origin = pos();
    painter.drawLine(QLineF(m_twips.p1() / 15.0 - origin, m_twips.p2() / 15.0 - origin));
}
