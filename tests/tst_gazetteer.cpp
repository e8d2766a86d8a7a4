#include <QCryptographicHash>
#include <QFile>
#include <QTest>
#include <QTimeZone>
#include <QtEndian>

#include "data/cityindex.h"

// The gazetteer of world cities: what a search finds and in which order, the zones of a city's name, and
// files that are not whole.
class TestGazetteer : public QObject
{
    Q_OBJECT

private slots:
    // First: the other tests keep the built-in gazetteer for good.
    void releasedWhenNobodyHoldsIt();
    void theBuiltInGazetteerIsWhole();
    void search_data();
    void search();
    void tiesGoToTheLargest();
    void zonesOfAName_data();
    void zonesOfAName();
    void damagedFiles_data();
    void damagedFiles();
};

namespace {

QStringList namesOf(const QList<IndexedCity>& cities)
{
    QStringList names;
    for (const IndexedCity& city : cities)
        names << city.name + QStringLiteral(" — ") + city.place;
    return names;
}

QByteArray builtInFile()
{
    QFile file(QStringLiteral(":/cities/gazetteer.dat"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A gazetteer file around these contents, with their own checksum and size.
QByteArray packed(const QByteArray& contents, qsizetype statedSize = -1)
{
    const QByteArray digest = QCryptographicHash::hash(contents, QCryptographicHash::Sha256).toHex();
    return "HORLUNE-GAZETTEER 1\n" + digest + ' ' + QByteArray::number(statedSize < 0 ? contents.size() : statedSize) +
           '\n' + qCompress(contents);
}

const QByteArray kTwoCities = "countries\t2\n"
                              "MA\tMaroc\tmaroc|morocco\n"
                              "FR\tFrance\tfrance\n"
                              "zones\t2\n"
                              "Africa/Casablanca\n"
                              "Europe/Paris\n"
                              "cities\t2\n"
                              "Paris\t2\t1\t2138551\t\t\n"
                              "Fès\t1\t0\t964891\t\tفاس\n"
                              "keys\t2\n"
                              "paris\n"
                              "fes|فاس\n";

} // namespace

void TestGazetteer::theBuiltInGazetteerIsWhole()
{
    QCOMPARE(CityIndex::verify(builtInFile()), QString());
    const CityIndex& index = CityIndex::builtIn();
    QVERIFY2(index.size() > 15000, qPrintable(QString::number(index.size())));
    // Every city has a name and a zone the system knows, most populous first.
    quint32 previous = std::numeric_limits<quint32>::max();
    for (qsizetype i = 0; i < index.size(); ++i) {
        const IndexedCity city = index.city(i);
        QVERIFY(!city.name.isEmpty());
        QVERIFY2(QTimeZone(city.zone.toUtf8()).isValid(), qPrintable(city.name + u' ' + city.zone));
        QVERIFY(city.population <= previous);
        previous = city.population;
    }
}

void TestGazetteer::search_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("first"); // the first cities found, in order ("Name — place")
    QTest::addColumn<QStringList>("among"); // others found, anywhere
    // clang-format off
    QTest::addRow("a name's start")                   << "pek"             << QStringList{"Pékin — Chine"} << QStringList{};
    QTest::addRow("accents aside")                    << "sao paulo"       << QStringList{"São Paulo — Brésil"} << QStringList{};
    QTest::addRow("letter case and blanks aside")     << "  LE CAI"        << QStringList{"Le Caire — Égypte"} << QStringList{};
    QTest::addRow("hyphens aside")                    << "fort de france"  << QStringList{"Fort-de-France — Martinique"} << QStringList{};
    QTest::addRow("apostrophes aside")                << "l aquila"        << QStringList{"L'Aquila — Italie"} << QStringList{};
    QTest::addRow("a word of the name")               << "orleans"         << QStringList{} << QStringList{"La Nouvelle-Orléans — États-Unis"};
    QTest::addRow("the whole name before its start")  << "fes"             << QStringList{"Fès — Maroc"} << QStringList{};
    QTest::addRow("an English name")                  << "beijing"         << QStringList{"Pékin — Chine"} << QStringList{};
    QTest::addRow("a name of the country's language") << "münchen"         << QStringList{"Munich — Allemagne"} << QStringList{};
    QTest::addRow("another script")                   << "北京"            << QStringList{"Pékin — Chine"} << QStringList{};
    QTest::addRow("right to left")                    << "فاس"             << QStringList{"Fès — Maroc"} << QStringList{};
    QTest::addRow("a country")                        << "maroc"           << QStringList{"Casablanca — Maroc", "Rabat — Maroc"} << QStringList{"Fès — Maroc", "Marrakech — Maroc"};
    QTest::addRow("a country with a hyphen")          << "états-unis"      << QStringList{"New York — États-Unis", "Los Angeles — États-Unis"} << QStringList{};
    QTest::addRow("a country in English")             << "morocco"         << QStringList{"Casablanca — Maroc"} << QStringList{};
    QTest::addRow("a default city's own name")        << "terre-neuve"     << QStringList{"Terre-Neuve — Canada"} << QStringList{};
    QTest::addRow("its former name")                  << "saint-jean de t" << QStringList{"Terre-Neuve — Canada"} << QStringList{};
    QTest::addRow("a town of 80,000")                 << "cholet"          << QStringList{"Cholet — France"} << QStringList{};
    QTest::addRow("nothing typed")                    << ""                << QStringList{} << QStringList{};
    QTest::addRow("blanks")                           << "   "             << QStringList{} << QStringList{};
    QTest::addRow("no such city")                     << "zzzq"            << QStringList{} << QStringList{};
    QTest::addRow("the middle of a word")             << "aulo"            << QStringList{} << QStringList{};
    QTest::addRow("10,000 characters")                << QString(10000, u'a') << QStringList{} << QStringList{};
    QTest::addRow("control characters")               << "\x01\x02\t\n\x7f" << QStringList{} << QStringList{};
    QTest::addRow("a bar between two names")          << "pekin|beijing"   << QStringList{} << QStringList{};
    QTest::addRow("emoji")                            << "🏙️🌍"            << QStringList{} << QStringList{};
    // clang-format on
}

void TestGazetteer::search()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, first);
    QFETCH(QStringList, among);
    const QList<IndexedCity> found = CityIndex::builtIn().search(typed, 12);
    const QStringList names = namesOf(found);
    QVERIFY(found.size() <= 12);
    QVERIFY2(names.mid(0, first.size()) == first, qPrintable(names.join(u", ")));
    for (const QString& name : among)
        QVERIFY2(names.contains(name), qPrintable(names.join(u", ")));
    if (first.isEmpty() && among.isEmpty())
        QVERIFY2(found.isEmpty(), qPrintable(names.join(u", ")));
}

