#include <QCollator>
#include <QLocale>
#include <QTest>

#include "data/cityfile.h"
#include "save/citylist.h"

// The order and the texts a save gives the cities, and the hours it accepts.
class TestCityList : public QObject
{
    Q_OBJECT

private slots:
    void order_data();
    void order();
    void keyOffsetText_data();
    void keyOffsetText();
    void textsAndMarksTravelWithTheirCity();
    void hours_data();
    void hours();
    void offsetsASaveAccepts_data();
    void offsetsASaveAccepts();
    void hoursASaveAccepts_data();
    void hoursASaveAccepts();
    void refusalsNameTheirLine_data();
    void refusalsNameTheirLine();
    void theShippedListIsAccepted();
};

namespace {

QCollator french()
{
    return QCollator(QLocale(QLocale::French, QLocale::France));
}

// Lines written "name;summer;winter", or "name;summer;winter;*" for a marked city.
QList<EditorLine> lines(const QStringList& written)
{
    QList<EditorLine> result;
    for (const QString& text : written) {
        const QStringList parts = text.split(QLatin1Char(';'));
        result.append({parts.value(0), parts.value(1), parts.value(2), parts.value(3) == QLatin1String("*")});
    }
    return result;
}

QStringList names(const QList<EditorLine>& sorted)
{
    QStringList result;
    for (const EditorLine& line : sorted)
        result << line.name + (line.marked ? QStringLiteral("*") : QString());
    return result;
}

} // namespace

void TestCityList::order_data()
{
    QTest::addColumn<bool>("summer");
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("expected");

    const QStringList world = {"Paris;2;1", "New York;-4;-5", "Tokyo;9;9", "Londres;1;0", "Sydney;10;11"};
    // clang-format off
    QTest::addRow("summer: by summer offset") << true << world << QStringList{"New York", "Londres", "Paris", "Tokyo", "Sydney"};
    QTest::addRow("winter: by winter offset") << false << world << QStringList{"New York", "Londres", "Paris", "Tokyo", "Sydney"};
    QTest::addRow("the seasons disagree") << false << QStringList{"A;10;9", "B;9;10"} << QStringList{"A", "B"};
    QTest::addRow("tie: other offset 0 before 1") << true << QStringList{"Paris;2;1", "Le Caire;2;0"} << QStringList{"Le Caire", "Paris"};
    QTest::addRow("tie: other offset as text") << true << QStringList{"A;5;2", "B;5;10", "C;5;", "D;5;-1"} << QStringList{"C", "D", "B", "A"};
    QTest::addRow("tie: Berlin before Paris") << true << QStringList{"Paris;2;1", "Berlin;2;1"} << QStringList{"Berlin", "Paris"};
    QTest::addRow("tie: letter case aside") << true << QStringList{"paris;2;1", "Berlin;2;1", "amsterdam;2;1"} << QStringList{"amsterdam", "Berlin", "paris"};
    QTest::addRow("tie: accents the French way") << true << QStringList{"Fidji;12;12", "Édimbourg;12;12", "Dublin;12;12"} << QStringList{"Dublin", "Édimbourg", "Fidji"};
    QTest::addRow("tie: unmarked before marked") << true << QStringList{"Rome;2;1;*", "Rome;2;1"} << QStringList{"Rome", "Rome*"};
    QTest::addRow("by value beyond -15 and +74") << true << QStringList{"E;14;14", "W;-16;-16", "X;100;100", "Y;-100;0"} << QStringList{"Y", "W", "E", "X"};
    QTest::addRow("sub-hour offsets") << true << QStringList{"C;0.1;0", "B;-0.25;0", "A;0.05;0", "D;0;0"} << QStringList{"B", "D", "A", "C"};
    QTest::addRow("empty line reads as 0") << true << QStringList{"Londres;1;0", ";;", "Accra;0;0"} << QStringList{"", "Accra", "Londres"};
    QTest::addRow("offset as the reading rule has it") << true << QStringList{"C; 5 . 3;0", "B;5.2x;0", "A;5,5;0"} << QStringList{"A", "B", "C"};
    // clang-format on
}

void TestCityList::order()
{
    QFETCH(bool, summer);
    QFETCH(QStringList, input);
    QFETCH(QStringList, expected);
    QCOMPARE(names(sortForSave(lines(input), summer, french())), expected);
}

