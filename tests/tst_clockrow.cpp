#include <QLineF>
#include <QLocale>
#include <QTest>
#include <cmath>

#include "rows/clockrow.h"
#include "rows/geometry.h"

Q_DECLARE_METATYPE(Tense)
Q_DECLARE_METATYPE(WorkState)
Q_DECLARE_METATYPE(Rim)

// One row of the clock as plain data: what it shows and how it looks.
class TestClockRow : public QObject
{
    Q_OBJECT

private slots:
    void look_data();
    void look();
    void planningLook_data();
    void planningLook();
    void sameTimeAsTheComputer_data();
    void sameTimeAsTheComputer();
    void handsTurnWithTheTime_data();
    void handsTurnWithTheTime();
    void dayHours_data();
    void dayHours();
    void cityTimes_data();
    void cityTimes();
    void hoverSentence_data();
    void hoverSentence();
    void description_data();
    void description();
    void spokenNames_data();
    void spokenNames();
    void dateLine_data();
    void dateLine();
    void loadingRepeatsTheLastCity();
};

void TestClockRow::look_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<bool>("hovered");
    QTest::addColumn<bool>("sameAsLocal");
    QTest::addColumn<bool>("day");
    QTest::addColumn<Rgb>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<Rgb>("minuteHand");
    QTest::addColumn<Rgb>("hourHand");
    const Rgb white{255, 255, 255}, black{0, 0, 0}, yellow{255, 255, 0}, red{255, 0, 0};
    const Rgb dayMinute{90, 90, 90}, dayHour{40, 40, 40}, nightMinute{240, 240, 240}, nightHour{210, 210, 210};
    // clang-format off
    QTest::addRow("Universal Time, by night") << 0 << false << false << true << false << white << true << nightMinute << nightHour;
    QTest::addRow("Universal Time hovered") << 0 << false << true << false << true << white << true << dayMinute << dayHour;
    QTest::addRow("a city by day") << 7 << false << false << false << true << black << false << dayMinute << dayHour;
    QTest::addRow("a city by night") << 7 << false << false << false << false << black << false << nightMinute << nightHour;
    QTest::addRow("at the computer's time") << 7 << false << false << true << true << white << true << dayMinute << dayHour;
    QTest::addRow("marked, by day") << 7 << true << false << false << true << yellow << true << yellow << yellow;
    QTest::addRow("marked, at the computer's time, by night") << 59 << true << false << true << false << yellow << true << yellow << yellow;
    QTest::addRow("hovered") << 7 << false << true << false << false << red << true << nightMinute << nightHour;
    QTest::addRow("hovered at the computer's time") << 7 << false << true << true << true << red << true << dayMinute << dayHour;
    QTest::addRow("hovered and marked") << 59 << true << true << false << false << yellow << true << yellow << yellow;
    // clang-format on
}

void TestClockRow::look()
{
    QFETCH(int, index);
    QFETCH(bool, marked);
    QFETCH(bool, hovered);
    QFETCH(bool, sameAsLocal);
    QFETCH(bool, day);
    QFETCH(Rgb, text);
    QFETCH(bool, bold);
    QFETCH(Rgb, minuteHand);
    QFETCH(Rgb, hourHand);
    ClockRow row;
    row.cityTime = QDateTime(QDate(2024, 12, 9), QTime(15, 30), Qt::UTC);
    row.marked = marked;
    row.sameAsLocal = sameAsLocal;
    row.day = day;
    const RowLook look = rowLook(index, row, hovered);
    QCOMPARE(look.text, text);
    QCOMPARE(look.bold, bold);
    QCOMPARE(look.face, day ? Face::Day : Face::Night);
    QCOMPARE(look.handColours.minute, minuteHand);
    QCOMPARE(look.handColours.hour, hourHand);
    // The preview faces of the panel take the same colours as a face of their kind.
    if (!marked)
        QCOMPARE(look.handColours, handColours(look.face));
}

