#include "clock.h"

Instant SystemClock::now() const
{
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
    const QDateTime wall = utc.toLocalTime();
    return {utc, QDateTime(wall.date(), wall.time(), Qt::UTC)};
}

int SystemClock::msecsToNextSecond() const
{
    return int(1000 - QDateTime::currentMSecsSinceEpoch() % 1000);
}

QDateTime SystemClock::localAt(const QDateTime& universal) const
{
    const QDateTime wall = universal.toLocalTime();
    return QDateTime(wall.date(), wall.time(), Qt::UTC);
}
