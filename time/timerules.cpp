#include "timerules.h"

#include <QLocale>
#include <cmath>

#include "data/numbers.h"

float computerOffset(const Instant& now)
{
    // The two wall clocks of one instant, dates included: a computer at UTC+14 is fourteen hours ahead, not
    // ten behind, as the time of day alone, folded into twelve hours either way, would have it.
    // Whole minutes on both sides, so the difference is exact.
    const auto wallClock = [](const QDateTime& time) {
        return QDateTime(time.date(), QTime(time.time().hour(), time.time().minute()), Qt::UTC);
    };
    const double minutes = wallClock(now.universal).secsTo(wallClock(now.local)) / 60;
    // Two decimals of hours, halves to the even neighbour (the default rounding mode of nearbyint).
    const double hundredths = std::nearbyint(minutes * 100.0 / 60.0);
    return static_cast<float>(hundredths / 100.0);
}

QString windowCaption(float offset, const QLocale& locale)
{
    const QString value = formatHours(offset, locale);
    return offset >= 0 ? QStringLiteral("Horlune (TU + ") + value + QStringLiteral(" )")
                       : QStringLiteral("Horlune (TU  ") + value + QStringLiteral(" )");
}

namespace {

QDate lastSundayOnOrBefore(const QDate& day)
{
    return day.addDays(-(day.dayOfWeek() % 7)); // Qt counts Monday = 1 ... Sunday = 7
}

} // namespace

QDate summerStart(int year)
{
    return lastSundayOnOrBefore(QDate(year, 3, 31));
}

QDate winterStart(int year)
{
    return lastSundayOnOrBefore(QDate(year, 10, 31));
}

bool isSummerTime(const QDate& today)
{
    return today >= summerStart(today.year()) && today <= winterStart(today.year());
}

QString seasonText(bool summer)
{
    return summer ? QStringLiteral("Heure d'été") : QStringLiteral("Heure d'hiver");
}

QString seasonMessage(bool summer, float offset, const QLocale& locale)
{
    return QStringLiteral("L'ordinateur est en ") + seasonText(summer) + QStringLiteral(".\r\nDécalage avec TU = ") +
           formatHours(offset, locale) + QStringLiteral(" heure(s).");
}
