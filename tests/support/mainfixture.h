#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>

#include "app/mainwindow.h"
#include "board/board.h"
#include "save/citylist.h"
#include "support/fakeplatform.h"
#include "support/testenv.h"

class ButtonBar;
class Board;
class CityEditor;
class ClockGrid;
class QAccessibleInterface;
class ConfigPanel;
class HorluneAbout;
class Label;
class Picture;
class QCheckBox;
class QLineEdit;

// City file bytes: the lines, each ended by CR LF.
QByteArray cityFile(const QList<QByteArray>& lines);

// 59 cities "Ville1" ... "Ville59", row i with the offset i % 24 - 11 in summer and winter.
QByteArray fullFile();

// The child of `parent` named `name`; the test stops at once when there is none.
template <class T = QWidget> T* control(const QObject& parent, const QString& name)
{
    T* found = parent.findChild<T*>(name);
    if (!found)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}

// A part of a row of the grid of clocks, its name (`Ville`), its time (`Digit`) or its face (`Image1`), as
// the grid draws it and as screen readers are told of it. Used as a control would be: `f.digit(3)->caption()`.
struct RowPart
{
    enum Kind
    {
        Name,
        Time,
        Face,
        Sign // of a change of offset coming, by the time
    };
    const ClockGrid* grid;
    int row;
    Kind kind;

    const RowPart* operator->() const { return this; }
    // The whole name, the time "HH.MM" or the sign; the text drawn, which a long name shortens.
    QString caption() const;
    QString text() const;
    QColor textColor() const;
    bool isBold() const;
    bool isVisible() const;
    // In the window.
    QRect geometry() const;
    QPoint pos() const { return geometry().topLeft(); }
    QSize size() const { return geometry().size(); }
    int x() const { return geometry().x(); }
    QString toolTip() const;
    // The face: its picture, hands and ring.
    QPixmap picture() const;
    std::optional<Hands> hands() const;
    QColor minuteColour() const;
    QColor hourColour() const;
    Rim rim() const;
    // The face as screen readers see it.
    QAccessibleInterface* accessible() const;
    QString accessibleName() const;
    QString accessibleDescription() const;
};

// The pointer over a point of a row's part, no button held; the wheel turned there; a double click there.
void moveOver(const RowPart& part, const QPoint& point = QPoint(2, 2));
void turnWheelOver(const RowPart& part, int angle, bool inverted = false, const QPoint& point = QPoint(5, 5));
void doubleClick(const RowPart& part, const QPoint& point = QPoint(5, 5));

// The centre of row i's face, in the window.
QPoint faceCentre(int i);
// The pointer over a point of the window, delivered to whatever lies there.
void pointAt(QWidget& window, const QPoint& place);
// The wheel turned by whole notches over a point of the window, delivered to whatever lies there.
void wheelAt(QWidget& window, const QPoint& place, int notches);
// A key pressed and released on the control that has the keys.
void key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// A main window on a fake clock, in a throw-away program folder and settings store. Its parts are found
// by the names they carry, as the window's design names them.
struct ClockFixture
{
    TestEnvironment env;
    FakePlatform platform;
    std::unique_ptr<Main> window;

    explicit ClockFixture(const QByteArray& cities,
                          const QDateTime& local = QDateTime(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC),
                          int offsetHours = 1, bool writeFile = true);
    // Builds the window and runs its start-up sequence.
    Main& start();
    // The same, the window then made active, as keys need it (a face takes the focus only then).
    Main& startActive();

    ClockGrid& grid() const;
    const Board& board() const;
    ButtonBar& buttons() const;
    ConfigPanel& panel() const;
    CityEditor& editor() const;
    // A control of the window by its name; one of the configuration panel's makes the panel first.
    template <class T = QWidget> T* find(const QString& name) const
    {
        if (!window->findChild<T*>(name))
            window->panel();
        return control<T>(*window, name);
    }
    Label* label(const QString& name) const { return find<Label>(name); }
    QLineEdit* box(const QString& name) const;
    QCheckBox* mark(const QString& name) const;
    // Types a line of the editor as a paste would: its three texts and its mark.
    void setLine(int i, const EditorLine& line) const;
    // Row i's name (`Ville`), time (`Digit`) and face (`Image1`).
    RowPart ville(int i) const { return {&grid(), i, RowPart::Name}; }
    RowPart digit(int i) const { return {&grid(), i, RowPart::Time}; }
    RowPart face(int i) const { return {&grid(), i, RowPart::Face}; }
    RowPart sign(int i) const { return {&grid(), i, RowPart::Sign}; }
    // A point of the window by the name of what lies there, and `inside` it: a control; a row's name, face or
    // time ("Ville_1", "Image1_2", "Digit_3"), which the grid draws; the bare window ("Main"), which is the
    // grid's where no control lies. The widget the pointer's events go to, and the point in it.
    struct Spot
    {
        QWidget* widget;
        QPoint point;
    };
    Spot spot(const QString& name, const QPoint& inside = QPoint(2, 2)) const;
    // Runs a step of the board as the window would, with the fake clock's now, and draws what it changed.
    Board::Changes run(const std::function<Board::Changes(Board&, const Instant&)>& step) const;
    // Whether button i shows its lit look.
    bool isLit(int i) const;
    // The About window, while it is open.
    HorluneAbout* about() const;
    // Opens the configuration panel, as its button does.
    void openPanel() const;
    // The panel's "OK".
    void pressOk() const;
};
