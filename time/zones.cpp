#include "zones.h"

#include <cmath>

#include "data/cityindex.h"
#include "data/numbers.h"
#include "data/zonestore.h"

QTimeZone zoneOf(const QString& id)
{
    if (id.isEmpty())
        return {};
    return QTimeZone(id.toUtf8());
}

namespace {

double offsetOn(const QTimeZone& zone, int year, int month)
{
    return zone.offsetFromUtc(QDateTime(QDate(year, month, 15), QTime(12, 0), Qt::UTC)) / 3600.0;
}

// How far back a city's offsets may come from: long enough for a list typed before a country changed its
// rules (Mexico, 2022), short enough that offsets of the last century (France before 1976) count for no zone.
constexpr int kYearsOfHistory = 25;

bool sameHours(double a, double b)
{
    return std::fabs(a - b) < 1e-6;
}

} // namespace

SeasonOffsets seasonOffsets(const QTimeZone& zone, int year)
{
    return {offsetOn(zone, year, 7), offsetOn(zone, year, 1)};
}

bool offsetsAgree(const QTimeZone& zone, double summer, double winter, int year)
{
    bool summerSeen = false, winterSeen = false;
    for (int y = year + 1; y >= year - kYearsOfHistory && !(summerSeen && winterSeen); --y) {
        summerSeen = summerSeen || sameHours(offsetOn(zone, y, 7), summer);
        winterSeen = winterSeen || sameHours(offsetOn(zone, y, 1), winter);
    }
    return summerSeen && winterSeen;
}

QString derivedZone(const CityRecord& city, const CityIndex& index, int year)
{
    const double summer = readNumber(city.summer), winter = readNumber(city.winter);
    for (const QString& id : index.zonesOf(city.name)) {
        const QTimeZone zone = zoneOf(id);
        if (zone.isValid() && offsetsAgree(zone, summer, winter, year))
            return id;
    }
    return {};
}

QString cityZone(const CityRecord& city, const QList<ZoneChoice>& choices, const CityIndex& index, int year)
{
    if (const ZoneChoice* choice = findChoice(choices, city))
        return zoneOf(choice->zone).isValid() ? choice->zone : QString();
    return derivedZone(city, index, year);
}

QStringList cityZones(const QList<CityFileRow>& rows, const QList<ZoneChoice>& choices, const CityIndex& index,
                      int year)
{
    QStringList zones;
    for (const CityFileRow& row : rows)
        zones.append(cityZone(row.record, choices, index, year));
    return zones;
}

QString utcOffsetText(float hours)
{
    const int minutes = static_cast<int>(std::lround(std::fabs(hours) * 60));
    QString text = QStringLiteral("UTC") + (hours < 0 ? u'-' : u'+') + QString::number(minutes / 60);
    if (minutes % 60)
        text += QStringLiteral(":%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
    return text;
}
