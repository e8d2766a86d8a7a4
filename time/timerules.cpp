#include "timerules.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

#include "data/numbers.h"
#include "platform/beeper.h"

float HeureTU(const Instant& now)
{
    const QTime t = now.universal.time();
    return static_cast<float>(t.hour() + t.minute() / 60.0);
}

float computerOffset(const Instant& now)
{
    // Whole minutes on both sides, so the difference is exact (no single-precision residue to round away).
    const QTime local = now.local.time();
    const QTime utc = now.universal.time();
    int minutes = (local.hour() * 60 + local.minute()) - (utc.hour() * 60 + utc.minute());
    if (minutes < 0)
        minutes += 24 * 60;
    if (minutes > 12 * 60)
        minutes -= 24 * 60;
    // Two decimals of hours, halves to the even neighbour (the default rounding mode of nearbyint).
    const double hundredths = std::nearbyint(minutes * 100.0 / 60.0);
    return static_cast<float>(hundredths / 100.0);
}

float CalculFuseau(const Clock& clock, Beeper& beeper)
{
    const float offset = computerOffset(clock.now());
    beeper.beep();
    return offset;
}

QDate CmaDate(const QDateTime& value)
{
    return value.date();
}

QDate CmaDate(const QString& dayMonthYear)
{
    const QStringList parts = dayMonthYear.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return {};
    bool okDay = false, okMonth = false, okYear = false;
    const int day = parts[0].trimmed().toInt(&okDay);
    const int month = parts[1].trimmed().toInt(&okMonth);
    const int year = parts[2].trimmed().toInt(&okYear);
    if (!okDay || !okMonth || !okYear)
        return {};
    return QDate(year, month, day);
}

namespace {

// The last Sunday on or before the 31st of the month.
QDate lastSundayOnOrBefore31st(const QString& dayAndMonth, qint16 year)
{
    const QDate last = CmaDate(dayAndMonth + QString::number(year));
    const int sundayFirst = last.dayOfWeek() % 7 + 1; // Sunday = 1 ... Saturday = 7
    return last.addDays(1 - sundayFirst);
}

} // namespace

QDate DebutEte(qint16 year)
{
    return lastSundayOnOrBefore31st(QStringLiteral("31/03/"), year);
}

QDate DebutHiver(qint16 year)
{
    return lastSundayOnOrBefore31st(QStringLiteral("31/10/"), year);
}

bool isSummerTime(const QDate& today)
{
    const auto year = static_cast<qint16>(today.year());
    return today >= DebutEte(year) && today <= DebutHiver(year);
}

QString seasonText(bool summer)
{
    return summer ? QStringLiteral("Heure d'été") : QStringLiteral("Heure d'hiver");
}

QString seasonMessage(const QString& season, float offset, const QLocale& locale)
{
    return QStringLiteral("L'ordinateur est en ") + season + QStringLiteral(".") + QStringLiteral("\r\n") +
           QStringLiteral("Décalage avec TU = ") + formatSingle(offset, locale) + QStringLiteral(" heure(s).");
}
