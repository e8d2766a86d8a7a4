#include <QCollator>
#include <QLocale>
#include <QTest>

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

QTEST_MAIN(TestCityList)
#include "tst_citylist.moc"