void TestCityList::keyOffsetText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    // clang-format off
    QTest::addRow("plus sign") << "+2" << "2";
    QTest::addRow("leading zero") << "02" << "2";
    QTest::addRow("trailing zero") << "2.50" << "2.5";
    QTest::addRow("empty") << "" << "0";
    QTest::addRow("letters") << "abc" << "0";
    QTest::addRow("minus zero") << "-0" << "0";
    QTest::addRow("half hour west") << "-3.5" << "-3.5";
    QTest::addRow("quarter hours") << "5.75" << "5.75";
    QTest::addRow("a tenth stays a tenth") << "0.1" << "0.1";
    QTest::addRow("small negative") << "-0.3" << "-0.3";
    QTest::addRow("comma stops the number") << "5,5" << "5";
    QTest::addRow("spaces inside") << " 1 2.5 " << "12.5";
    QTest::addRow("large") << "123456789012345678901234567890" << "123456789012345680000000000000";
    const QString tooLarge(400, QLatin1Char('9'));
    QTest::addRow("too large for a number: kept") << tooLarge << tooLarge;
    // clang-format on
}

void TestCityList::keyOffsetText()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    for (bool summer : {true, false}) {
        const EditorLine line{QStringLiteral("Ville"), summer ? typed : QStringLiteral("7,x"),
                              summer ? QStringLiteral("7,x") : typed, false};
        const EditorLine sorted = sortForSave({line}, summer, french()).value(0);
        QCOMPARE(summer ? sorted.summer : sorted.winter, written);
        QCOMPARE(summer ? sorted.winter : sorted.summer, QStringLiteral("7,x")); // the other one as typed
    }
}

void TestCityList::textsAndMarksTravelWithTheirCity()
{
    // Names and other offsets may hold anything the file can: separators, quotes, accents.
    const QList<EditorLine> input = {
        {QStringLiteral("Ville|avec|barres"), QStringLiteral("3"), QStringLiteral("a|b"), true},
        {QStringLiteral("Tōkyō, \"Japon\""), QStringLiteral("9"), QStringLiteral("9"), true},
        {QStringLiteral("|"), QStringLiteral("-1"), QStringLiteral("|1|0|"), false},
        {QStringLiteral("Saint-Pétersbourg"), QStringLiteral("3"), QStringLiteral("3"), false},
        {QString(), QString(), QString(), false},
    };
    const QList<EditorLine> sorted = sortForSave(input, true, french());
    QCOMPARE(sorted.size(), input.size());
    const QList<EditorLine> expected = {
        input[2], {QString(), QStringLiteral("0"), QString(), false}, input[3], input[0], input[1]};
    QCOMPARE(sorted, expected);
}

void TestCityList::hours_data()
{
    QTest::addColumn<QString>("night");
    QTest::addColumn<QString>("day");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("nightHour");
    QTest::addColumn<int>("dayHour");
    // clang-format off
    QTest::addRow("20 and 8") << "20" << "8" << true << 20 << 8;
    QTest::addRow("24 and 0") << "24" << "0" << true << 24 << 0;
    QTest::addRow("night 25") << "25" << "8" << false << 0 << 0;
    QTest::addRow("day -1") << "20" << "-1" << false << 0 << 0;
    QTest::addRow("night before day") << "8" << "20" << false << 0 << 0;
    QTest::addRow("equal") << "12" << "12" << false << 0 << 0;
    QTest::addRow("8.4 and 8.2: compared before rounding") << "8.4" << "8.2" << true << 8 << 8;
    QTest::addRow("half to even, down") << "20.5" << "7.5" << true << 20 << 8;
    QTest::addRow("half to even, up") << "21.5" << "6.5" << true << 22 << 6;
    QTest::addRow("comma is no decimal point") << "20,9" << "8" << true << 20 << 8;
    QTest::addRow("empty boxes") << "" << "" << false << 0 << 0;
    QTest::addRow("letters") << "abc" << "-" << false << 0 << 0;
    // clang-format on
}

void TestCityList::hours()
{
    QFETCH(QString, night);
    QFETCH(QString, day);
    QFETCH(bool, accepted);
    QFETCH(int, nightHour);
    QFETCH(int, dayHour);
    const auto hours = acceptedHours(night, day);
    QCOMPARE(hours.has_value(), accepted);
    if (accepted) {
        QCOMPARE(int(hours->night), nightHour);
        QCOMPARE(int(hours->day), dayHour);
    }
}

