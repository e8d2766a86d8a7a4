#pragma once

#include <QList>
#include <QObject>

#include "data/cityfile.h"
#include "data/settings.h"
#include "plan/commonhour.h"
#include "rows/clockrow.h"
#include "rows/showninstant.h"

class Clock;
class Label;
class LineItem;
class Picture;
class QWidget;
class TimeEntry;

// The controls around the grid that the clock writes to.
struct ClockControls
{
    Label* digitalClock = nullptr; // `HeureDigitale`
    Label* hoverLine = nullptr;    // `Label8`
    Label* hoverSeconds = nullptr; // `Label10`
    LineItem* dateLine = nullptr;  // `Line1`
    Label* shiftLine = nullptr;    // `HeureVisee`: how far from now the clocks are, while they are
};

// The grid of 60 clocks on the main window: Universal Time in row 0, a city in each of rows 1 to 59. A row
// is a name label (`Ville`), a face with its two hands (`Image1`) and a time label (`Digit`). The grid keeps
// the rows' state (ClockRow), the hover and the instant shown as plain data, and draws what they say with
// the look rowLook() gives.
class CityGrid : public QObject
{
    Q_OBJECT

public:
    CityGrid(const Clock& clock, QWidget* window);

    // Creates row 0; call where the rows belong in the stacking order.
    void createDesignRow() { createRow(0); }
    void setControls(const ClockControls& controls) { m_controls = controls; }

    // Creates rows 1 to 59 where they do not exist, and shows every row whole again.
    void createRows();
    // Places every row on the grid, its name label captioned with its number.
    void placeRows();

    // The offset every row is computed against, and the season; the row of Universal Time reads "T.U".
    void setTimeRules(float computerOffset, bool summer);
    // Fills rows 1 to 59 from the records of the city file, each with its zone (an id, or empty for a city
    // that follows its offsets for the season).
    void loadCities(const QList<CityFileRow>& records, const QStringList& zones);
    void setPreferences(const DayHours& hours, const RowMarks& marks);

    // The digital clock and the hover seconds on every call; every row when the minute has changed since the
    // last full redraw, or at once when `everyRow` is set. While the clocks show another instant, only the
    // digital clock, until two minutes without a step or `everyRow` bring every clock back to now.
    void refresh(bool everyRow = false);
    // The pointer left the rows: the hover line is emptied and no row is highlighted.
    void clearHover();
    // A city found by the search, in no row: the hover line speaks of it as of a row under the pointer, at
    // the instant shown, until the pointer or the keys come to a row. Returns the sentence, whole.
    QString describeCity(const QString& name, const QTimeZone& zone);

    // The keys among the clocks. One face at a time has the focus: Down and Up move it to the next or the
    // previous row that shows a time (Universal Time included), from the first city or the last when no
    // face had it, and stop at either end. The city whose face has it is highlighted and described as a
    // hover would, and screen readers, which follow the focus, read the face's name (rowDescription) and
    // the sentence as its description.
    void moveKeyFocus(int step);
    // The face that Tab brings the keys to: the one that had them last, else the first city's.
    QWidget* keyStop() const;
    // Where the clocks stand in the window's Tab order: Universal Time's face, made with the window.
    QWidget* tabPlace() const;
    // Whether the keys are among the clocks with `widget`: a face, or the box where a time is typed.
    bool holdsKeys(const QWidget* widget) const;
    bool isFace(const QWidget* widget) const;
    // Enter on the face that has the keys: the box to type a time for its row. False when no face has them.
    bool typeTimeForKeyFocus();

    // Planning with the marked cities. The hours they are at work; while the clocks are moved, the rings
    // follow them at once and the line goes back to saying where the clocks are.
    void setWorkHours(const WorkHours& hours);
    // Ctrl+Right, Ctrl+Left: every clock to the start of the next (+1) or previous (-1) slot in which every
    // marked city is at work, within the week; the shift line says when and how long, or which city never
    // meets the others (the clocks then go where the most cities are at work), or why the clocks stay (no
    // other slot, nobody at work, the week's end), or that cities must be marked.
    void goToCommonHour(int direction);
    // The instant shown as text to share: for the marked cities, or for the city described and here; empty
    // when there is neither.
    QString sharedInstant() const;
    // The instant shown, in Universal Time, to the minute.
    QDateTime shownUniversal() const;

