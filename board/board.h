#pragma once

#include <QDate>
#include <QDateTime>
#include <QFlags>
#include <QList>
#include <QString>
#include <QTime>
#include <QTimeZone>
#include <optional>

#include "board/configuration.h"
#include "plan/commonhour.h"
#include "plan/week.h"
#include "plan/workhours.h"
#include "rows/clockrow.h"
#include "rows/showninstant.h"
#include "time/instant.h"
#include "time/sun.h"

// The clocks' board: what the 60 clocks and the lines above them show, and every rule that decides it. It
// owns the rows, the hover and the city found, the instant shown, the day, night and working hours, the
// marks, the shift line's note and its lifetime, the signs of changes coming, the common-hour steps and
// the instant to share. It reads no clock and no file: every call is given "now" and says what it changed;
// the view reads picture() and draws it.
class Board
{
public:
    // What a call changed, for the view to redraw.
    enum Change
    {
        NoChange = 0,
        DigitalClock = 0x1, // the digital clock's text
        Seconds = 0x2,      // the hover line's seconds
        Rows = 0x4,         // any row: its name, time, face, hands, colours, ring or sign; the date line
        Sentence = 0x8,     // the hover line
        ShiftLine = 0x10,   // the line beside the digital clock
        KeyRow = 0x20,      // the face the keys are on
        TimeRules = 0x40,   // the computer's offset or the season: the caption, the panel's date and message
        Everything = 0x7f,  // all that is drawn
        // Something done that screen readers are told once, as it happens (picture().announcement): never part
        // of a redraw.
        Announcement = 0x80
    };
    Q_DECLARE_FLAGS(Changes, Change)

    // What one clock shows.
    struct RowPicture
    {
        QString name;
        QString time;          // "HH.MM"; empty until the row is first drawn
        bool timeShown = true; // the row has a complete record whose offset the clock can use
        RowLook look;
        QString description; // what a screen reader says of it (rowDescription)
        QString changeTip;   // the change of offset coming, in full, where its sign shows
        friend bool operator==(const RowPicture&, const RowPicture&) = default;
    };
    // The shift line: how far and to when the clocks show, or a note; hidden at rest without a note.
    struct ShiftLinePicture
    {
        bool shown = false;
        QString text;   // the distance, or "Retour à l'heure actuelle dans 8 s"
        LineTexts note; // a note instead, its forms from the whole sentence to the shortest
        bool isNote() const { return !note.forms.isEmpty(); }
    };
    struct Picture
    {
        QList<RowPicture> rows;
        int dateLineRow = -1;       // the line stands before this row's face; none at -1
        QString digitalClock;       // "Heure locale : 14.05.33"
        QString digitalClockSpoken; // "Heure locale : 14 h 05": screen readers hear of it once a minute
        HoverSentence sentence;
        bool hasSentence = false;
        int described = -1; // the row the sentence is about; Hover::kFoundCity for a city found
        Rgb sentenceColour = colours::kRed;
        QString seconds; // beside the sentence, "00" to "59", or nothing
        int keyRow = -1; // the face the keys are on; -1 when they are on none
        QTime universalTime;
        ShiftLinePicture shiftLine;
        QString announcement; // what screen readers were last told: a note's whole sentence, the city found
    };

    // `computerZone` gives the computer's wall clock at any instant (what "ici" reads).
    explicit Board(const ComputerZone& computerZone);

    // The start: the rows filled from the configuration's list (each row numbered where there is none), the
    // marks and hours it holds, the time rules of `now`; every clock drawn.
    Changes start(const Configuration& config, const Instant& now);
    // A configuration saved: the rows follow the new list, marks and hours; the clocks show now.
    Changes reload(const Configuration& config, const Instant& now);
    // Once a second: the digital clock and the seconds; every row when the minute has changed since the last
    // full redraw (and the rows' offsets again when the season or the computer's offset has changed). While
    // the clocks show another instant, the digital clock and the shift line only, until two minutes without a
    // step bring every clock back to now. A note lasts ten seconds at rest.
    Changes tick(const Instant& now);

    // The pointer over row `row` (0 to 59): the row is highlighted and the hover line describes it; Universal
    // Time highlights none and leaves the sentence as it was.
    Changes hoverRow(int row, const Instant& now);
    // The pointer left the rows: no sentence, no highlight.
    Changes leaveRows(const Instant& now);
    // A city found by the search, in no row: described as a row under the pointer would be, at the instant
    // shown, until the pointer or the keys come to a row. Returns the sentence, whole, which is also what screen
    // readers are told (Announcement: the caller draws Rows, Sentence, Seconds and Announcement).
    // `place`, where the city lies, tells its sun while the faces follow it.
    QString describeCity(const QString& name, const QTimeZone& zone, const std::optional<Coordinates>& place,
                         const Instant& now);

    // The keys among the faces. One face at a time has them: Down and Up go to the next or previous row that
    // shows a time, Universal Time included, from the first city going down or the last row going up when
    // none had them, and stop at either end. The city whose face has the keys is highlighted and described.
    Changes moveKeys(int step, const Instant& now);
    // The keys came to the clocks by Tab: to the face that had them last, else the first city's.
    Changes keysToClocks(const Instant& now);
    // The keys left the faces (for the window, a box, another control).
    Changes keysLeaveFaces(const Instant& now);
    // The row that had the keys last; -1 when none has had them.
    int lastKeyRow() const { return m_lastKeyRow; }

