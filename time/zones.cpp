#include "zones.h"

#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

#include "data/cityindex.h"
#include "data/numbers.h"
#include "data/safefile.h"
#include "data/zonestore.h"

namespace {

// The zones and links of the system's tz database, read once from its own list: QTimeZone opens a file
// under the id it is given, so an id is handed to it only once the database names it (never "../x", never
// a word of letters that Qt would take for Universal Time).
const QSet<QString>& knownZoneIds()
{
    static const QSet<QString> ids = [] {
        QSet<QString> known;
        const FileRead list = readRegularFile(QStringLiteral("/usr/share/zoneinfo/tzdata.zi"), 4 * 1024 * 1024);
        // "Z Europe/Paris ..." names a zone, "L Europe/Kyiv Europe/Kiev" a link; the rules' lines, most of the
        // file, are stepped over without being cut into words (which cost a start 20 million instructions).
        const char* at = list.bytes.constData();
        const char* const end = at + list.bytes.size();
        auto wordEnd = [](const char* from, const char* limit) {
            const void* space = std::memchr(from, ' ', size_t(limit - from));
            return space ? static_cast<const char*>(space) : limit;
        };
        while (at < end) {
            const void* newline = std::memchr(at, '\n', size_t(end - at));
            const char* const lineEnd = newline ? static_cast<const char*>(newline) : end;
            if (lineEnd - at > 2 && (at[0] == 'Z' || at[0] == 'L') && at[1] == ' ') {
                const char* name = at + 2;
                if (at[0] == 'L')
                    name = wordEnd(name, lineEnd) + 1; // the link's own name follows its target
                if (name < lineEnd) {
                    const char* const nameEnd = wordEnd(name, lineEnd);
                    if (nameEnd > name)
                        known.insert(QString::fromLatin1(name, nameEnd - name));
                }
            }
            at = lineEnd + 1;
        }
        if (known.isEmpty()) { // another layout of the database: Qt's own list, without the old names
            for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
                known.insert(QString::fromLatin1(id));
        }
        return known;
    }();
    return ids;
}

} // namespace

bool isZoneId(const QString& id)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9_+-]+(/[A-Za-z0-9_+-]+)*$"));
    return id.size() <= 64 && form.match(id).hasMatch() && knownZoneIds().contains(id);
}

QTimeZone zoneOf(const QString& id)
{
    if (!isZoneId(id))
        return {};
    return QTimeZone(id.toLatin1());
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

namespace {

// The zone a city follows when the gazetteer is not needed to tell it: the user's choice, or the default
// list's city of that name with its offsets.
std::optional<QString> zoneWithoutGazetteer(const CityRecord& city, const QList<ZoneChoice>& choices, int year)
{
    if (const ZoneChoice* choice = findChoice(choices, city))
        return zoneOf(choice->zone).isValid() ? choice->zone : QString();
    const QString id = defaultCityZone(city.name);
    if (!id.isEmpty() && offsetsAgree(zoneOf(id), readNumber(city.summer), readNumber(city.winter), year))
        return id;
    return std::nullopt;
}

// The zone of a gazetteer's city of that name whose offsets agree.
QString gazetteerZone(const CityRecord& city, const CityIndex& index, int year)
{
    const double summer = readNumber(city.summer), winter = readNumber(city.winter);
    for (const QString& id : index.zonesOf(city.name)) {
        const QTimeZone zone = zoneOf(id);
        if (zone.isValid() && offsetsAgree(zone, summer, winter, year))
            return id;
    }
    return {};
}

} // namespace

QString derivedZone(const CityRecord& city, const CityIndex& index, int year)
{
    return cityZone(city, {}, index, year);
}

QString cityZone(const CityRecord& city, const QList<ZoneChoice>& choices, const CityIndex& index, int year)
{
    if (const std::optional<QString> zone = zoneWithoutGazetteer(city, choices, year))
        return *zone;
    return gazetteerZone(city, index, year);
}

QStringList cityZones(const QList<CityFileRow>& rows, const QList<ZoneChoice>& choices, int year)
{
    std::shared_ptr<const CityIndex> gazetteer; // read at the first city that needs it, let go at the end
    QStringList zones;
    for (const CityFileRow& row : rows) {
        if (const std::optional<QString> zone = zoneWithoutGazetteer(row.record, choices, year)) {
            zones.append(*zone);
            continue;
        }
        if (!gazetteer)
            gazetteer = CityIndex::shared();
        zones.append(gazetteerZone(row.record, *gazetteer, year));
    }
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
