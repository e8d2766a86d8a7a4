#pragma once

#include <QLineF>
#include <QList>
#include <QPointer>
#include <QWidget>

#include "board/board.h"

class Announcer;
class Clock;
class KeyboardUse;
class Label;
class QAction;
class TimeEntry;

// The grid of 60 clocks, drawn by one widget from the board's picture: Universal Time in row 0, a city in
// each of rows 1 to 59, each a name (`Ville`), a face with its two hands (`Image1`) and a time (`Digit`),
// with the date line (`Line1`) and the signs of changes coming. Above them, its own lines: the digital clock
// (`HeureDigitale`), the hover line (`Label8`) and its seconds (`Label10`), and the shift line (`HeureVisee`).
// It lies under every other control of the window and takes the pointer wherever they do not: a row's
// name, face or time is hovered, pressed, double-clicked and turned as a whole; anywhere else is the bare
// window. Its keys are actions scoped to it; screen readers see each face as an object of its own.
class ClockGrid : public QWidget
{
    Q_OBJECT

public:
    ClockGrid(QWidget* window, Board& board, const Clock& clock);
    ~ClockGrid() override;

    const Board& board() const { return m_board; }

    // Draws what the board's picture says, where `changes` say it changed.
    void draw(Board::Changes changes);

    // Row i's parts in the window: the name as it is drawn now, the face, the time; the sign by the time.
    QRect nameRect(int row) const;
    QRect faceRect(int row) const;
    QRect timeRect(int row) const;
    QRect signRect(int row) const;
    // The row whose name, face or time lies under `point` of the window, the last drawn first; -1 for none.
    int rowAt(const QPoint& point) const;
    // The date line, in twips of the window: before the face of the first row whose day differs from the
    // row before it, from above its name into its time; a null line when every row shows the same day.
    QLineF dateLine() const;
    // Row i's name as it is drawn: shortened with "…" where it is too long for its place.
    QString shownName(int row) const;

    // Where the keys are among the clocks, shown while they are there and the keyboard is in use (from a key
    // pressed in the window to a button of the mouse pressed there): the frame around the clocks, and the face
    // that has the keys framed the same way. With the mouse alone, the window keeps its look.
    bool isKeyFrameShown() const { return m_keyFrameShown; }
    // Whether the keys are among the clocks with `widget`: the grid, or the box where a time is typed.
    bool holdsKeys(const QWidget* widget) const;
    // The face whose keys are on, with the focus: it carries a dotted frame, and screen readers follow it.
    int focusedFace() const;

    // The box where a time is typed for a row's city, made the first time it is needed.
    TimeEntry* timeEntry() const { return m_entry; }

signals:
    // A press on a row or on the bare window: the window moves.
    void pressed();
    // The pointer over the bare window.
    void backgroundMoved();

public slots:
    // The pointer left the window.
    void pointerLeft();
    // The keys come back from a box that lay over the clocks (the search): to the face they left for it, if any.
    void takeKeysBack();
    // Enter on the face that has the keys, or a double click on a row's time: the box to type a time.
    void openTimeEntry(int row);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The clocks' keys as actions scoped to the grid, in the order the window's menu lists them.
    void buildKeys();
    QAction* addKey(const QString& text, const QList<QKeySequence>& keys, void (ClockGrid::*step)(), bool repeats);
    void laterByAQuarter();
    void earlierByAQuarter();
    void laterByAnHour();
    void earlierByAnHour();
    void goBackToNow();
    void nextCity();
    void previousCity();
    void typeTimeForCity();

    // The key frame and the face's frame shown, or not, as the keys and the keyboard's use say.
    void updateKeyFrame();
    void drawLines(Board::Changes changes);
    // Tells screen readers what changed of the faces.
    void announce(Board::Changes changes);
    void paintRow(QPainter& painter, int row) const;
    // What a row's parts cover, and the date line standing before a row.
    QRect rowArea(int row) const;
    QRect dateLineArea(int row) const;
    // Asks for the rows that changed since they were last drawn to be drawn again.
    void updateRows();
    QFont nameFont(bool bold) const;
    // A row's name as drawn, measured once for each name and weight: the pointer's every move asks for all 60.
    struct NameLayout
    {
        QString name;
        bool bold = false;
        QString shown;
        QRect rect;
    };
    const NameLayout& nameLayout(int row) const;
    QRect keyFrame() const;

    Board& m_board;
    const Clock& m_clock;
    Label* m_digitalClock; // `HeureDigitale`
    Label* m_hoverLine;    // `Label8`
    Label* m_seconds;      // `Label10`
    Label* m_shiftLine;    // `HeureVisee`
    Announcer* m_announcer;
    KeyboardUse* m_keyboard;
    TimeEntry* m_entry = nullptr;
    bool m_keyFrameShown = false;
    int m_faceLeft = -1;     // the face the keys were on when they last left the clocks
    QList<QString> m_spoken; // what screen readers were last told of each face
    mutable QList<NameLayout> m_names;
    // What was last asked to be drawn, and where.
    struct Drawn
    {
        QList<Board::RowPicture> rows;
        QList<QRect> areas;
        int dateLineRow = -1;
        int focusedFace = -1;
    };
    Drawn m_drawn;
};
