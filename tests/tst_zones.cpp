#include <QDir>
#include <QFile>
#include <QTest>

#include "data/cityfile.h"
#include "data/cityindex.h"
#include "data/locations.h"
#include "data/zonestore.h"
#include "rows/clockrow.h"
#include "save/citylist.h"
#include "save/save.h"
#include "support/testenv.h"
#include "time/zones.h"

// Cities that follow their time zone: the index, the rule that gives a city its zone, the store of the
// user's choices, and the time each city shows. The zones come from the system's tz database; the instants
// are fixed, so nothing depends on the machine's own zone or date.
class TestZones : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void shippedListFollowsTheTzDatabase_data();
    void shippedListFollowsTheTzDatabase();
    void knownDays_data();
    void knownDays();
    void cityWithoutZoneFollowsTheSeason();
    void zoneOfACity_data();
    void zoneOfACity();
    void storedChoicesComeFirst();
    void saveKeepsWhatCannotBeTold();
    void storeRoundTrip();
    void damagedStores_data();
    void damagedStores();
    void utcOffsets_data();
    void utcOffsets();
    void everyZoneQtListsIsOne();
    void onlyTheDatabasesIdsAreZones_data();
    void onlyTheDatabasesIdsAreZones();

private:
    QList<CityFileRow> m_shipped;
};

namespace {

QDateTime utc(int y, int m, int d, int h, int mi)
{
    return QDateTime(QDate(y, m, d), QTime(h, mi), Qt::UTC);
}

// The rows of the shipped list, loaded with their zones, brought to an instant (the computer at
// Universal Time + 1).
QList<ClockRow> shippedRowsAt(const QList<CityFileRow>& records, const QDateTime& universal)
{
    QList<ClockRow> rows(kRows);
    const QStringList zones = cityZones(records, {}, universal.date().year());
    loadCityRows(rows, records, zones, false);
    const Instant now{universal, QDateTime(universal.date(), universal.time(), Qt::UTC).addSecs(3600)};
    for (ClockRow& row : rows)
        setInstant(row, now, 1);
    return rows;
}

} // namespace

