#pragma once

#include <QDateTime>

// One reading of "now". Both fields describe the same instant, so that comparing them never straddles a
// minute boundary.
struct Instant
{
    QDateTime universal; // Universal Time (Qt::UTC)
    QDateTime local;     // the computer's wall clock, held as a plain date and time (Qt::UTC, never converted)
};
