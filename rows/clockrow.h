#pragma once

#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include "data/cityfile.h"
#include "time/instant.h"

class QLocale;

// One row of the clock as plain data, and the rules that decide what it shows and how it looks. The grid
// computes the rows' state once per redraw and only applies the look that rowLook() gives it.

// A city's offset in one season, and whether its time shows then (its record is complete and that offset
// fits the clock's arithmetic).
struct SeasonOffset
{
    float hours = 0;
    bool shown = true;
};

// Whether a city is at work at the instant shown, by its working hours and days.
enum class WorkState
{
    Unknown,
    AtWork,
    Away
};

struct ClockRow
{
    // From the city file (row 0: Universal Time).
    QString name;
    QTimeZone zone;      // the city's zone; invalid for a city that follows its offsets
    SeasonOffset summer; // the offsets a city without a zone follows, by the program's season rule
    SeasonOffset winter;
    float offset = 0;      // hours from Universal Time at the instant shown
    bool timeShown = true; // false for a row the file has no complete record for, in the season shown
    bool marked = false;
    // At the last full redraw.
    QDateTime cityTime; // the city's date and time
    bool day = false;   // day face
    // At the last redraw or hover.
    bool sameAsLocal = false; // the city shows the computer's own date and time
    // Planning, at the last full redraw or step.
    WorkState work = WorkState::Unknown; // known for a marked city while the clocks show another instant
    QString changeComing;                // "Passe à l'heure d'hiver dimanche 1 novembre à 02.00 : −1 h", or nothing
    int changeSeconds = 0;               // by how much the offset changes then
    // The change coming as the hover sentence ends with it, for every city of its zone (the sign stands by the
    // first alone): "passe à l'heure d'hiver dimanche 1 novembre à 02.00", and shorter; else nothing.
    QString changeSentence, changeSentenceShort;
    // While the faces follow the sun, for a city whose place is known: the sun on its date at the instant
    // shown, written ("lever 08.34, coucher 16.54"), shorter ("soleil 08.34–16.54") and spoken; else nothing.
    QString sun, sunShort, sunSpoken;
};

// The row under the pointer, and the row the hover line speaks of. The highlight lasts until the next full
// redraw, which colours every row by the time alone; the sentence stays until the pointer leaves the rows.
// Universal Time is highlighted by no hover and described by no sentence. A city found by the search is
// described as a row would be, and highlights none.
struct Hover
{
    static constexpr int kFoundCity = -2;
    int highlighted = -1;
    int described = -1;
    bool hasSentence() const { return described > 0 || described == kFoundCity; }
};

// Fills rows 1 to kCityRows from the records read, each with its zone (an id of `zones`, empty for none),
// its two offsets, and its offset for the season. A row without a complete record shows no time; one whose
// offset is too large for the clock's arithmetic keeps the offset of the row before it in that season and
// shows no time in it either.
void loadCityRows(QList<ClockRow>& rows, const QList<CityFileRow>& records, const QStringList& zones, bool summer);

// Brings the row to the instant: a city with a zone takes the zone's offset and time at that instant, any
// other its offset for the season of the instant's local date (isSummerTime) and the computer's wall clock
// moved by that offset less the computer's own.
void setInstant(ClockRow& row, const Instant& now, float computerOffset);

// A city's date and time: the computer's wall clock moved by the city's offset less the computer's own,
// both in hours. Any offset gives a valid date-time (a shift beyond 400 years wraps by whole Gregorian
// cycles, which keeps the day and month).
QDateTime cityDateTime(const QDateTime& localWallClock, float computerOffset, float cityOffset);

// "HH.MM", the time under a face, and "HH.MM.ss", the digital clock's.
QString clockCaption(const QTime& time);
QString digitalCaption(const QTime& time);

// Marks the city rows that show the computer's own date, hour and minute at `localWallClock` (the computer's
// wall clock at the instant shown).
void compareWithLocal(QList<ClockRow>& rows, const QDateTime& localWallClock);

// A day face when dayHour <= hour < nightHour; the minutes play no part.
bool isDayHour(int hour, int dayHour, int nightHour);

// The first row, from 2 on, whose day of the month differs from the row before it; -1 when none does.
// Row 0 (Universal Time) is never compared.
int dateLineRow(const QList<ClockRow>& rows);