void TestCityList::offsetsASaveAccepts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("value");
    // clang-format off
    QTest::addRow("whole") << "2" << true << 2.0;
    QTest::addRow("signed") << "+2" << true << 2.0;
    QTest::addRow("leading zero") << "02" << true << 2.0;
    QTest::addRow("a quarter") << "5.75" << true << 5.75;
    QTest::addRow("a half, west") << "-3.5" << true << -3.5;
    QTest::addRow("a quarter past") << "12.25" << true << 12.25;
    QTest::addRow("the east end") << "+14" << true << 14.0;
    QTest::addRow("the west end") << "-12" << true << -12.0;
    QTest::addRow("zero, signed") << "-0" << true << 0.0;
    QTest::addRow("trailing zeros") << "2.50" << true << 2.5;
    QTest::addRow("a point and no decimal") << "3." << true << 3.0;
    QTest::addRow("no digit before the point") << ".5" << true << 0.5;
    QTest::addRow("blanks around") << " 9 " << true << 9.0;
    QTest::addRow("a word") << "dix" << false << 0.0;
    QTest::addRow("past the east end") << "15" << false << 0.0;
    QTest::addRow("just past the east end") << "14.25" << false << 0.0;
    QTest::addRow("past the west end") << "-12.5" << false << 0.0;
    QTest::addRow("not a quarter") << "14.3" << false << 0.0;
    QTest::addRow("a tenth") << "0.1" << false << 0.0;
    QTest::addRow("empty") << "" << false << 0.0;
    QTest::addRow("a sign alone") << "-" << false << 0.0;
    QTest::addRow("a point alone") << "." << false << 0.0;
    QTest::addRow("a number then letters") << "2h" << false << 0.0;
    QTest::addRow("two points") << "1.2.3" << false << 0.0;
    QTest::addRow("a comma") << "5,5" << false << 0.0;
    QTest::addRow("a blank inside") << "1 0" << false << 0.0;
    QTest::addRow("an exponent") << "1e1" << false << 0.0;
    QTest::addRow("two signs") << "+-2" << false << 0.0;
    QTest::addRow("other digits") << "\u0665" << false << 0.0;
    QTest::addRow("too large for a number") << QString(400, u'9') << false << 0.0;
    // clang-format on
}

void TestCityList::offsetsASaveAccepts()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(double, value);
    const std::optional<double> offset = savedOffset(text);
    QCOMPARE(offset.has_value(), accepted);
    if (accepted)
        QCOMPARE(*offset, value);
}

void TestCityList::hoursASaveAccepts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("hour"); // -1: refused
    // clang-format off
    QTest::addRow("midnight") << "0" << 0;
    QTest::addRow("evening") << "20" << 20;
    QTest::addRow("midnight as 24") << "24" << 24;
    QTest::addRow("leading zero") << "08" << 8;
    QTest::addRow("signed") << "+7" << 7;
    QTest::addRow("point zero") << "7.0" << 7;
    QTest::addRow("blanks around") << " 7 " << 7;
    QTest::addRow("30") << "30" << -1;
    QTest::addRow("25") << "25" << -1;
    QTest::addRow("-1") << "-1" << -1;
    QTest::addRow("half past") << "20.5" << -1;
    QTest::addRow("a decimal comma") << "20,5" << -1;
    QTest::addRow("a word") << "huit" << -1;
    QTest::addRow("empty") << "" << -1;
    QTest::addRow("with its unit") << "20h" << -1;
    // clang-format on
}

void TestCityList::hoursASaveAccepts()
{
    QFETCH(QString, text);
    QFETCH(int, hour);
    QCOMPARE(savedHour(text).value_or(-1), hour);
}