void TestClockRow::planningLook_data()
{
    // What planning adds to a row: a ring while its working state is known, a sign for a change coming; and
    // what a screen reader then says of it.
    QTest::addColumn<WorkState>("work");
    QTest::addColumn<int>("changeSeconds"); // 0: no change coming
    QTest::addColumn<Rim>("rim");
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("change"); // what the change coming says
    QTest::addColumn<QString>("spoken"); // after "Tokyo, 05 h 01, jeudi 10 décembre, nuit"
    const QString winter = QStringLiteral("Passe à l'heure d'hiver dimanche 1 novembre à 02.00 : −1 h");
    const QString summer = QStringLiteral("Passe à l'heure d'été dimanche 4 octobre à 02.00 : +30 min");
    // clang-format off
    QTest::addRow("at rest: the design's face")       << WorkState::Unknown << 0     << Rim::None   << ""  << ""     << "";
    QTest::addRow("at work")                          << WorkState::AtWork  << 0     << Rim::Solid  << ""  << ""     << ", au bureau";
    QTest::addRow("away")                             << WorkState::Away    << 0     << Rim::Dotted << ""  << ""     << ", hors des heures de bureau";
    QTest::addRow("winter time coming")               << WorkState::Unknown << -3600 << Rim::None   << "▼" << winter << ", " + winter;
    QTest::addRow("summer time coming, half an hour") << WorkState::Unknown << 1800  << Rim::None   << "▲" << summer << ", " + summer;
    QTest::addRow("away, with a change coming")       << WorkState::Away    << -3600 << Rim::Dotted << "▼" << winter << ", hors des heures de bureau, " + winter;
    // clang-format on
}

void TestClockRow::planningLook()
{
    QFETCH(WorkState, work);
    QFETCH(int, changeSeconds);
    QFETCH(Rim, rim);
    QFETCH(QString, sign);
    QFETCH(QString, change);
    QFETCH(QString, spoken);
    ClockRow row;
    row.name = QStringLiteral("Tokyo");
    row.cityTime = QDateTime(QDate(2020, 12, 10), QTime(5, 1), Qt::UTC);
    row.marked = true;
    row.work = work;
    row.changeSeconds = changeSeconds;
    row.changeComing = change;
    const RowLook look = rowLook(5, row, false);
    QCOMPARE(look.rim, rim);
    QCOMPARE(look.changeSign, sign);
    QCOMPARE(rowDescription(5, row, QLocale(QLocale::French, QLocale::France)),
             QStringLiteral("Tokyo, 05 h 01, jeudi 10 décembre, nuit") + spoken);
    // A row that shows no time says nothing of it.
    row.timeShown = false;
    QCOMPARE(rowDescription(5, row, QLocale(QLocale::French, QLocale::France)), QStringLiteral("Tokyo"));
}

void TestClockRow::sameTimeAsTheComputer_data()
{
    QTest::addColumn<QDateTime>("local"); // the computer's wall clock
    QTest::addColumn<QDateTime>("city");
    QTest::addColumn<bool>("same");
    const QDateTime local(QDate(2026, 12, 10), QTime(14, 5), Qt::UTC);
    // clang-format off
    QTest::addRow("the same hour and minute") << local << local << true;
    QTest::addRow("seconds apart") << local << local.addSecs(30) << true;
    QTest::addRow("a minute apart") << local << local.addSecs(60) << false;
    QTest::addRow("a day behind at the same hour (the computer at UTC+14, Honolulu)") << local << local.addDays(-1) << false;
    QTest::addRow("a day ahead at the same hour") << local << local.addDays(1) << false;
    // clang-format on
}

void TestClockRow::sameTimeAsTheComputer()
{
    QFETCH(QDateTime, local);
    QFETCH(QDateTime, city);
    QFETCH(bool, same);
    QList<ClockRow> rows(3);
    rows[0].cityTime = local; // Universal Time is never compared
    rows[1].cityTime = city;
    rows[2].cityTime = local.addSecs(3600);
    compareWithLocal(rows, local);
    QCOMPARE(rows[1].sameAsLocal, same);
    QVERIFY(!rows[0].sameAsLocal && !rows[2].sameAsLocal);
}

