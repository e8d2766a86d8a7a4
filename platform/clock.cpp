#include "clock.h"

Instant SystemClock::now() const
{
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
    const QDateTime wall = utc.toLocalTime();
    return {utc, QDateTime(wall.date(), wall.time(), Qt::UTC)};
}
