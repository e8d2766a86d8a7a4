#pragma once

#include <QDateTime>

// One reading of "now". Both fields describe the same instant, so that comparing them never straddles a
// minute boundary.
struct Instant
{
    QDateTime universal; // Universal Time (Qt::UTC)
    QDateTime local;     // the computer's wall clock, held as a plain date and time (Qt::UTC, never converted)
};

// The computer's wall clock at any instant, its own changes of summer time included: what "ici" reads at an
// instant the clocks show. No reading of "now".
class ComputerZone
{
public:
    virtual ~ComputerZone() = default;
    virtual QDateTime localAt(const QDateTime& universal) const = 0;
};