void TestClockRow::handsTurnWithTheTime_data()
{
    // Angles clockwise from twelve, around the face's own centre; the seconds play no part.
    QTest::addColumn<QTime>("time");
    QTest::addColumn<double>("minute");
    QTest::addColumn<double>("hour");
    QTest::addColumn<QPointF>("minuteEnd"); // twips from the centre, y downwards
    QTest::addRow("midnight") << QTime(0, 0) << 0.0 << 0.0 << QPointF(0, -315);
    QTest::addRow("a quarter past three") << QTime(3, 15) << 90.0 << 97.5 << QPointF(315, 0);
    QTest::addRow("half past three, afternoon") << QTime(15, 30, 40) << 180.0 << 105.0 << QPointF(0, 315);
    QTest::addRow("a quarter to nine") << QTime(20, 45) << 270.0 << 262.5 << QPointF(-315, 0);
    QTest::addRow("a minute to midnight") << QTime(23, 59, 59) << 354.0 << 359.5 << QPointF(-32.93, -313.27);
}

void TestClockRow::handsTurnWithTheTime()
{
    QFETCH(QTime, time);
    QFETCH(double, minute);
    QFETCH(double, hour);
    QFETCH(QPointF, minuteEnd);
    ClockRow row;
    row.cityTime = QDateTime(QDate(2024, 12, 9), time, Qt::UTC);
    // The same hands on every row: each face draws them around its own centre.
    for (int index : {0, 13, 59}) {
        const Hands hands = rowLook(index, row, false).hands;
        QCOMPARE(hands.minute, minute);
        QCOMPARE(hands.hour, hour);
    }
    const QPointF end = handEnd(minute, kMinuteHandLength);
    QVERIFY2(qAbs(end.x() - minuteEnd.x()) < 0.01 && qAbs(end.y() - minuteEnd.y()) < 0.01,
             qPrintable(QStringLiteral("%1, %2").arg(end.x()).arg(end.y())));
    QVERIFY(qAbs(QLineF(QPointF(), handEnd(hour, kHourHandLength)).length() - kHourHandLength) < 1e-9);
}

void TestClockRow::dayHours_data()
{
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("dayHour");
    QTest::addColumn<int>("nightHour");
    QTest::addColumn<bool>("day");
    QTest::addRow("07 h night") << 7 << 8 << 20 << false;
    QTest::addRow("08 h day") << 8 << 8 << 20 << true;
    QTest::addRow("19 h day") << 19 << 8 << 20 << true;
    QTest::addRow("20 h night") << 20 << 8 << 20 << false;
    QTest::addRow("day after night: always night") << 12 << 20 << 8 << false;
    QTest::addRow("0 to 24: always day") << 0 << 0 << 24 << true;
    QTest::addRow("0 to 24 late") << 23 << 0 << 24 << true;
}

void TestClockRow::dayHours()
{
    QFETCH(int, hour);
    QFETCH(int, dayHour);
    QFETCH(int, nightHour);
    QFETCH(bool, day);
    QCOMPARE(isDayHour(hour, dayHour, nightHour), day);
}

void TestClockRow::cityTimes_data()
{
    QTest::addColumn<QDateTime>("local");
    QTest::addColumn<float>("computerOffset");
    QTest::addColumn<float>("offset");
    QTest::addColumn<QDateTime>("city");
    auto at = [](int y, int m, int d, int h, int mi) { return QDateTime(QDate(y, m, d), QTime(h, mi), Qt::UTC); };
    // clang-format off
    QTest::addRow("half hour east") << at(2024, 12, 9, 10, 0) << 1.0f << 5.5f << at(2024, 12, 9, 14, 30);
    QTest::addRow("past midnight") << at(2024, 12, 9, 23, 59) << 1.0f << 9.0f << at(2024, 12, 10, 7, 59);
    QTest::addRow("year end") << at(2024, 12, 31, 20, 0) << -5.0f << 9.0f << at(2025, 1, 1, 10, 0);
    QTest::addRow("a huge offset wraps by whole cycles") << at(2024, 12, 9, 10, 0) << 0.0f << 3.5e9f << at(2024, 12, 9, 10, 0).addSecs(qint64(3.5e9) * 3600 % (146097LL * 86400));
    // clang-format on
}