void TestGazetteer::tiesGoToTheLargest()
{
    // "san": San, a town of Mali, is the whole name and comes first; then every name beginning with "san",
    // largest first, before any city where "san" only begins a later word.
    const CityIndex& index = CityIndex::builtIn();
    const QList<IndexedCity> found = index.search(u"san", 40);
    QCOMPARE(found.size(), 40);
    QCOMPARE(found[0].name, QStringLiteral("San"));
    for (qsizetype i = 2; i < found.size(); ++i) {
        QVERIFY(foldForSearch(found[i].name).startsWith(QStringLiteral("san")));
        QVERIFY2(found[i].population <= found[i - 1].population, qPrintable(found[i].name));
    }
    // A bigger limit keeps the same order: the first found are the same.
    const QList<IndexedCity> fewer = index.search(u"san", 5);
    for (qsizetype i = 0; i < fewer.size(); ++i)
        QCOMPARE(fewer[i].name, found[i].name);
}

void TestGazetteer::zonesOfAName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("zone"); // the first
    // clang-format off
    QTest::addRow("the largest of its name first") << "Paris"                     << "Europe/Paris";
    QTest::addRow("an English name")               << "Beijing"                   << "Asia/Shanghai";
    QTest::addRow("a default city")                << "Terre-Neuve"               << "America/St_Johns";
    QTest::addRow("its former name")               << "Saint-Jean de Terre-Neuve" << "America/St_Johns";
    QTest::addRow("letter case and accents aside") << "MONTREAL"                  << "America/Toronto";
    QTest::addRow("only a whole name")             << "Pari"                      << "";
    QTest::addRow("nothing")                       << ""                          << "";
    QTest::addRow("a bar")                         << "paris|"                    << "";
    // clang-format on
}