void TestZones::initTestCase()
{
    if (!QTimeZone(QByteArrayLiteral("America/New_York")).isValid())
        QSKIP("the system's tz database is missing");
    const CityFileContents contents = readCityFile(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini"));
    QCOMPARE(contents.status, ReadStatus::Read);
    m_shipped = contents.rows;
}

void TestZones::shippedListFollowsTheTzDatabase_data()
{
    // Around every change of 2026 of every zone of the shipped list: a minute before and a minute after.
    QTest::addColumn<int>("row");
    QTest::addColumn<QDateTime>("instant");
    const QStringList zones = cityZones(m_shipped, {}, 2026);
    for (int i = 0; i < zones.size(); ++i) {
        const QTimeZone zone(zones[i].toUtf8());
        const auto transitions = zone.transitions(utc(2026, 1, 1, 0, 0), utc(2027, 1, 1, 0, 0));
        for (const QTimeZone::OffsetData& change : transitions) {
            for (int minutes : {-1, 1})
                QTest::addRow("%s %s%+d min", qPrintable(m_shipped[i].record.name),
                              qPrintable(change.atUtc.toString(Qt::ISODate)), minutes)
                    << i + 1 << change.atUtc.addSecs(60 * minutes);
        }
        QTest::addRow("%s mid-year", qPrintable(m_shipped[i].record.name)) << i + 1 << utc(2026, 7, 1, 12, 0);
    }
}

void TestZones::shippedListFollowsTheTzDatabase()
{
    QFETCH(int, row);
    QFETCH(QDateTime, instant);
    const QList<ClockRow> rows = shippedRowsAt(m_shipped, instant);
    const ClockRow& city = rows[row];
    QVERIFY2(city.zone.isValid(), "every city of the shipped list has its zone");
    const int offset = city.zone.offsetFromUtc(instant);
    QCOMPARE(city.cityTime, QDateTime(instant.addSecs(offset).date(), instant.addSecs(offset).time(), Qt::UTC));
    QCOMPARE(city.offset, float(offset / 3600.0));
}

void TestZones::knownDays_data()
{
    // Days on which one rule for every city is an hour off somewhere; the times as the world had them.
    QTest::addColumn<QString>("city");
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<QString>("shown");
    const QDateTime march15 = utc(2026, 3, 15, 12, 0), april1 = utc(2026, 4, 1, 12, 0);
    const QDateTime october28 = utc(2026, 10, 28, 12, 0);
    QTest::addRow("New York, 15 March") << "New York" << march15 << "08.00";
    QTest::addRow("Chicago, 15 March") << "Chicago" << march15 << "07.00";
    QTest::addRow("Los Angeles, 15 March") << "Los Angeles" << march15 << "05.00";
    QTest::addRow("Montréal, 15 March") << "Montréal" << march15 << "08.00";
    QTest::addRow("La Havane, 15 March") << "La Havane" << march15 << "08.00";
    QTest::addRow("Anchorage, 15 March") << "Anchorage" << march15 << "04.00";
    QTest::addRow("Santiago, 1 April") << "Santiago" << april1 << "09.00";
    QTest::addRow("Sydney, 1 April") << "Sydney" << april1 << "23.00";
    QTest::addRow("Adélaïde, 1 April") << "Adélaïde" << april1 << "22.30";
    QTest::addRow("Auckland, 1 April") << "Auckland" << april1 << "01.00";
    QTest::addRow("Le Caire, 1 April") << "Le Caire" << april1 << "14.00";
    QTest::addRow("New York, 28 October") << "New York" << october28 << "08.00";
    QTest::addRow("Casablanca in Ramadan") << "Casablanca" << utc(2026, 3, 1, 12, 0) << "12.00";
    QTest::addRow("Casablanca after Ramadan") << "Casablanca" << april1 << "13.00";
    QTest::addRow("Paris in winter") << "Paris" << utc(2026, 12, 10, 12, 0) << "13.00";
}

void TestZones::knownDays()
{
    QFETCH(QString, city);
    QFETCH(QDateTime, instant);
    QFETCH(QString, shown);
    const QList<ClockRow> rows = shippedRowsAt(m_shipped, instant);
    const auto found =
        std::find_if(rows.begin(), rows.end(), [&city](const ClockRow& row) { return row.name == city; });
    QVERIFY(found != rows.end());
    QCOMPARE(clockCaption(found->cityTime.time()), shown);
}

void TestZones::cityWithoutZoneFollowsTheSeason()
{
    // A city the index does not know keeps the one rule: its summer offset from the last Sunday of March,
    // decided by the date of the instant it is brought to.
    QList<ClockRow> rows(kRows);
    loadCityRows(rows, {{{"Nulle part", "-4", "-5"}, true}}, {QString()}, true);
    QVERIFY(!rows[1].zone.isValid());
    setInstant(rows[1], {utc(2026, 3, 29, 12, 0), utc(2026, 3, 29, 13, 0)}, 1);
    QCOMPARE(rows[1].offset, -4.0f);
    QCOMPARE(clockCaption(rows[1].cityTime.time()), QStringLiteral("08.00"));
    setInstant(rows[1], {utc(2026, 3, 28, 12, 0), utc(2026, 3, 28, 13, 0)}, 1);
    QCOMPARE(rows[1].offset, -5.0f);
    QCOMPARE(clockCaption(rows[1].cityTime.time()), QStringLiteral("07.00"));
}

void TestZones::zoneOfACity_data()
{
    QTest::addColumn<QStringList>("city"); // name, summer offset, winter offset
    QTest::addColumn<QString>("zone");
    // clang-format off
    QTest::addRow("a city of the index") << QStringList{"Paris", "2", "1"} << "Europe/Paris";
    QTest::addRow("letter case and accents aside") << QStringList{"MONTREAL", "-4", "-5"} << "America/Toronto";
    QTest::addRow("another name of the city") << QStringList{"New Orleans", "-5", "-6"} << "America/Chicago";
    QTest::addRow("offsets of its own") << QStringList{"Paris", "3", "2"} << "";
    QTest::addRow("offsets of the last century") << QStringList{"Paris", "1", "1"} << "";
    QTest::addRow("southern offsets the wrong way round") << QStringList{"Sydney", "11", "10"} << "";
    QTest::addRow("offsets of before a change of rules") << QStringList{"Mexico", "-5", "-6"} << "America/Mexico_City";
    QTest::addRow("offsets of today") << QStringList{"Mexico", "-6", "-6"} << "America/Mexico_City";
    QTest::addRow("a quarter hour") << QStringList{"Katmandou", "5.75", "5.75"} << "Asia/Kathmandu";
    QTest::addRow("three quarters, changing") << QStringList{"Chatham", "12.75", "13.75"} << "Pacific/Chatham";
    QTest::addRow("a half-hour change") << QStringList{"Lord Howe", "10.5", "11"} << "Australia/Lord_Howe";
    QTest::addRow("two cities of one name") << QStringList{"Saint-Pierre", "4", "4"} << "Indian/Reunion";
    QTest::addRow("the other one") << QStringList{"Saint-Pierre", "-2", "-3"} << "America/Miquelon";
    QTest::addRow("a name of an earlier default list") << QStringList{"Saint-Jean de Terre-Neuve", "-2.5", "-3.5"} << "America/St_Johns";
    QTest::addRow("a name the index does not know") << QStringList{"Lutèce", "2", "1"} << "";
    QTest::addRow("an empty name") << QStringList{"", "0", "0"} << "";
    QTest::addRow("letters for offsets") << QStringList{"Paris", "abc", "x"} << "";
    // clang-format on
}

void TestZones::zoneOfACity()
{
    QFETCH(QStringList, city);
    QFETCH(QString, zone);
    QCOMPARE(derivedZone({city[0], city[1], city[2]}, CityIndex::builtIn(), 2026), zone);
}

void TestZones::storedChoicesComeFirst()
{
    const CityIndex& index = CityIndex::builtIn();
    const QList<ZoneChoice> choices = {{{"Lutèce", "2", "1"}, "Europe/Paris"},
                                       {{"Paris", "2", "1"}, ""},
                                       {{"Atlantide", "0", "0"}, "Atlantis/Capital"}};
    QCOMPARE(cityZone({"Lutèce", "2", "1"}, choices, index, 2026), QStringLiteral("Europe/Paris"));
    QCOMPARE(cityZone({"Paris", "2", "1"}, choices, index, 2026), QString());     // the user's own offsets
    QCOMPARE(cityZone({"Atlantide", "0", "0"}, choices, index, 2026), QString()); // an unknown zone: none
    // A choice belongs to the city's three texts: the same name with other offsets is another city.
    QCOMPARE(cityZone({"Lutèce", "3", "2"}, choices, index, 2026), QString());
    QCOMPARE(cityZone({"Tokyo", "9", "9"}, choices, index, 2026), QStringLiteral("Asia/Tokyo"));
}

void TestZones::saveKeepsWhatCannotBeTold()
{
    const CityIndex& index = CityIndex::builtIn();
    const QList<EditorLine> lines = {
        {"Paris", "2", "1", false, "Europe/Paris"},          // told by its name and offsets: nothing kept
        {"Lutèce", "2", "1", true, "Europe/Paris"},          // renamed: its zone is kept
        {"Tokyo", "9", "9", false, ""},                      // offsets typed: kept as no zone
        {"Tokyo", "9", "9", false, "Asia/Tokyo"},            // same texts: the first line decides
        {"Base vie", "5", "5", false, "Asia/Yekaterinburg"}, // chosen for a name the index does not know
    };
    const QList<ZoneChoice> previous = {{{"Vieux nom", "4", "4"}, "Asia/Dubai"}, // still on disk, not in the lines
                                        {{"Oublié", "1", "1"}, "Europe/Berlin"}, // no longer on disk
                                        {{"Lutèce", "2", "1"}, "Europe/Rome"}};  // overridden by a line
    const QList<CityFileRow> onDisk = {{{"Vieux nom", "4", "4"}, true}, {{"Lutèce", "2", "1"}, true}};
    const QList<ZoneChoice> expected = {{{"Lutèce", "2", "1"}, "Europe/Paris"},
                                        {{"Tokyo", "9", "9"}, ""},
                                        {{"Base vie", "5", "5"}, "Asia/Yekaterinburg"},
                                        {{"Vieux nom", "4", "4"}, "Asia/Dubai"}};
    QCOMPARE(zoneChoices(lines, previous, onDisk, index, 2026), expected);
}

void TestZones::storeRoundTrip()
{
    TestEnvironment env;
    const QString path = zoneStorePath(env.programDirectory());
    const QList<ZoneChoice> choices = {{{"Lutèce, \"la vieille\"", "2", "1"}, "Europe/Paris"},
                                       {{"Москва", "3", "3"}, ""},
                                       {{"", "", ""}, "Asia/Tokyo"}};
    QString error;
    QVERIFY(writeZoneStore(path, choices, &error));
    QCOMPARE(readZoneStore(path).choices, choices);
    QVERIFY(!writeZoneStore(QDir(env.programDirectory()).filePath("absent/horlune.zones"), choices, &error));
    QVERIFY(!error.isEmpty());
}

void TestZones::damagedStores_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("choices");
    // clang-format off
    QTest::addRow("empty") << QByteArray() << 0;
    QTest::addRow("not JSON") << QByteArray("Paris=Europe/Paris") << 0;
    QTest::addRow("cut short") << QByteArray(R"({"zones":[{"name":"Paris","summer":"2","winter":"1","zo)") << 0;
    QTest::addRow("an array") << QByteArray("[1,2,3]") << 0;
    QTest::addRow("wrong types skipped") << QByteArray( R"({"zones":[{"name":5,"zone":"Europe/Paris"},{"name":"A","summer":"1","winter":"1","zone":null},)" R"("x",{"name":"B","summer":"1","winter":"1","zone":"Europe/Paris"}]})") << 1;
    QByteArray binary(100'000, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char(i * 7919 % 251);
    QTest::addRow("binary") << binary << 0;
    // clang-format on
}

void TestZones::damagedStores()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, choices);
    TestEnvironment env;
    QFile file(zoneStorePath(env.programDirectory()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QCOMPARE(readZoneStore(file.fileName()).choices.size(), choices);
    QVERIFY(readZoneStore(QDir(env.programDirectory()).filePath("none")).choices.isEmpty());
}

void TestZones::utcOffsets_data()
{
    QTest::addColumn<float>("hours");
    QTest::addColumn<QString>("text");
    QTest::addRow("east") << 8.0f << "UTC+8";
    QTest::addRow("zero") << 0.0f << "UTC+0";
    QTest::addRow("half west") << -3.5f << "UTC-3:30";
    QTest::addRow("quarter") << 5.75f << "UTC+5:45";
}

void TestZones::utcOffsets()
{
    QFETCH(float, hours);
    QFETCH(QString, text);
    QCOMPARE(utcOffsetText(hours), text);
}

void TestZones::everyZoneQtListsIsOne()
{
    // Qt lists the zones from the system's own table of them, apart from the database's file; the fixed offsets
    // it adds itself ("UTC+05:30") are no file's.
    int listed = 0;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
        if (id.contains(':'))
            continue;
        QVERIFY2(isZoneId(QString::fromLatin1(id)), id.constData());
        ++listed;
    }
    QVERIFY(listed > 300);
}