void TestClockRow::cityTimes()
{
    QFETCH(QDateTime, local);
    QFETCH(float, computerOffset);
    QFETCH(float, offset);
    QFETCH(QDateTime, city);
    QCOMPARE(cityDateTime(local, computerOffset, offset), city);
}

void TestClockRow::hoverSentence_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<float>("offset");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<Tense>("tense");
    QTest::addColumn<QString>("sentence");
    // clang-format off
    QTest::addRow("east") << "Tokyo" << 9.0f << "fr_FR" << Tense::Present << "Tokyo (Tu +9) le 09 décembre, il est 18.00.";
    QTest::addRow("at Universal Time: Tu +0") << "Londres" << 0.0f << "fr_FR" << Tense::Present << "Londres (Tu +0) le 09 décembre, il est 18.00.";
    QTest::addRow("west, French comma") << "Terre-Neuve" << -3.5f << "fr_FR" << Tense::Present << "Terre-Neuve (Tu -3,5) le 09 décembre, il est 18.00.";
    QTest::addRow("English") << "Kolkata" << 5.5f << "en_GB" << Tense::Present << "Kolkata (Tu +5.5) le 09 December, il est 18.00.";
    QTest::addRow("an instant to come") << "Tokyo" << 9.0f << "fr_FR" << Tense::Future << "Tokyo (Tu +9) le 09 décembre, il sera 18.00.";
    QTest::addRow("an instant gone by") << "Tokyo" << 9.0f << "fr_FR" << Tense::Past << "Tokyo (Tu +9) le 09 décembre, il était 18.00.";
    // clang-format on
}

void TestClockRow::hoverSentence()
{
    QFETCH(QString, name);
    QFETCH(float, offset);
    QFETCH(QString, locale);
    QFETCH(Tense, tense);
    QFETCH(QString, sentence);
    ClockRow row;
    row.name = name;
    row.offset = offset;
    row.cityTime = QDateTime(QDate(2024, 12, 9), QTime(18, 0, 59), Qt::UTC);
    const HoverSentence parts = ::hoverSentence(row, QLocale(locale), tense);
    QCOMPARE(parts.whole(), sentence);
    QCOMPARE(parts.name, name); // what may be shortened; the rest never is
}

void TestClockRow::description_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDateTime>("cityTime");
    QTest::addColumn<bool>("day");
    QTest::addColumn<bool>("timeShown");
    QTest::addColumn<QString>("description");
    const QDateTime night(QDate(2020, 12, 10), QTime(5, 1, 59), Qt::UTC);
    const QDateTime afternoon(QDate(2024, 7, 1), QTime(16, 30), Qt::UTC);
    // clang-format off
    QTest::addRow("a city by night") << 3 << "Tokyo" << night << false << true << "Tokyo, 05 h 01, jeudi 10 décembre, nuit";
    QTest::addRow("a city by day") << 3 << "Paris" << afternoon << true << true << "Paris, 16 h 30, lundi 1 juillet, jour";
    QTest::addRow("Universal Time by its name") << 0 << "T.U" << afternoon << true << true << "Temps universel, 16 h 30, lundi 1 juillet, jour";
    QTest::addRow("blanks run together") << 3 << "  La   Havane " << night << false << true << "La Havane, 05 h 01, jeudi 10 décembre, nuit";
    QTest::addRow("empty name") << 3 << "" << night << false << true << "Ville sans nom, 05 h 01, jeudi 10 décembre, nuit";
    QTest::addRow("name of spaces") << 3 << "     " << night << false << true << "Ville sans nom, 05 h 01, jeudi 10 décembre, nuit";
    QTest::addRow("no time shown: the name alone") << 3 << "Lima" << night << false << false << "Lima";
    QTest::addRow("not drawn yet: the name alone") << 3 << "Lima" << QDateTime() << false << true << "Lima";
    // clang-format on
}

