#pragma once

#include <QList>
#include <QObject>

#include "data/cityfile.h"
#include "data/settings.h"
#include "rows/clockrow.h"

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
// each row's state as plain data (ClockRow) and shows it with the look rowLook() gives.
//
// The clocks show now, or another instant while the user plans across the zones (rows/timeshift.h): the
// wheel over a row, a key, or a time typed for a city (a double click on its time) moves every row to it,
// and the shift line says how far and to when. The instant shown then stands still: the ticks only write
// the digital clock, which keeps the real time, until two minutes without the wheel or a key bring every
// clock back to now.
class CityGrid : public QObject
{
    Q_OBJECT

public:
    CityGrid(const Clock& clock, QWidget* window);

    // Creates row 0, as the window's design holds it; call where the rows belong in the stacking order.
    void createDesignRow();
    void setControls(const ClockControls& controls) { m_controls = controls; }

    // Creates rows 1 to 59 as copies of row 0 where they do not exist, and shows every row whole again.
    void createRows();
    // Places every row on the grid, its name label captioned with its number.
    void placeRows();

    // The offset every row is computed against, and the season; the row of Universal Time reads "T.U".
    void setTimeRules(float computerOffset, bool summer);
    // Fills rows 1 to 59 from the records of the city file, each with its zone (an id, or empty for a city
    // that follows its offsets for the season).
    void loadCities(const QList<CityFileRow>& records, const QStringList& zones);
    void setPreferences(const DayHours& hours, const RowMarks& marks);

    // The digital clock and the hover seconds on every call; every row once a minute, or at once when
    // `everyRow` is set. While the clocks are shifted, only the digital clock, until the shift has stood
    // two minutes without a step or `everyRow` is set: then every clock goes back to now.
    void refresh(bool everyRow = false);
    // The pointer left the rows: the hover line is emptied and no row is highlighted.
    void clearHover();

    // The wheel turned by `angle` (wheelAngle()): a quarter of an hour a notch.
    void turnWheel(int angle);
    // A key that moves the clocks (keyShift()); false for any other.
    bool pressKey(int key);
    // Every clock back to now.
    void backToNow();
    bool isShifted() const { return m_shift != 0; }

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
    void connectRow(int i);
    // The mouse over a row's face, name or time: the hover line describes it and it is highlighted.
    void Image1_MouseMove(int index);
    // A double click on a row's time: a box to type a time for its city.
    void Digit_DblClick(int index);
    // Every clock to the time typed for a row's city.
    void showCityTime(int index, const QTime& time);
    // The clocks `seconds` from `anchor` (now to the minute when they left it); 0 is now.
    void setShift(const Instant& anchor, qint64 seconds);
    // The anchor of a shift: the one in force, or now to the minute.
    Instant anchor() const;
    // Every row at the instant shown, the date line, and what screen readers say of the rows.
    void drawRows(const Instant& shown);
    // The hover line's sentence about row `index`, at the instant shown.
    void writeSentence(int index);
    // The computer's wall clock at the instant shown.
    QTime localTimeShown() const;
    void compareWithLocal(const QTime& localTime);
    // Shows every row as its state says.
    void showRows();
    // Gives each row's face what a screen reader says of the row, where its name or time has changed.
    void describeRows();
    void placeDateLine();

    const Clock& m_clock;
    QWidget* m_window;
    ClockControls m_controls;
    QList<ClockRow> m_rows;
    QList<Label*> m_names;
    QList<Label*> m_times;
    QList<Picture*> m_faces;
    float m_computerOffset = 0;
    bool m_summer = false;
    DayHours m_hours;
    int m_lastRedrawMinute = -1;
    int m_sentenceRow = -1; // the row the hover line describes
    TimeEntry* m_entry = nullptr;
    // The shift: the instant shown is m_shift seconds from m_anchor.
    Instant m_anchor;
    qint64 m_shift = 0;
    int m_pendingWheel = 0; // part of a notch turned
    QDateTime m_lastStep;   // Universal Time of the last wheel, key or typed time
};