    // The steps of the instant shown: the wheel turned by `angle` (a notch is 120), a quarter of an hour
    // (+1 forward, -1 back), an hour, the first instant the city of `row` reads `time`, and back to now.
    Changes turnWheel(int angle, const Instant& now);
    Changes stepQuarter(int direction, const Instant& now);
    Changes stepHour(int direction, const Instant& now);
    Changes showCityTime(int row, const QTime& time, const Instant& now);
    Changes backToNow(const Instant& now);
    // To the instant `universal`, within the week either way (a slot chosen elsewhere, as the common hour's).
    Changes showInstant(const QDateTime& universal, const Instant& now);
    bool isShifted() const { return m_shown.isShifted(); }
    // The instant shown, in Universal Time, to the minute.
    QDateTime shownUniversal(const Instant& now) const;

    // Planning with the marked cities: every clock to the start of the next (+1) or previous (-1) slot in
    // which every marked city is at work, within the week; the shift line says when and how long, or why the
    // clocks stay, or that cities must be marked, and screen readers are told the same.
    Changes goToCommonHour(int direction, const Instant& now);
    // A command done ("Copié : …", "Invitation enregistrée dans …", "Aucune ville pour « … »"): said on the
    // shift line as the common hour's note is, for ten seconds at rest or until the next step, and to screen
    // readers once, in the same words.
    Changes tellDone(const LineTexts& texts, const Instant& now);
    // Faces light from sunrise to sunset in each city whose place is known, by its own date at the instant
    // shown; the others by the day and night hours, as always.
    Changes setSunFaces(bool bySun, const Instant& now);
    bool areFacesBySun() const { return m_sunFaces; }
    // The hours the marked cities are at work; while the clocks are moved, the rings follow them at once.
    Changes setWorkHours(const WorkHours& hours, const Instant& now);
    const WorkHours& workHours() const { return m_workHours; }
    // What the week at a glance is made from: the marked cities that show a time and the computer ("ici",
    // working on `hereDays`), from the instant shown (not rounded, so that the week's steps and the clocks'
    // agree), with the instants the clocks may show.
    WeekRequest weekRequest(const Instant& now, const WorkingDays& hereDays) const;
    // The instant shown as text to share: for the marked cities, or for the city described and here; empty
    // when there is neither.
    QString sharedInstant(const Instant& now) const;

    // The look the rows are drawn in: every colour the board gives follows it at once.
    Changes setContrast(Contrast contrast);
    Contrast contrast() const { return m_contrast; }

    const Picture& picture() const { return m_picture; }
    const ClockRow& row(int i) const { return m_rows[i]; }
    float computerOffset() const { return m_computerOffset; }
    bool isSummer() const { return m_summer; }
    const DayHours& dayHours() const { return m_hours; }
    // Whether the keys may go to row `row` (Universal Time, and every row that shows a time).
    bool isKeyStop(int row) const;

private:
    // The rows from the list and marks held, with the offsets of the season.
    void fillRows();
    void measureTimeRules(const Instant& now);
    // Every row at the instant shown, the date line, what screen readers say of the rows, the sentence.
    Changes redraw(const Instant& shown, const Instant& now);
    Changes redrawAtNow(const Instant& now);
    Changes follow(ShownInstant::Step step, const Instant& now);
    Changes hover(int row, const Instant& now);
    // The keys to row `row`'s face.
    Changes keysTo(int row, const Instant& now);
    // The computer's wall clock at the instant shown.
    QDateTime localShown(const Instant& now) const;
    const ClockRow& describedRow() const;
    void markWorkStates();
    // A row's day or night, and its sun where the faces follow it (`key`: the row, for the cache).
    void markDay(ClockRow& row, int key, const std::optional<Coordinates>& place, const QDateTime& shown);
    std::optional<Coordinates> placeOf(int row) const;
    void markChangesComing(const QDateTime& shown);
    // The change coming to the city found, for its sentence.
    void markFoundCityChange(const QDateTime& shown);
    // The note on the shift line, and the same whole sentence for screen readers.
    Changes showNote(const LineTexts& texts, const Instant& now);
    void paintDigitalClock(const Instant& now);
    // The picture of the rows from their state; what screen readers say of each only where the state it says
    // may have changed (not at a hover, which changes colours alone).
    void paintRows(bool describe);
    void paintSentence();
    void paintShiftLine(const Instant& now);

    const ComputerZone& m_computerZone;
    QList<CityFileRow> m_records;
    QStringList m_zones;
    QList<std::optional<Coordinates>> m_places; // by record
    bool m_sunFaces = false;
    SunCache m_sun;
    std::optional<Coordinates> m_foundPlace;
    RowMarks m_marks{};
    bool m_hasList = false;
    QList<ClockRow> m_rows;
    float m_computerOffset = 0;
    bool m_summer = false;
    DayHours m_hours;
    WorkHours m_workHours;
    QDateTime m_lastRedraw; // the computer's wall clock, to the minute, at the last full redraw
    Hover m_hover;
    ClockRow m_foundCity;
    int m_keyRow = -1;     // the face that has the keys
    int m_lastKeyRow = -1; // the face that had them last
    ShownInstant m_shown;
    LineTexts m_note;
    QDateTime m_noteUntil; // Universal Time
    Contrast m_contrast = Contrast::Design;
    Picture m_picture;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Board::Changes)
