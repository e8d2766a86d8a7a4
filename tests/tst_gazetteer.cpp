#include <QCryptographicHash>
#include <QFile>
#include <QSet>
#include <QTest>
#include <QTimeZone>
#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "data/cityindex.h"

// The gazetteer of world cities: what a search finds and in which order, the zones of a city's name, and
// files that are not whole.
class TestGazetteer : public QObject
{
    Q_OBJECT

private slots:
    // First: the other tests keep the built-in gazetteer for good.
    void releasedWhenNobodyHoldsIt();
    void theDefaultListIsPlacedWithoutTheGazetteer();
    void theBuiltInGazetteerIsWhole();
    void everyCityCanBeTypedInPlainLetters();
    void folding_data();
    void folding();
    void search_data();
    void search();
    void tiesGoToTheLargest();
    void typingErrors_data();
    void typingErrors();
    void aZoneEntryAfterTheCitiesOfItsZone();
    void zonesOfAName_data();
    void zonesOfAName();
    void coordinates_data();
    void coordinates();
    void damagedFiles_data();
    void damagedFiles();
    void damagedDefaultTables_data();
    void damagedDefaultTables();
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
    return "HORLUNE-GAZETTEER 2\n" + digest + ' ' + QByteArray::number(statedSize < 0 ? contents.size() : statedSize) +
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
                              "fes|فاس\n"
                              "places\t2\n"
                              "48.85 2.35\n"
                              "34.03 -5.00\n";

// The default list's table compiled into the program: its names and zones.
void defaultList(QStringList& names, QStringList& zones)
{
    QFile file(QStringLiteral(":/cities/defaults.tsv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 4) {
            names << QString::fromUtf8(fields[0]);
            zones << QString::fromUtf8(fields[1]);
        }
    }
}

bool isPlainLetters(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// How many typing errors (a byte changed, added, left out, or two neighbours swapped) separate `typed` from
// the closest text that a word of `keys` begins, without leaving its name: the plain dynamic programme,
// computed apart from the program's bit-parallel search.
int fewestErrors(const QByteArray& typed, const QByteArray& keys)
{
    int best = std::numeric_limits<int>::max();
    for (const QByteArray& name : keys.split('|')) {
        for (qsizetype start = 0; start < name.size(); ++start) {
            if (start > 0 && name[start - 1] != ' ')
                continue;
            const QByteArray text = name.mid(start);
            const qsizetype m = typed.size(), n = text.size();
            std::vector<std::vector<int>> d(size_t(m) + 1, std::vector<int>(size_t(n) + 1));
            for (qsizetype i = 0; i <= m; ++i)
                d[size_t(i)][0] = int(i);
            for (qsizetype j = 0; j <= n; ++j)
                d[0][size_t(j)] = int(j);
            for (qsizetype i = 1; i <= m; ++i) {
                for (qsizetype j = 1; j <= n; ++j) {
                    int& cell = d[size_t(i)][size_t(j)];
                    cell = std::min({d[size_t(i) - 1][size_t(j)] + 1, d[size_t(i)][size_t(j) - 1] + 1,
                                     d[size_t(i) - 1][size_t(j) - 1] + (typed[i - 1] == text[j - 1] ? 0 : 1)});
                    if (i > 1 && j > 1 && typed[i - 1] == text[j - 2] && typed[i - 2] == text[j - 1])
                        cell = std::min(cell, d[size_t(i) - 2][size_t(j) - 2] + 1);
                }
            }
            for (qsizetype j = 0; j <= n; ++j)
                best = std::min(best, d[size_t(m)][size_t(j)]);
        }
    }
    return best;
}

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

void TestGazetteer::theDefaultListIsPlacedWithoutTheGazetteer()
{
    QStringList names, zones;
    defaultList(names, zones);
    QVERIFY(names.size() >= 59);
    const int readings = CityIndex::readings();
    const QList<std::optional<Coordinates>> places = cityCoordinates(names, zones);
    QCOMPARE(CityIndex::readings(), readings);
    for (qsizetype i = 0; i < names.size(); ++i)
        QVERIFY2(places[i].has_value(), qPrintable(names[i]));
    // A city the table does not place: the gazetteer is read, once for the whole list.
    const QList<std::optional<Coordinates>> more =
        cityCoordinates({"Paris", "Cholet", "Ville", "Angers"}, {"Europe/Paris", "Europe/Paris", "", "Europe/Paris"});
    QCOMPARE(CityIndex::readings(), readings + 1);
    QVERIFY(more[1].has_value() && more[3].has_value());
    QVERIFY(!more[2].has_value());
    // A gazetteer held already: none read.
    const std::shared_ptr<const CityIndex> held = CityIndex::shared();
    QCOMPARE(cityCoordinates({"Cholet"}, {"Europe/Paris"}, held.get()), QList{more[1]});
    QCOMPARE(CityIndex::readings(), readings + 2);
}

void TestGazetteer::everyCityCanBeTypedInPlainLetters()
{
    // Each city has a name in plain letters once folded, and that name finds the city in its zone (looked up
    // for one city in twenty, a lookup scanning the whole gazetteer).
    const CityIndex& index = CityIndex::builtIn();
    for (qsizetype i = 0; i < index.size(); ++i) {
        const IndexedCity city = index.city(i);
        QString typed;
        for (const QString& name : QStringList{city.name} + city.otherNames) {
            if (isPlainLetters(foldForSearch(name))) {
                typed = foldForSearch(name);
                break;
            }
        }
        QVERIFY2(!typed.isEmpty(), qPrintable(city.name));
        if (i % 20 == 0 || !isPlainLetters(foldForSearch(city.name)))
            QVERIFY2(index.zonesOf(typed).contains(city.zone), qPrintable(city.name + u' ' + typed));
    }
}

void TestGazetteer::folding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    // clang-format off
    QTest::addRow("accents")                        << "São Paulo"             << "sao paulo";
    QTest::addRow("o with a stroke")                << "Tromsø, KØGE"          << "tromso, koge";
    QTest::addRow("l with a stroke")                << "Łódź"                  << "lodz";
    QTest::addRow("d with a stroke")                << "Nam Định, Đà Nẵng"     << "nam dinh, da nang";
    QTest::addRow("eth")                            << "Hafnarfjörður"         << "hafnarfjordur";
    QTest::addRow("ae and oe")                      << "Næstved, Marcq-en-Barœul, Æ Œ" << "naestved, marcq en baroeul, ae oe";
    QTest::addRow("sharp s, small and capital")     << "Weißenfels, GROẞ"      << "weissenfels, gross";
    QTest::addRow("dotless and dotted i")           << "Diyarbakır, İzmir"     << "diyarbakir, izmir";
    QTest::addRow("thorn")                          << "Þingvellir"            << "thingvellir";
    QTest::addRow("h with a stroke")                << "Ħamrun"                << "hamrun";
    QTest::addRow("schwa and turned e")             << "Əhmədbəyli, Şǝki"      << "ehmedbeyli, seki";
    QTest::addRow("open o, open e, eng")            << "Ɔ ɛ ŋ"                 << "o e n";
    QTest::addRow("ligatures and full width")       << "ﬁnale Ｐａｒｉｓ"        << "finale paris";
    QTest::addRow("apostrophes written otherwise")  << "Dar‘ā Sanʿāʾ Hawaiʻi"  << "dar a san a hawai i";
    QTest::addRow("other scripts as they are")      << "Київ 北京 Αθήνα"        << "киів 北京 αθηνα";
    QTest::addRow("blanks, hyphens, apostrophes")   << "  L'Haÿ-les-Roses  "   << "l hay les roses";
    // clang-format on
}

void TestGazetteer::folding()
{
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(foldForSearch(text), folded);
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
    QTest::addRow("the middle of a word")             << "ulo"             << QStringList{} << QStringList{};
    QTest::addRow("10,000 characters")                << QString(10000, u'a') << QStringList{} << QStringList{};
    QTest::addRow("control characters")               << "\x01\x02\t\n\x7f" << QStringList{} << QStringList{};
    QTest::addRow("a bar between two names")          << "pekin|beijing"   << QStringList{} << QStringList{};
    QTest::addRow("emoji")                            << "🏙️🌍"            << QStringList{} << QStringList{};
    // Letters of their own, typed plain.
    QTest::addRow("tromso")                           << "tromso"          << QStringList{"Tromsø — Norvège"} << QStringList{};
    QTest::addRow("bagcilar")                         << "bagcilar"        << QStringList{"Bağcılar — Turquie"} << QStringList{};
    QTest::addRow("diyarbakir")                       << "diyarbakir"      << QStringList{"Diyarbakır — Turquie"} << QStringList{};
    QTest::addRow("nam dinh")                         << "nam dinh"        << QStringList{"Nam Định — Viêt Nam"} << QStringList{};
    QTest::addRow("koge")                             << "koge"            << QStringList{"Køge — Danemark"} << QStringList{};
    QTest::addRow("lodz")                             << "lodz"            << QStringList{"Łódź — Pologne"} << QStringList{};
    QTest::addRow("weissenfels")                      << "weissenfels"     << QStringList{"Weißenfels — Allemagne"} << QStringList{};
    QTest::addRow("naestved")                         << "naestved"        << QStringList{"Næstved — Danemark"} << QStringList{};
    QTest::addRow("marcq en baroeul")                 << "marcq en baroeul" << QStringList{"Marcq-en-Barœul — France"} << QStringList{};
    QTest::addRow("an ayin written as a quote")       << "dar a"           << QStringList{"Dar‘ā — Syrie"} << QStringList{};
    QTest::addRow("a local name in plain letters")    << "kobenhavn"       << QStringList{"Copenhague — Danemark"} << QStringList{};
    QTest::addRow("a city named only in Cyrillic")    << "zuunmod"         << QStringList{"Зуунмод — Mongolie"} << QStringList{};
    // Other names people type, and the names in use.
    QTest::addRow("Kiev")                             << "kiev"            << QStringList{"Kyiv — Ukraine"} << QStringList{};
    QTest::addRow("Alma Ata")                         << "alma ata"        << QStringList{"Almaty — Kazakhstan"} << QStringList{};
    QTest::addRow("the zone's city, not the zone")    << "ho chi minh"     << QStringList{"Hô Chi Minh Ville — Viêt Nam"} << QStringList{};
    QTest::addRow("Singapore, a city")                << "singapour"       << QStringList{"Singapour — Singapour"} << QStringList{};
    QTest::addRow("Singapore in English")             << "singapore"       << QStringList{"Singapour — Singapour"} << QStringList{};
    QTest::addRow("Busan, the name in use")           << "busan"           << QStringList{"Busan — Corée du Sud"} << QStringList{};
    QTest::addRow("Pusan, its former name")           << "pusan"           << QStringList{"Busan — Corée du Sud"} << QStringList{};
    QTest::addRow("a country's cities by their names") << "coree du sud"   << QStringList{"Séoul — Corée du Sud", "Busan — Corée du Sud"} << QStringList{};
    QTest::addRow("an island that is a zone")         << "acores"          << QStringList{"Açores — Portugal"} << QStringList{};
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

void TestGazetteer::typingErrors_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("first"); // "" when nothing is found
    // clang-format off
    QTest::addRow("a letter changed")      << "tokio"        << "Tokyo";
    QTest::addRow("a letter added")        << "djakarta"     << "Jakarta";
    QTest::addRow("an h added")            << "kathmandou"   << "Katmandou";
    QTest::addRow("a letter left out")     << "ouagadougu"   << "Ouagadougou";
    QTest::addRow("two letters swapped")   << "apris"        << "Paris";
    QTest::addRow("two errors, 8 letters") << "barcelonnna"  << "Barcelone";
    QTest::addRow("a word of the name")    << "nouvelle orlaens" << "La Nouvelle-Orléans";
    QTest::addRow("nothing close")         << "zzzq"         << "";
    QTest::addRow("too short to guess")    << "zqx"          << "";
    QTest::addRow("five letters, one error at most") << "xqzvw" << "";
    // clang-format on
}

void TestGazetteer::typingErrors()
{
    // Every city a word of whose names begins with the text but for the errors allowed is offered, each
    // after every city named without error; the errors are counted apart from the program's search.
    QFETCH(QString, typed);
    QFETCH(QString, first);
    const CityIndex& index = CityIndex::builtIn();
    const QList<IndexedCity> found = index.search(typed, 100000);
    QCOMPARE(found.value(0).name, first);
    const QByteArray needle = foldForSearch(typed).toUtf8();
    const qsizetype letters = needle.size() - needle.count(' ');
    const int allowed = letters >= 8 ? 2 : letters >= 4 ? 1 : 0;
    QSet<QString> offered;
    int previous = 0;
    for (const IndexedCity& city : found) {
        QStringList keys{foldForSearch(city.name)};
        for (const QString& other : city.otherNames)
            keys << foldForSearch(other);
        const int errors = fewestErrors(needle, keys.join(u'|').toUtf8());
        QVERIFY2(errors <= allowed, qPrintable(city.name));
        QVERIFY2(errors >= previous, qPrintable(city.name + QStringLiteral(" after a city with more errors")));
        previous = errors;
        offered.insert(city.name + u'|' + city.zone);
    }
    for (qsizetype i = 0; i < index.size(); ++i) {
        const IndexedCity city = index.city(i);
        QStringList keys{foldForSearch(city.name)};
        for (const QString& other : city.otherNames)
            keys << foldForSearch(other);
        if (fewestErrors(needle, keys.join(u'|').toUtf8()) <= allowed)
            QVERIFY2(offered.contains(city.name + u'|' + city.zone),
                     qPrintable(city.name + QStringLiteral(" missing")));
    }
}

void TestGazetteer::aZoneEntryAfterTheCitiesOfItsZone()
{
    // "ho chi minh" is the whole name of the zone's entry, and only the start of the city's: the city first,
    // then the entry; the city of another zone that the text names keeps its place after them.
    const QByteArray contents = "countries\t1\n"
                                "VN\tViêt Nam\tviet nam|vietnam\n"
                                "zones\t3\n"
                                "Asia/Bangkok\n"
                                "Asia/Ho_Chi_Minh\n"
                                "Asia/Vientiane\n"
                                "cities\t4\n"
                                "Hô Chi Minh Ville\t1\t1\t8993082\t\tHo Chi Minh City\n"
                                "Ho Chi Minh Village\t1\t0\t50000\t\t\n"
                                "Ho Chi Minh\t1\t1\t\t\t\n"
                                "Minh\t1\t2\t\t\t\n"
                                "keys\t4\n"
                                "ho chi minh ville|ho chi minh city\n"
                                "ho chi minh village\n"
                                "ho chi minh\n"
                                "minh\n"
                                "places\t4\n"
                                "10.82 106.63\n"
                                "13.75 100.50\n"
                                "10.75 106.67\n"
                                "13.00 101.00\n";
    const CityIndex index(packed(contents));
    QCOMPARE(CityIndex::verify(packed(contents)), QString());
    QStringList names;
    for (const IndexedCity& city : index.search(u"ho chi minh", 12))
        names << city.name;
    QCOMPARE(names, (QStringList{"Hô Chi Minh Ville", "Ho Chi Minh", "Ho Chi Minh Village"}));
    QVERIFY(index.city(2).zoneEntry && !index.city(0).zoneEntry);
    // Alone of its zone, an entry keeps its rank: "minh" is its whole name.
    QCOMPARE(index.search(u"minh", 12).value(0).name, QStringLiteral("Minh"));
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

void TestGazetteer::coordinates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<bool>("placed");
    QTest::addColumn<double>("latitude"); // as atlases give it, to a tenth of a degree
    QTest::addColumn<double>("longitude");
    // clang-format off
    QTest::addRow("a default city")                  << "Paris"          << "Europe/Paris"          << true  << 48.86 << 2.35;
    QTest::addRow("north of the polar circle")       << "Tromsø"         << "Europe/Oslo"           << true  << 69.65 << 18.96;
    QTest::addRow("south and east")                  << "Sydney"         << "Australia/Sydney"      << true  << -33.87 << 151.21;
    QTest::addRow("west of Greenwich, far")          << "Honolulu"       << "Pacific/Honolulu"      << true  << 21.31 << -157.86;
    QTest::addRow("the southernmost city")           << "Ushuaïa"        << "America/Argentina/Ushuaia" << true << -54.80 << -68.30;
    QTest::addRow("by another name, folded")         << "KIEV"           << "Europe/Kyiv"           << true  << 50.45 << 30.52;
    QTest::addRow("a former default name")          << "Saint-Jean de Terre-Neuve" << "America/St_Johns" << true << 47.56 << -52.71;
    QTest::addRow("a zone's city the gazetteer lacks") << "Singapour"    << "Asia/Singapore"        << true  << 1.35 << 103.82;
    QTest::addRow("a name of another zone")          << "Paris"          << "America/Chicago"       << true  << 33.66 << -95.56;
    QTest::addRow("no such city in that zone")       << "Paris"          << "Asia/Tokyo"            << false << 0.0 << 0.0;
    QTest::addRow("own offsets, no zone")            << "Paris"          << ""                      << false << 0.0 << 0.0;
    QTest::addRow("an unknown name")                 << "Ma ville"       << "Europe/Paris"          << false << 0.0 << 0.0;
    QTest::addRow("only a whole name")               << "Pari"           << "Europe/Paris"          << false << 0.0 << 0.0;
    // clang-format on
}

void TestGazetteer::coordinates()
{
    QFETCH(QString, name);
    QFETCH(QString, zone);
    QFETCH(bool, placed);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    // The gazetteer's lookup, and that of a list (the default table first) agree.
    const std::optional<Coordinates> place = CityIndex::builtIn().coordinatesOf(name, zone);
    QCOMPARE(cityCoordinates({name}, {zone}).value(0), place);
    QCOMPARE(place.has_value(), placed);
    if (placed) {
        QVERIFY2(std::abs(place->latitude - latitude) < 0.1, qPrintable(QString::number(place->latitude)));
        QVERIFY2(std::abs(place->longitude - longitude) < 0.1, qPrintable(QString::number(place->longitude)));
    }
    // The default table gives the same place as the gazetteer for its cities.
    if (const std::optional<Coordinates> fromTable = defaultCityCoordinates(name, zone))
        QCOMPARE(*fromTable, *place);
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
    QByteArray zoneEntry = kTwoCities;
    zoneEntry.replace("964891", "");
    QByteArray latitudeTooFar = kTwoCities;
    latitudeTooFar.replace("48.85 2.35", "90.01 2.35");
    QByteArray longitudeTooFar = kTwoCities;
    longitudeTooFar.replace("34.03 -5.00", "34.03 -180.01");
    QByteArray placeNotANumber = kTwoCities;
    placeNotANumber.replace("48.85 2.35", "48,85 2.35");
    QByteArray placeMissing = kTwoCities;
    placeMissing.replace("places\t2\n48.85 2.35\n", "places\t1\n");
    QByteArray noPlaces = kTwoCities;
    noPlaces.truncate(noPlaces.indexOf("places"));
    QByteArray unstatedPlaces = kTwoCities;
    unstatedPlaces.replace("-5.00\n", "-5.00\n1.00 1.00\n");
    QByteArray notInPlainLetters = kTwoCities;
    notInPlainLetters.replace("Fès\t1\t0\t964891\t\tفاس\n", "فاس\t1\t0\t964891\t\t\n").replace("fes|فاس", "فاس");
    // clang-format off
    QTest::addRow("the built-in one")                << whole                                  << -1 << true;
    QTest::addRow("two cities")                      << packed(kTwoCities)                     << 2  << true;
    QTest::addRow("empty")                           << QByteArray()                           << 0  << false;
    QTest::addRow("cut in the middle")               << whole.left(whole.size() / 2)           << 0  << false;
    QTest::addRow("cut in its first line")           << whole.left(10)                         << 0  << false;
    QTest::addRow("a byte changed")                  << flipped                                << 0  << false;
    QTest::addRow("the former format")               << "HORLUNE-GAZETTEER 1" + whole.mid(19)  << 0  << false;
    QTest::addRow("a checksum that does not match")  << wrongDigest                            << 2  << false;
    QTest::addRow("a size larger than stated")       << packed(kTwoCities, 10)                 << 0  << false;
    QTest::addRow("a compressed size of 4 GB")       << hugeStated                             << 0  << false;
    QTest::addRow("more cities counted than given")  << packed(countsTooLarge)                 << 0  << false;
    QTest::addRow("a zone out of range")             << packed(zoneOutOfRange)                 << 0  << false;
    QTest::addRow("the last line without its end")   << packed(keysCut)                        << 0  << false;
    QTest::addRow("names folded otherwise")          << packed(foldedOtherwise)                << 2  << false;
    QTest::addRow("a zone's entry, no population")   << packed(zoneEntry)                      << 2  << true;
    QTest::addRow("a latitude beyond the pole")      << packed(latitudeTooFar)                 << 0  << false;
    QTest::addRow("a longitude beyond 180")          << packed(longitudeTooFar)                << 0  << false;
    QTest::addRow("a place that is no number")       << packed(placeNotANumber)                << 0  << false;
    QTest::addRow("a place missing")                 << packed(placeMissing)                   << 0  << false;
    QTest::addRow("no places")                       << packed(noPlaces)                       << 0  << false;
    QTest::addRow("a place more than counted")       << packed(unstatedPlaces)                 << 0  << false;
    QTest::addRow("a city not in plain letters")     << packed(notInPlainLetters)              << 2  << false;
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

void TestGazetteer::damagedDefaultTables_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<bool>("sound");
    QFile file(QStringLiteral(":/cities/defaults.tsv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    QByteArray moved = whole;
    moved.replace("Paris\tEurope/Paris\t48.85\t2.35", "Paris\tEurope/Paris\t48.95\t2.35");
    QByteArray otherZone = whole;
    otherZone.replace("Paris\tEurope/Paris", "Paris\tEurope/Berlin");
    QByteArray noPlace = whole;
    noPlace.replace("Paris\tEurope/Paris\t48.85\t2.35", "Paris\tEurope/Paris");
    // clang-format off
    QTest::addRow("the built-in one")        << whole                  << true;
    QTest::addRow("a city moved")            << moved                  << false;
    QTest::addRow("a city in another zone")  << otherZone              << false;
    QTest::addRow("a city without a place")  << noPlace                << false;
    QTest::addRow("cut in a line")           << whole.left(whole.size() - 3) << false;
    QTest::addRow("empty")                   << QByteArray()           << false;
    // clang-format on
}

void TestGazetteer::damagedDefaultTables()
{
    QFETCH(QByteArray, table);
    QFETCH(bool, sound);
    QCOMPARE(CityIndex::builtIn().verifyDefaultCities(table).isEmpty(), sound);
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
