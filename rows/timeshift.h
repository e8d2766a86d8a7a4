#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

#include "rows/clockrow.h"
#include "time/instant.h"

class QLocale;

// The clocks may show another instant than now, to plan across the zones: "now" taken to the minute when
// the clocks left it (the anchor), moved by a shift in seconds, never more than a week either way. The
// wheel and the keys move the shift by quarters of an hour or by hours; a time typed for a city moves it to
// the instant the city reads that time. A shift of 0 is now.
namespace shift {
inline constexpr qint64 kStep = 15 * 60;           // a notch of the wheel; Left and Right
inline constexpr qint64 kHour = 60 * 60;           // Page Up and Page Down
inline constexpr qint64 kLimit = 7 * 24 * 60 * 60; // either way
inline constexpr int kNotch = 120;                 // one notch in QWheelEvent::angleDelta()
inline constexpr qint64 kIdleSeconds = 2 * 60;     // without the wheel or a key, the clocks go back to now
} // namespace shift

// The shift brought within a week either way.
qint64 clampShift(qint64 seconds);

// The wheel turned by `angle` (eighths of a degree, rolled away from the user positive) after `pending`,
// the part of a notch turned before: each whole notch moves the shift by a quarter of an hour, forward
// away from the user; the part of a notch left over waits for the next turn.
struct WheelTurn
{
    qint64 shift = 0;
    int pending = 0;
};
WheelTurn turnWheel(qint64 shift, int pending, int angle);

// The shift after a key (a Qt::Key): Right and Left a quarter of an hour forward and back, Page Up and Page
// Down an hour; Home and Escape back to now. Nothing for any other key.
std::optional<qint64> keyShift(int key, qint64 shift);

// "Now" to the minute: both readings moved back by the seconds of the Universal one.
Instant toTheMinute(const Instant& now);
// The instant `seconds` after `anchor` (before it when negative), in both readings.
Instant shiftedInstant(const Instant& anchor, qint64 seconds);

// Whether a shift whose last step was at `lastStep` has stood two minutes without another, by the clock
// (Universal Time); a clock set back by as much counts too, so that the clocks never stay shifted for good.
bool shiftExpired(const QDateTime& lastStep, const QDateTime& now);

// What the line beside the digital clock says of a shift: how far and to when, by the computer's wall
// clock `local` at the shifted instant: "Dans 3 h 15 — jeudi 11 décembre, 18.15 ici", "Il y a 2 h — ...",
// "Dans 45 min — ...", "Dans 1 j 3 h 05 — ..."; empty for no shift.
QString shiftText(qint64 shift, const QDateTime& local, const QLocale& locale);

// A time typed for a city: "15", "15h", "15.30", "15:30", "15 h 30"; or, where the text is no such time,
// an invalid time and a hint in French that says why.
struct TypedTime
{
    QTime time;
    QString hint;
};
TypedTime readTypedTime(const QString& text);

// The shift from `anchor` that shows the first instant, from the one `shift` shows on, at which the city of
// `row` reads `time` (its hour and minute): at most a day ahead, and a day earlier where that would be
// beyond a week. A city whose offset changes on the way (summer time) reads the time asked at the instant
// found.
qint64 shiftForCityTime(ClockRow row, const Instant& anchor, qint64 shift, const QTime& time, float computerOffset);