    // The wheel turned by `angle` (wheelAngle()): a quarter of an hour a notch.
    void turnWheel(int angle);
    // A key that moves the clocks (shiftAfterKey()); false for any other.
    bool pressKey(int key);
    // Every clock back to now.
    void backToNow();
    bool isShifted() const { return m_shown.isShifted(); }

    const ClockRow& row(int i) const { return m_rows[i]; }

signals:
    // A press on a row's name, face or time.
    void pressed();
    // At a full redraw: the season or the computer's offset is no longer the one the rows were loaded
    // with (a clock left running across a change of summer time).
    void timeRulesChanged();
    // At a full redraw: the time of the Universal Time row, which the panel's preview faces show.
    void universalTimeChanged(const QTime& time);

private:
    struct RowWidgets
    {
        Label* name;
        Picture* face;
        Label* time;
    };

    // Row i's name, face and time, on the grid, behind the date line.
    void createRow(int i);
    // The mouse over a row's face, name or time: the hover line describes it and it is highlighted.
    void Image1_MouseMove(int index);
    // The keys came to row i's face, or left it.
    void Image1_GotFocus(int index);
    void Image1_LostFocus(int index);
    // Whether a row is a stop of Up and Down: Universal Time, and every row that shows a time.
    bool isKeyStop(int index) const;
    // The row whose face has the focus now; -1 when none has it.
    int focusedRow() const;
    // A double click on a row's time: a box to type a time for its city.
    void Digit_DblClick(int index);
    // Every clock to the time typed for a row's city.
    void showCityTime(int index, const QTime& time);
    // Draws what a step of the instant shown did.
    void followStep(ShownInstant::Step step);
    // Every row at the instant shown, the date line, and what screen readers say of the rows.
    void drawRows(const Instant& shown);
    // The hover line's sentence about the row it describes, at the instant shown.
    void writeSentence();
    const ClockRow& describedRow() const;
    // The hover line and its seconds in the colour of the row described (index: its row, or
    // Hover::kFoundCity), the seconds at once for a city that is not marked while the clocks show now.
    void colourSentence(int index);
    // The computer's wall clock at the instant shown, its own change of summer time on the way included.
    QDateTime localShown() const;
    // Shows every row as its state says.
    void showRows();
    // Gives each row's face what a screen reader says of the row, where its name or time has changed.
    void describeRows();
    // While the clocks are moved, whether each marked city is at work then.
    void markWorkStates();
    // The changes of offset coming within two weeks of the instant shown.
    void markChangesComing(const QDateTime& shown);
    // Row i's sign of a change coming, by its time; made the first time the row needs one.
    void showChangeSign(int i, const QString& sign);
    // A sentence in the shift line instead of the distance: the first form that fits, the whole sentence in
    // its tooltip; it lasts until the next step, or ten seconds while the clocks are at now.
    void showNote(const LineTexts& texts);
    // The shift line's own tooltip again, after a note.
    void restoreLineTip();
    void placeDateLine();

    const Clock& m_clock;
    QWidget* m_window;
    ClockControls m_controls;
    QList<ClockRow> m_rows;
    QList<RowWidgets> m_widgets;
    float m_computerOffset = 0;
    bool m_summer = false;
    DayHours m_hours;
    QDateTime m_lastRedraw; // the computer's wall clock, to the minute, at the last full redraw
    Hover m_hover;
    ClockRow m_foundCity; // described by the hover line when the hover says so
    int m_keyRow = -1;    // the row whose face had the keys last
    ShownInstant m_shown;
    TimeEntry* m_entry = nullptr;
    WorkHours m_workHours;
    QList<Label*> m_changeSigns; // per row, made the first time a change comes to it
    QString m_note;
    QDateTime m_noteUntil; // Universal Time
    QString m_lineTip;     // the shift line's own tooltip, while a note's stands in for it
};