// The hover sentence, "Tokyo (Tu +9) le 09 décembre, il est 19.00.": the city's name, then the rest
// (" (Tu +9) le 09 décembre, il est 19.00."), which stays whole where the name must be shortened. Of an
// instant to come the sentence says "il sera", of one gone by "il était".
struct HoverSentence
{
    QString name;
    QString rest;
    // Shorter forms of the rest where the line has little room, from the longest (the sun told shorter, then
    // not at all); none for the design's sentence.
    QStringList shorterRests;
    QString whole() const { return name + rest; }
};
enum class Tense
{
    Present,
    Future,
    Past
};
// With the sun known, it ends with it: "Paris (Tu +1) le 11 décembre, il est 10.00 ; lever 08.34, coucher 16.54.";
// with a change of offset coming, with that last: "… il est 10.00 ; passe à l'heure d'hiver dimanche 25 octobre
// à 03.00.". Where the line has little room the sun is told shorter, then not at all, then the change shorter,
// then neither: the change matters more to whoever plans.
HoverSentence hoverSentence(const ClockRow& row, const QLocale& locale, Tense tense = Tense::Present);

// A name as a screen reader speaks it: blanks run together, cut with "…" past kSpokenNameLength characters
// (the whole name is read each time the row is reached); empty when the name is blank.
inline constexpr int kSpokenNameLength = 80;
QString spokenName(const QString& name);
// What a screen reader says of row `index`: "Tokyo, 05 h 01, jeudi 10 décembre, nuit"; Universal Time is
// "Temps universel", a blank name "Ville sans nom"; a row that shows no time gives its name alone. Then, where
// they are known, whether the city is at work ("au bureau", "hors des heures de bureau") and the change of
// offset coming.
QString rowDescription(int index, const ClockRow& row, const QLocale& locale);

struct Rgb
{
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
namespace colours {
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};
// The high-contrast look's, on its black panel and its white day and black night faces: each at least 4.5 to
// 1 (by the relative luminance of WCAG) against whatever it is drawn on.
inline constexpr Rgb kCyan{0, 255, 255};       // Universal Time and the cities at the computer's time (16:1)
inline constexpr Rgb kLightRed{255, 96, 96};   // the highlighted city (7.1:1)
inline constexpr Rgb kAmber{122, 82, 0};       // a marked city's hands on a white day face (6.9:1)
inline constexpr Rgb kDarkGrey{64, 64, 64};    // the minute hand on a white day face (10.4:1)
inline constexpr Rgb kPaleGrey{200, 200, 200}; // the minute hand on a black night face (12.6:1)
} // namespace colours

// The program's two looks: the design's, and one whose every text and hand stands out from what lies behind
// it, for users who need contrast.
enum class Contrast
{
    Design,
    High
};

// A clock's two hands at a time of day, around the centre of their face: angles in degrees clockwise from
// twelve o'clock, the hour hand moving by one sixtieth of an hour each minute; seconds play no part. Their
// lengths are kMinuteHandLength and kHourHandLength.
struct Hands
{
    double minute = 0, hour = 0;
    friend bool operator==(const Hands&, const Hands&) = default;
};
Hands handsAt(const QTime& time);
// The far end of a hand of `length` at `angle`, from the centre of its face (y downwards).
QPointF handEnd(double angle, double length);

enum class Face
{
    Day,
    Night
};
// Light hands on a night face, dark ones on a day face.
struct HandColours
{
    Rgb minute, hour;
    friend bool operator==(const HandColours&, const HandColours&) = default;
};
HandColours handColours(Face face, Contrast contrast = Contrast::Design);

// A ring inside a face: solid for a city at work, dotted for one away, so that more than a colour tells them
// apart.
enum class Rim
{
    None,
    Solid,
    Dotted
};

struct RowLook
{
    Rgb text; // of the name and the time
    bool bold = false;
    Face face = Face::Night;
    HandColours handColours;
    Hands hands;
    Rim rim = Rim::None;
    Rgb rimColour = colours::kYellow;
    QString changeSign; // by the time: "▲" summer time coming, "▼" winter time, empty for none
    friend bool operator==(const RowLook&, const RowLook&) = default;
};

// How row `index` looks: Universal Time white and bold; a marked city yellow and bold, hands included;
// the highlighted city red and bold; a city at the computer's own time white and bold; any other black.
// A city whose working state is known has a ring (the design's faces stay bare otherwise), and a change of
// offset coming its sign: up where the clocks go forward, down where they go back.
// In high contrast, on a black panel: the other cities white, Universal Time and the cities at the computer's
// time cyan, the highlighted city light red, a marked one yellow; its hands and ring yellow on a night face,
// amber on a day face.
RowLook rowLook(int index, const ClockRow& row, bool highlighted, Contrast contrast = Contrast::Design);
