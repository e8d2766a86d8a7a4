#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

#include "rows/clockrow.h"
#include "time/instant.h"

class QLocale;

// The clocks may show another instant than now, to plan across the zones: "now" taken to the minute when the
// clocks left it (the anchor), moved by a shift in seconds, never more than a week either way. The wheel and
// the keys move the shift by quarters of an hour or by hours; a time typed for a city moves it to the instant
// the city reads that time; two minutes without a step, or a key, bring it back. A shift of 0 is now.
class ShownInstant
{
public:
    static constexpr qint64 kStep = 15 * 60;           // a notch of the wheel; Left and Right
    static constexpr qint64 kHour = 60 * 60;           // Page Up and Page Down
    static constexpr qint64 kLimit = 7 * 24 * 60 * 60; // either way
    static constexpr int kNotch = 120;                 // one notch in QWheelEvent::angleDelta()
    static constexpr qint64 kIdleSeconds = 2 * 60;     // without a step, the clocks go back to now

    // What a step did to the instant shown.
    enum Step
    {
        Unchanged, // at a limit, or already now
        Moved,
        BackToNow
    };

    // The instant the clocks show while the clock reads `now`.
    Instant at(const Instant& now) const;
    qint64 shift() const { return m_shift; }
    bool isShifted() const { return m_shift != 0; }
    // How the hover sentence speaks of the instant shown: "il sera", "il était", "il est".
    Tense tense() const;

    // The steps, each taken while the clock reads `now`.
    Step turnWheel(int angle, const Instant& now);
    // By `seconds` (a quarter of an hour, an hour; back where negative), within the week either way.
    Step moveBy(qint64 seconds, const Instant& now);
    // To the first instant, from the one shown on, at which the city of `row` reads `time`.
    Step showCityTime(const ClockRow& row, const QTime& time, const Instant& now, float computerOffset);
    Step backToNow();
    // To the instant `universal` (the minute of Universal Time it falls in), within the week either way.
    Step showUniversal(const QDateTime& universal, const Instant& now);
    // The farthest instant (Universal Time) the clocks may show that way (+1 forward, -1 back).
    QDateTime limit(int direction, const Instant& now) const;
    // Whether the shift has stood two minutes without a step, by the clock reading `now`.
    bool hasExpired(const Instant& now) const;
    // The seconds left before the clocks go back to now by themselves (0 when they are at now).
    qint64 secondsBeforeReturn(const Instant& now) const;
    // How far the instant shown is from `now`, in whole minutes as seconds: the shift, less the whole
    // minutes passed since the clocks left now, so that "Dans 1 h 30" reads "Dans 1 h 29" a minute later.
    qint64 distanceFrom(const Instant& now) const;
    // The line beside the digital clock while the clock reads `now`: how far and to when (shiftText), and in
    // the last ten seconds before the return, that the clocks are going back to now.
    QString lineText(const Instant& now, const QDateTime& local, const QLocale& locale) const;
    static constexpr qint64 kWarningSeconds = 10;

private:
    Step moveTo(qint64 seconds, const Instant& now);
    // The anchor of a shift: the one in force, or now to the minute.
    Instant anchor(const Instant& now) const;

    Instant m_anchor;
    qint64 m_shift = 0;
    int m_pendingWheel = 0; // the part of a notch turned
    QDateTime m_lastStep;   // Universal Time of the last step
};

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
WheelTurn shiftAfterWheel(qint64 shift, int pending, int angle);

// "Now" to the minute: both readings moved back by the seconds of the Universal one.
Instant toTheMinute(const Instant& now);
// The instant `seconds` after `anchor` (before it when negative), in both readings.
Instant shiftedInstant(const Instant& anchor, qint64 seconds);

// Whether a shift whose last step was at `lastStep` has stood two minutes without another, by the clock
// (Universal Time); a clock set back by as much counts too, so that the clocks never stay shifted for good.
bool shiftExpired(const QDateTime& lastStep, const QDateTime& now);

// A length of time in minutes as the shift line says it: "3 h 15", "2 h", "45 min", "1 j 3 h 05", "7 j".
QString durationText(qint64 minutes);

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
