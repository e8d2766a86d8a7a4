#pragma once

#include <QLabel>
#include <QLineF>
#include <QPixmap>
#include <QWidget>
#include <functional>

class QMouseEvent;

// The mouse handlers a control may have. A control swallows the mouse events it receives, handled or not,
// so that only the bare window or frame under the pointer sees its own events.
struct MouseHandlers
{
    std::function<void(QMouseEvent*)> move;
    std::function<void(QMouseEvent*)> press;
    std::function<void()> click; // a press and a release over the control
};

// Places a top-level window in the middle of its screen's available area.
void centreOnScreen(QWidget* window);

// A label that always shows its text as plain text. Transparent unless boxed; text at the top, wrapped
// within its width unless it sizes itself to its text.
class Label : public QLabel
{
    Q_OBJECT

public:
    explicit Label(QWidget* parent, const QString& name = {});

    void setCaption(const QString& text);
    QString caption() const { return text(); }
    // Sizes the label to its text on one line, keeping its left and top edges, whenever text or font changes.
    void setAutoSize(bool autoSize);
    bool autoSize() const { return m_autoSize; }
    void setTextColor(const QColor& colour);
    QColor textColor() const { return m_textColor; }
    void setBold(bool bold);
    bool isBold() const { return font().bold(); }
    // Filled with a colour and outlined by one flat pixel.
    void setBoxed(const QColor& background);
    void setHorizontalAlignment(Qt::Alignment alignment);

    MouseHandlers mouse;

protected:
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fitToText();

    bool m_autoSize = false;
    QColor m_textColor;
};

// A frame: a container that may have its own mouse handlers.
class Frame : public QFrame
{
    Q_OBJECT

public:
    Frame(QWidget* parent, const QString& name, bool outlined);
    MouseHandlers mouse;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// A line drawn over a picture: end points in the twips of the picture's container.
struct DrawnLine
{
    QLineF twips;
    QColor colour;
    int width = 1;
    bool placed = false; // drawn only once a position has been given
    friend bool operator==(const DrawnLine&, const DrawnLine&) = default;
};

// A picture drawn unscaled at its top-left corner, with up to two lines over it (a clock's hands: the
// first behind the second).
class Picture : public QWidget
{
    Q_OBJECT

public:
    explicit Picture(QWidget* parent, const QString& name = {});

    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return m_picture; }
    // Twips of the container, where the picture's lines are given.
    void setTwipsGeometry(int left, int top, int width, int height);
    int leftTwips() const { return m_left; }
    int topTwips() const { return m_top; }
    void moveTwips(int left, int top);

    DrawnLine& hand(int index) { return m_hands[index]; }
    const DrawnLine& hand(int index) const { return m_hands[index]; }
    void setHand(int index, const DrawnLine& line);

    MouseHandlers mouse;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
    qint64 m_pictureKey = 0;
    int m_left = 0;
    int m_top = 0;
    DrawnLine m_hands[2];
};

// A free-standing line, such as the date line: it takes no mouse events.
class LineItem : public QWidget
{
    Q_OBJECT

public:
    LineItem(QWidget* parent, const QString& name, const QColor& colour, int width);
    void setEnds(double x1, double y1, double x2, double y2); // twips of the container
    QLineF ends() const { return m_twips; }
    QColor colour() const { return m_colour; }
    int lineWidth() const { return m_width; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLineF m_twips;
    QColor m_colour;
    int m_width;
};
