// Costs of planning with the marked cities, measured with QBENCHMARK (not part of the test pass/fail):
//   ./bench_plan   (wall time per iteration)
#include <QFile>
#include <QTest>

#include "data/cityfile.h"
#include "plan/changes.h"
#include "plan/commonhour.h"
#include "time/zones.h"

class BenchPlan : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The shipped list, every city marked, with its zone as the program gives it.
        const CityFileContents list = readCityFile(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini"));
        const QStringList zones = cityZones(list.rows, {}, 2026);
        m_rows.resize(kCityRows + 1);
        loadCityRows(m_rows, list.rows, zones, false);
    }

    // The worst case: a week of quarter hours (672) for 59 cities, where one never meets the others.
    void commonHourOverTheWeek()
    {
        const QDateTime from(QDate(2026, 12, 10), QTime(8, 0), Qt::UTC);
        QList<PlanCity> cities;
        for (int i = 1; i < m_rows.size(); ++i)
            cities.append(planCity(m_rows[i], from.addDays(-7), from.addDays(7), 1));
        const WorkHours hours;
        QBENCHMARK
        {
            const CommonHour common = findCommonHour(cities, from, 1, from.addDays(7), hours);
            QVERIFY(common.atWork > 0);
        }
    }

    // With the cities' offsets along the week made first, as each Ctrl+Right does.
    void commonHourWithItsCities()
    {
        const QDateTime from(QDate(2026, 12, 10), QTime(8, 0), Qt::UTC);
        QBENCHMARK
        {
            QList<PlanCity> cities;
            for (int i = 1; i < m_rows.size(); ++i)
                cities.append(planCity(m_rows[i], from.addDays(-7), from.addDays(7), 1));
            findCommonHour(cities, from, 1, from.addDays(7), WorkHours());
        }
    }

    // The signs of changes coming, at each full redraw.
    void changesComing()
    {
        const QDateTime from(QDate(2026, 10, 20), QTime(12, 0), Qt::UTC);
        QBENCHMARK
        {
            QVERIFY(comingChanges(m_rows, from, 1).size() > 10);
        }
    }

    // Whether each of the 59 cities is at work, as each step while planning asks for the faces.
    void workStates()
    {
        const Instant shown{QDateTime(QDate(2026, 12, 10), QTime(14, 0), Qt::UTC),
                            QDateTime(QDate(2026, 12, 10), QTime(15, 0), Qt::UTC)};
        for (ClockRow& row : m_rows)
            setInstant(row, shown, 1);
        const WorkHours hours;
        QBENCHMARK
        {
            int atWork = 0;
            for (int i = 1; i < m_rows.size(); ++i)
                atWork += isAtWork(workingDays(m_rows[i]), m_rows[i].cityTime, hours);
            QVERIFY(atWork > 0);
        }
    }

private:
    QList<ClockRow> m_rows;
};

QTEST_GUILESS_MAIN(BenchPlan)
#include "bench_plan.moc"