void TestZones::onlyTheDatabasesIdsAreZones_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("zone");
    // clang-format off
    QTest::addRow("a zone")                      << "Europe/Paris"                   << true;
    QTest::addRow("three parts")                 << "America/Argentina/Buenos_Aires" << true;
    QTest::addRow("a sign in the name")          << "Etc/GMT+5"                      << true;
    QTest::addRow("an old name, a link")         << "Asia/Calcutta"                  << true;
    QTest::addRow("one word of the database")    << "UTC"                            << true;
    QTest::addRow("letters only")                << "Nonsense"                       << false;
    QTest::addRow("short letters")               << "abc"                            << false;
    QTest::addRow("the right form, unknown")     << "Atlantis/Capital"               << false;
    QTest::addRow("a path up")                   << "../../../../tmp/fifo"           << false;
    QTest::addRow("up from a zone")              << "Europe/../../x"                 << false;
    QTest::addRow("an absolute path")            << "/etc/passwd"                    << false;
    QTest::addRow("a zone's file by its path")   << "/usr/share/zoneinfo/UTC"        << false;
    QTest::addRow("a space")                     << "Europe/Paris "                  << false;
    QTest::addRow("an empty part")               << "Europe//Paris"                  << false;
    QTest::addRow("empty")                       << ""                               << false;
    // clang-format on
}

void TestZones::onlyTheDatabasesIdsAreZones()
{
    QFETCH(QString, id);
    QFETCH(bool, zone);
    QCOMPARE(isZoneId(id), zone);
    QCOMPARE(zoneOf(id).isValid(), zone);
    // A store naming it: the city follows the zone, or its own offsets.
    const QList<ZoneChoice> choices = {{{"Ville", "5", "5"}, id}};
    QCOMPARE(cityZone({"Ville", "5", "5"}, choices, CityIndex::builtIn(), 2026), zone ? id : QString());
}

QTEST_GUILESS_MAIN(TestZones)
#include "tst_zones.moc"
