// Day or night by the sun for the 59 cities of the default list at one instant, as a full redraw asks it:
// the first time (each city's date computed, and the sun's places read from libnova) and once each date is
// known. Each city is put at its zone's own city (the coordinates of the tz database's zone.tab).
//   ./bench_sun   (wall time per iteration; see docs/performance.md)
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include "data/cityfile.h"
#include "rows/clockrow.h"
#include "time/sun.h"
#include "time/zones.h"

namespace {

// "+4852+00220" or "-332651-0703956": degrees, minutes and perhaps seconds, ISO 6709.
double angleOf(const QString& text, int degreeDigits)
{
    const int sign = text.startsWith(u'-') ? -1 : 1;
    const QString digits = text.mid(1);
    double value = digits.left(degreeDigits).toDouble() + digits.mid(degreeDigits, 2).toDouble() / 60.0;
    if (digits.size() > degreeDigits + 2)
        value += digits.mid(degreeDigits + 2, 2).toDouble() / 3600.0;
    return sign * value;
}

QHash<QString, Coordinates> zoneCities()
{
    QHash<QString, Coordinates> places;
    QFile table(QStringLiteral("/usr/share/zoneinfo/zone.tab"));
    if (!table.open(QIODevice::ReadOnly))
        return places;
    static const QRegularExpression position(QStringLiteral("^([+-]\\d{4,6})([+-]\\d{5,7})$"));
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() < 3 || line.startsWith('#'))
            continue;
        const QRegularExpressionMatch match = position.match(QString::fromLatin1(fields[1]));
        if (match.hasMatch())
            places.insert(QString::fromLatin1(fields[2]),
                          {angleOf(match.captured(1), 2), angleOf(match.captured(2), 3)});
    }
    return places;
}

} // namespace

class BenchSun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const CityFileContents list = readCityFile(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini"));
        const QStringList zones = cityZones(list.rows, {}, 2026);
        QList<ClockRow> rows(kCityRows + 1);
        loadCityRows(rows, list.rows, zones, false);
        const QHash<QString, Coordinates> places = zoneCities();
        for (int i = 1; i < rows.size(); ++i) {
            const ClockRow& row = rows[i];
            const QString zone = QString::fromLatin1(row.zone.id());
            // A city without a zone: its own offset, on its meridian.
            m_cities.append({row.zone.isValid() ? row.zone : QTimeZone(qRound(row.winter.hours * 3600)),
                             places.value(zone, Coordinates{45.0, row.winter.hours * 15.0})});
        }
        QCOMPARE(m_cities.size(), kCityRows);
    }

    // The first redraw with the sun: every city's date computed, and the sun's places for the days they
    // cover read from libnova.
    void firstDate()
    {
        QBENCHMARK
        {
            SunCache cache;
            QVERIFY(lightFaces(cache) > 0);
        }
    }

    // A full redraw once every city's date is known.
    void knownDates()
    {
        SunCache cache;
        lightFaces(cache);
        const int computed = cache.daysComputed();
        QBENCHMARK
        {
            QVERIFY(lightFaces(cache) > 0);
        }
        QCOMPARE(cache.daysComputed(), computed);
    }

    // The same with what screen readers say of each face: the 59 texts of the sun.
    void knownDatesWithTexts()
    {
        SunCache cache;
        lightFaces(cache);
        QBENCHMARK
        {
            qsizetype length = 0;
            for (int i = 0; i < m_cities.size(); ++i)
                length += sunText(cache.dayAt(i + 1, m_cities[i].place, m_cities[i].zone, m_instant)).size();
            QVERIFY(length > 0);
        }
    }

    // One city whose date has just changed (midnight there), the sun's places already known.
    void oneNewDate()
    {
        SunCache cache;
        lightFaces(cache);
        int day = 0;
        QBENCHMARK
        {
            ++day;
            cache.isSunUp(1, m_cities[0].place, m_cities[0].zone, m_instant.addDays(day % 8));
        }
    }

private:
    struct City
    {
        QTimeZone zone;
        Coordinates place;
    };

    int lightFaces(SunCache& cache) const
    {
        int light = 0;
        for (int i = 0; i < m_cities.size(); ++i)
            light += cache.isSunUp(i + 1, m_cities[i].place, m_cities[i].zone, m_instant);
        return light;
    }

    QList<City> m_cities;
    const QDateTime m_instant{QDate(2026, 12, 11), QTime(12, 0), Qt::UTC};
};

QTEST_GUILESS_MAIN(BenchSun)
#include "bench_sun.moc"