void TestCityList::refusalsNameTheirLine_data()
{
    QTest::addColumn<QStringList>("input"); // lines "name;summer;winter"
    QTest::addColumn<QString>("night");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QStringList>("refused"); // "line kind text"
    QTest::addColumn<QStringList>("said");    // in the message
    const QStringList world = {"Paris;2;1",         "Honolulu;-10;-10", "Katmandou;5.75;5.75", "Terre-Neuve;-2.5;-3.5",
                               "Kiritimati;+14;14", "Howland;-12;-12"};
    // clang-format off
    QTest::addRow("all accepted") << world << "20" << "8" << QStringList{} << QStringList{};
    QTest::addRow("a word for an offset")
        << QStringList{"Paris;2;1", "Honolulu;dix;-10"} << "20" << "8" << QStringList{"2 summer dix"}
        << QStringList{"ligne 2, Honolulu : décalage été « dix »", "de -12 à +14"};
    QTest::addRow("out of range, and no quarter")
        << QStringList{"Paris;15;1", "Bizarre;14.3;-13"} << "20" << "8"
        << QStringList{"1 summer 15", "2 summer 14.3", "2 winter -13"}
        << QStringList{"ligne 1, Paris : décalage été « 15 »", "ligne 2, Bizarre : décalage été « 14.3 »",
                       "ligne 2, Bizarre : décalage hiver « -13 »"};
    // A city taken off the list is a wholly empty line; a city with a name needs its offsets, and a line with
    // offsets its numbers.
    QTest::addRow("empty lines")
        << QStringList{";;", " ;;", "Lima;;-5", ";abc;"} << "20" << "8"
        << QStringList{"3 summer ", "4 summer abc", "4 winter "}
        << QStringList{"ligne 3, Lima : décalage été (vide)", "ligne 4 : décalage été « abc »",
                       "ligne 4 : décalage hiver (vide)"};
    QTest::addRow("a day hour of 30") << world << "20" << "30" << QStringList{"0 day 30"}
        << QStringList{"heure de jour « 30 »", "de 0 à 24"};
    QTest::addRow("a night hour of -1, a day hour in words") << world << "-1" << "huit"
        << QStringList{"0 night -1", "0 day huit"}
        << QStringList{"heure de nuit « -1 »", "heure de jour « huit »"};
    QTest::addRow("night before day") << world << "8" << "20" << QStringList{"0 order 8"}
        << QStringList{"heure de nuit « 8 », qui ne vient pas après l'heure de jour « 20 »"};
    QTest::addRow("night at day") << world << "12" << "12" << QStringList{"0 order 12"} << QStringList{"« 12 », qui ne vient pas"};
    QTest::addRow("midnight to seven") << world << "24" << "7" << QStringList{} << QStringList{};
    QTest::addRow("offsets and hours, in the panel's order")
        << QStringList{"Paris;x;1"} << "20.5" << "8" << QStringList{"1 summer x", "0 night 20.5"}
        << QStringList{"de -12 à +14", "de 0 à 24"};
    // clang-format on
}

void TestCityList::refusalsNameTheirLine()
{
    QFETCH(QStringList, input);
    QFETCH(QString, night);
    QFETCH(QString, day);
    QFETCH(QStringList, refused);
    QFETCH(QStringList, said);
    const QList<EditorLine> editor = lines(input);
    const QList<EntryRefusal> refusals = entryRefusals(editor, night, day);
    QStringList found;
    for (const EntryRefusal& refusal : refusals) {
        static const char* const kinds[] = {"summer", "winter", "night", "day", "order"};
        found << QStringLiteral("%1 %2 %3").arg(refusal.line).arg(QLatin1String(kinds[refusal.kind]), refusal.text);
    }
    QCOMPARE(found, refused);
    const QString message = entryRefusalText(refusals, editor);
    for (const QString& part : said)
        QVERIFY2(message.contains(part), qPrintable(message));
    // In the number of values refused.
    if (refusals.size() == 1)
        QVERIFY(message.startsWith(QStringLiteral("Cette valeur ne peut pas être enregistrée :\n\n")) &&
                message.endsWith(QStringLiteral("Rien n'a été enregistré. La case est marquée en rouge : corrigez-la, "
                                                "puis enregistrez.")));
    else if (!refusals.isEmpty())
        QVERIFY(message.startsWith(QStringLiteral("Ces valeurs ne peuvent pas être enregistrées :\n\n")) &&
                message.endsWith(QStringLiteral("Rien n'a été enregistré. Les cases sont marquées en rouge : "
                                                "corrigez-les, puis enregistrez.")));
}

void TestCityList::theShippedListIsAccepted()
{
    // Whatever the user leaves of it, the list the program comes with can be saved.
    const CityFileContents shipped = readCityFile(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini"));
    QCOMPARE(shipped.rows.size(), 59);
    QList<EditorLine> editor;
    for (const CityFileRow& row : shipped.rows)
        editor.append({row.record.name, row.record.summer, row.record.winter});
    QCOMPARE(entryRefusals(editor, QStringLiteral("20"), QStringLiteral("8")), QList<EntryRefusal>());

    // Many refusals: the first are listed, the rest counted.
    for (EditorLine& line : editor)
        line.summer = QStringLiteral("?");
    const QString message = entryRefusalText(entryRefusals(editor, {}, {}), editor);
    QVERIFY(message.contains(QStringLiteral("… et 49 de plus")));
    QCOMPARE(message.count(QStringLiteral("décalage été")), 12);
}

QTEST_MAIN(TestCityList)
#include "tst_citylist.moc"
