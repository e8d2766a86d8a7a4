#pragma once

#include "time/instant.h"

// Every part of the program reads "now" through this interface; tests install a clock they set by hand.
class Clock : public ComputerZone
{
public:
    virtual Instant now() const = 0;
    // How long until the displayed second changes, in milliseconds (1 to 1000).
    virtual int msecsToNextSecond() const = 0;
};

// The system clock, to the whole second (the display never shows fractions, and a reading rounded up would
// show the next minute early).
class SystemClock : public Clock
{
public:
    Instant now() const override;
    int msecsToNextSecond() const override;
    QDateTime localAt(const QDateTime& universal) const override;
};
