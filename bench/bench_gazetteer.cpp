// The gazetteer: reading it from the program's resources, a keystroke's search (typing errors too), and the
// zones and places of the 59 cities of the default list, which every start looks up. See
// docs/performance.md.
#include <QTest>

#include "data/cityfile.h"
#include "data/cityindex.h"
#include "time/zones.h"

class BenchGazetteer : public QObject
{
    Q_OBJECT

private slots:
    // From the compiled-in file to an index ready to search: uncompressing and finding each record.
    void read()
    {
        QBENCHMARK
        {
            const std::shared_ptr<const CityIndex> index = CityIndex::shared();
            QVERIFY(index->size() > 15000);
        }
    }

    void search_data()
    {
        QTest::addColumn<QString>("typed");
        for (const char* typed : {"a",
                                  "p",
                                  "pa",
                                  "par",
                                  "pari",
                                  "paris",
                                  "san",
                                  "saint",
                                  "maroc",
                                  "états-unis",
                                  "ouagadougou",
                                  "北京",
                                  "zzzq",
                                  "tromso",
                                  "tokio",
                                  "djakarta",
                                  "kathmandou",
                                  "ouagadugu",
                                  "nouvelle orlaens",
                                  "qqqqqqqqqqqqqqqqqqqqqqqqqqqqqq"})
            QTest::addRow("%s", typed) << QString::fromUtf8(typed);
        QTest::addRow("10,000 characters") << QString(10000, u'a');
    }

    // One keystroke: the twelve best cities for the text typed so far, as the lists offer them.
    void search()
    {
        QFETCH(QString, typed);
        const CityIndex& index = CityIndex::builtIn();
        QBENCHMARK
        {
            index.search(typed, 12);
        }
    }

    // The zones of the default list's cities, as a start-up without a zone store tells them: without the
    // gazetteer.
    void zonesOfTheDefaultList()
    {
        const QList<CityFileRow> rows = readCityFile(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini")).rows;
        QCOMPARE(rows.size(), 59);
        QBENCHMARK
        {
            cityZones(rows, {}, 2026);
        }
    }

    // Where the default list's cities lie, from their names and zones: without the gazetteer either.
    void placesOfTheDefaultList()
    {
        const QList<CityFileRow> rows = readCityFile(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini")).rows;
        QStringList names;
        for (const CityFileRow& row : rows)
            names << row.record.name;
        const QStringList zones = cityZones(rows, {}, 2026);
        const int readings = CityIndex::readings();
        QBENCHMARK
        {
            cityCoordinates(names, zones);
        }
        QCOMPARE(CityIndex::readings(), readings);
    }

    // Where a list's cities that the default table does not place lie, the gazetteer held (the search's
    // benchmark keeps it): five lookups, each a scan of the folded names.
    void placesThroughTheGazetteer()
    {
        const QStringList names = {"Cholet", "Tromsø", "Ushuaïa", "Kyiv", "Busan"};
        const QStringList zones = {"Europe/Paris", "Europe/Oslo", "America/Argentina/Ushuaia", "Europe/Kyiv",
                                   "Asia/Seoul"};
        QBENCHMARK
        {
            cityCoordinates(names, zones);
        }
    }
};

QTEST_GUILESS_MAIN(BenchGazetteer)
#include "bench_gazetteer.moc"
