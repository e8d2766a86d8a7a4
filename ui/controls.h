#pragma once

#include <QAccessible>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <optional>

class QPainter;

#include "rows/clockrow.h"

// The controls the windows are drawn with. Each swallows the mouse events it receives, handled or not, so
// that only the bare window or frame under the pointer sees its own events; each reports them as signals.
// The right button is the menu's: it presses and clicks nothing, and the request for a menu goes on to the
// window, over whichever control it is made.
// Screen readers see a Picture with the role it is given and its accessibleName(), a Label as its whole
// text unless it is not spoken.

// Places a top-level window in the middle of its screen's available area.
void centreOnScreen(QWidget* window);

// Keeps a top-level window above the others, or not, without making its window of the window system again where
// it is made already: the window system's own window changes its flag.
void setStaysOnTop(QWidget* window, bool onTop);

// How far a wheel event turned the wheel, in eighths of a degree, rolled away from the user positive
// whatever the system's scrolling direction.
int wheelAngle(const QWheelEvent* event);

// The control Tab (next) or Shift+Tab goes to from `from`, in its window's Tab order: the first after it (or
// before it) that is shown, enabled, takes the focus by Tab and that `accepts`; nullptr when none does.
QWidget* nextTabStop(QWidget* from, bool next, const std::function<bool(const QWidget*)>& accepts);

// The menu is the window's: a request for it made over `control` goes on to the control's container as if the
// control were not there, since Qt stops it where the mouse's events stop.
void passMenuRequestOn(QWidget* control, QContextMenuEvent* event);

// The dotted frame that says where the keys are, along the inside of `frame`: black and white dots by turns, so
// that it shows on the window's grey, on a light face and a dark one alike.
void drawFocusFrame(QPainter& painter, const QRect& frame);

// A label that always shows its text as plain text. Transparent unless boxed; text at the top, wrapped
// within its width unless it sizes itself to its text.
class Label : public QLabel
{
    Q_OBJECT

public:
    explicit Label(QWidget* parent, const QString& name = {});

    void setCaption(const QString& text);
    // The whole text; an auto-sized label may show it shortened.
    QString caption() const { return m_caption; }
    // Sizes the label to its text on one line, keeping its left and top edges, whenever text or font changes.
    void setAutoSize(bool autoSize);
    bool autoSize() const { return m_autoSize; }
    // An auto-sized label never grows wider than this (0: no limit): a longer text shows shortened with
    // "…" at its right edge, and whole in the tooltip.
    void setAutoSizeLimit(int pixels);
    // False: screen readers pass over the label, whose text another control speaks with more (a row's face,
    // a button's picture).
    void setSpoken(bool spoken) { m_spoken = spoken; }
    bool isSpoken() const { return m_spoken; }
    // A link: it takes the keys by Tab and shows it with a dotted frame around its text, Enter presses it at once
    // and Space once released, as a button; screen readers see a link they can press. A press is `clicked`.
    void setLink(bool link);
    bool isLink() const { return m_link; }
    void setTextColor(const QColor& colour);
    QColor textColor() const { return m_textColor; }
    void setBold(bool bold);
    bool isBold() const { return font().bold(); }
    // Filled with a colour and outlined by one flat pixel.
    void setBoxed(const QColor& background);
    void setHorizontalAlignment(Qt::Alignment alignment);

signals:
    void mouseMoved();
    void pressed(); // the left or the middle button
    void clicked(); // a press and a release of the left button over the label
    // The second press of a double click, where something answers it; elsewhere that press is a press.
    void doubleClicked();
    void wheelTurned(int angle); // wheelAngle()

protected:
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void fitToText();

    QString m_caption;
    bool m_autoSize = false;
    int m_autoSizeLimit = 0;
    bool m_spoken = true;
    bool m_link = false;
    bool m_spacePressed = false; // Space went down on the link, and has not come up
    QColor m_textColor;
};

// A frame: a container with mouse signals of its own.
class Frame : public QFrame
{
    Q_OBJECT

public:
    Frame(QWidget* parent, const QString& name, bool outlined);

signals:
    void mouseMoved();
    void pressed(); // the left or the middle button

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

// A picture drawn unscaled at its top-left corner, with a clock's two hands over it once they are placed,
// around its own centre (the hour hand behind the minute hand).
class Picture : public QWidget
{
    Q_OBJECT

public:
    explicit Picture(QWidget* parent, const QString& name = {});

    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return m_picture; }
    // The place in the container's twips.
    void setTwipsGeometry(int left, int top, int width, int height);

    // A ring inside the face (rowLook() says which).
    void setRim(Rim rim);
    Rim rim() const { return m_rim; }

    void setHands(const Hands& hands);
    void setHandColours(const QColor& minute, const QColor& hour);
    // Where the hands point; nothing until they are placed.
    std::optional<Hands> hands() const { return m_handsPlaced ? std::optional(m_hands) : std::nullopt; }
    QColor minuteColour() const { return m_minuteColour; }
    QColor hourColour() const { return m_hourColour; }

    // What screen readers take the picture for: a graphic, or a button that they can press. A button also
    // takes the focus by Tab, shows it with a dotted frame, and is pressed with Enter or Space.
    void setAccessibleRole(QAccessible::Role role);
    QAccessible::Role accessibleRole() const { return m_accessibleRole; }
    // The dotted frame that shows the focus: its colour and how far inside the picture's edge it runs (a
    // button's inside its pill, black; a face's along its edge, white, as the window's own frame).
    void setFocusFrame(const QColor& colour, int inset);
    // A press by a screen reader: the same as a click of the mouse, once the reader's call has returned, so
    // that whatever the click opens (a question) never keeps the reader waiting.
    void click();

signals:
    void mouseMoved();
    void pressed();              // the left or the middle button
    void clicked();              // the left button, released over the picture; Enter or Space on a button
    void wheelTurned(int angle); // wheelAngle()
    void focusChanged(bool focused);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPixmap m_picture;
    Hands m_hands;
    QColor m_minuteColour, m_hourColour;
    bool m_handsPlaced = false;
    QAccessible::Role m_accessibleRole = QAccessible::Graphic;
    Rim m_rim = Rim::None;
    QColor m_focusColour = Qt::black;
    int m_focusInset = 3;
    bool m_spacePressed = false; // Space went down on the button, and has not come up
};

// A picture button of the windows: a pill picture (`btn`) and its caption in front of it (`LabBTN`).
struct PictureButton
{
    Picture* picture = nullptr;
    Label* caption = nullptr;
};