void TestClockRow::description()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QDateTime, cityTime);
    QFETCH(bool, day);
    QFETCH(bool, timeShown);
    QFETCH(QString, description);
    ClockRow row;
    row.name = name;
    row.cityTime = cityTime;
    row.day = day;
    row.timeShown = timeShown;
    QCOMPARE(rowDescription(index, row, QLocale(QLocale::French, QLocale::France)), description);
}

void TestClockRow::spokenNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("spoken");
    const QString eighty(kSpokenNameLength, u'W');
    // clang-format off
    QTest::addRow("short") << "Tokyo" << "Tokyo";
    QTest::addRow("blank") << " \t " << "";
    QTest::addRow("just the longest") << eighty << eighty;
    QTest::addRow("200 characters") << QString(200, u'a') << QString(kSpokenNameLength - 1, u'a') + u'…';
    // U+1F30D, two UTF-16 units, where the cut falls: dropped whole rather than halved.
    QString globes;
    for (int i = 0; i < 60; ++i)
        globes += QString::fromUcs4(U"\U0001F30D");
    QTest::addRow("never half a character") << QStringLiteral("xy") + globes << QStringLiteral("xy") + globes.left(76) + u'…';
    // clang-format on
}

void TestClockRow::spokenNames()
{
    QFETCH(QString, name);
    QFETCH(QString, spoken);
    QCOMPARE(spokenName(name), spoken);
    QVERIFY(spokenName(name).size() <= kSpokenNameLength);
}

void TestClockRow::dateLine_data()
{
    QTest::addColumn<QList<int>>("days");
    QTest::addColumn<int>("row");
    QTest::addRow("all on one day") << QList<int>{9, 9, 9, 9} << -1;
    QTest::addRow("rows 5 and 6") << QList<int>{9, 9, 9, 9, 9, 9, 10} << 6;
    QTest::addRow("Universal Time is never compared") << QList<int>{8, 9, 9} << -1;
    QTest::addRow("only the first change") << QList<int>{9, 9, 10, 9, 10} << 2;
    QTest::addRow("month end counts") << QList<int>{30, 30, 1} << 2;
    QTest::addRow("the last row") << QList<int>(59, 9) + QList<int>{10} << 59;
}

void TestClockRow::dateLine()
{
    QFETCH(QList<int>, days);
    QFETCH(int, row);
    QList<ClockRow> rows(days.size());
    for (int i = 0; i < days.size(); ++i)
        rows[i].cityTime = QDateTime(QDate(2024, days[i] >= 9 ? 11 : 12, days[i]), QTime(12, 0), Qt::UTC);
    QCOMPARE(dateLineRow(rows), row);
}

void TestClockRow::loadingRepeatsTheLastCity()
{
    QList<ClockRow> rows(kRows);
    const QList<CityFileRow> records = {
        {{"Paris", "2", "1"}, true}, {{"Nulle part", QString(60, u'9'), "1"}, true}, {{"Rome", "2", "1"}, false}};
    loadCityRows(rows, records, {}, true);
    QCOMPARE(rows[1].offset, 2.0f);
    QVERIFY(rows[1].timeShown);
    // An offset too large for the clock: the offset before it, and no time.
    QCOMPARE(rows[2].name, QStringLiteral("Nulle part"));
    QCOMPARE(rows[2].offset, 2.0f);
    QVERIFY(!rows[2].timeShown);
    QCOMPARE(rows[3].name, QStringLiteral("Rome"));
    QVERIFY(!rows[3].timeShown);
    QCOMPARE(rows[4].name, QString()); // past the records read: untouched
    loadCityRows(rows, records, {}, false);
    QCOMPARE(rows[1].offset, 1.0f);
    // Each season on its own: the winter offset of "Nulle part" can be read, so its time shows in winter.
    QCOMPARE(rows[2].offset, 1.0f);
    QVERIFY(rows[2].timeShown);
    QVERIFY(!rows[2].summer.shown);
    QCOMPARE(rows[2].summer.hours, 2.0f);
    QVERIFY(!rows[3].winter.shown);
}

QTEST_GUILESS_MAIN(TestClockRow)
#include "tst_clockrow.moc"