void TestGazetteer::zonesOfAName()
{
    QFETCH(QString, name);
    QFETCH(QString, zone);
    QCOMPARE(CityIndex::builtIn().zonesOf(name).value(0), zone);
}

void TestGazetteer::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("cities"); // read; 0 for a file refused
    QTest::addColumn<bool>("sound"); // what the build says of it
    const QByteArray whole = builtInFile();
    QByteArray flipped = whole;
    flipped[whole.size() / 2] = char(flipped[whole.size() / 2] ^ 0x40);
    QByteArray wrongDigest = packed(kTwoCities);
    wrongDigest[25] = wrongDigest[25] == 'a' ? 'b' : 'a';
    QByteArray hugeStated = packed(kTwoCities);
    qToBigEndian<quint32>(0xFFFFFFF0u, hugeStated.data() + hugeStated.indexOf('\n', 20) + 1);
    QByteArray countsTooLarge = kTwoCities;
    countsTooLarge.replace("cities\t2", "cities\t3");
    QByteArray zoneOutOfRange = kTwoCities;
    zoneOutOfRange.replace("Fès\t1\t0", "Fès\t1\t7");
    QByteArray keysCut = kTwoCities;
    keysCut.chop(1); // the last line has no end
    QByteArray foldedOtherwise = kTwoCities;
    foldedOtherwise.replace("fes|", "fès|");
    // clang-format off
    QTest::addRow("the built-in one")                << whole                                  << -1 << true;
    QTest::addRow("two cities")                      << packed(kTwoCities)                     << 2  << true;
    QTest::addRow("empty")                           << QByteArray()                           << 0  << false;
    QTest::addRow("cut in the middle")               << whole.left(whole.size() / 2)           << 0  << false;
    QTest::addRow("cut in its first line")           << whole.left(10)                         << 0  << false;
    QTest::addRow("a byte changed")                  << flipped                                << 0  << false;
    QTest::addRow("another first line")              << "HORLUNE-GAZETTEER 2" + whole.mid(19)  << 0  << false;
    QTest::addRow("a checksum that does not match")  << wrongDigest                            << 2  << false;
    QTest::addRow("a size larger than stated")       << packed(kTwoCities, 10)                 << 0  << false;
    QTest::addRow("a compressed size of 4 GB")       << hugeStated                             << 0  << false;
    QTest::addRow("more cities counted than given")  << packed(countsTooLarge)                 << 0  << false;
    QTest::addRow("a zone out of range")             << packed(zoneOutOfRange)                 << 0  << false;
    QTest::addRow("the last line without its end")   << packed(keysCut)                        << 0  << false;
    QTest::addRow("names folded otherwise")          << packed(foldedOtherwise)                << 2  << false;
    QTest::addRow("not compressed")                  << "HORLUNE-GAZETTEER 1\n" + QByteArray(64, 'a') + " 10\n" + kTwoCities << 0 << false;
    // clang-format on
}

void TestGazetteer::damagedFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(int, cities);
    QFETCH(bool, sound);
    const CityIndex index(file);
    if (cities >= 0)
        QCOMPARE(index.size(), cities);
    QCOMPARE(CityIndex::verify(file).isEmpty(), sound);
    // A search never fails, whatever was read.
    QVERIFY(index.search(u"fes", 12).size() <= index.size());
}

void TestGazetteer::releasedWhenNobodyHoldsIt()
{
    std::weak_ptr<const CityIndex> watched;
    {
        const std::shared_ptr<const CityIndex> held = CityIndex::shared();
        watched = held;
        QCOMPARE(CityIndex::shared(), held); // read once while it is held
    }
    QVERIFY(watched.expired());
}

QTEST_GUILESS_MAIN(TestGazetteer)
#include "tst_gazetteer.moc"
