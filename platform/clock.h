#pragma once

#include <QDateTime>

// One reading of "now". Both fields describe the same instant, so that comparing them never straddles a
// minute boundary.
struct Instant
{
    QDateTime universal; // Universal Time (Qt::UTC)
    QDateTime local;     // the computer's wall clock, held as a plain date and time (Qt::UTC, never converted)
};

// Every part of the program reads "now" through this interface; tests install a clock they set by hand.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual Instant now() const = 0;
};

// The system clock, to the whole second (the display never shows fractions, and a reading rounded up would
// show the next minute early).
class SystemClock : public Clock
{
public:
    Instant now() const override;
};
