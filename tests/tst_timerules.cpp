#include <QLocale>
#include <QTest>

#include "time/timerules.h"

class TestTimeRules : public QObject
{
    Q_OBJECT

private slots:
    void computerOffset_data();
    void computerOffset();
    void startsOfSummerAndWinter_data();
    void startsOfSummerAndWinter();
    void season_data();
    void season();
    void seasonMessage_data();
    void seasonMessage();
};

void TestTimeRules::computerOffset_data()
{
    QTest::addColumn<QDateTime>("local");
    QTest::addColumn<QDateTime>("universal");
    QTest::addColumn<float>("offset");

    auto at = [](int day, int hour, int minute) {
        return QDateTime(QDate(2025, 3, day), QTime(hour, minute), Qt::UTC);
    };
    // clang-format off
    QTest::addRow("same time gives 0") << at(10, 12, 0) << at(10, 12, 0) << 0.0f;
    QTest::addRow("one hour east") << at(10, 13, 0) << at(10, 12, 0) << 1.0f;
    QTest::addRow("one hour east, minutes") << at(10, 13, 20) << at(10, 12, 20) << 1.0f;
    QTest::addRow("east across midnight") << at(10, 1, 0) << at(9, 23, 0) << 2.0f;
    QTest::addRow("west across midnight") << at(10, 23, 30) << at(11, 4, 0) << -4.5f;
    QTest::addRow("twelve hours behind") << at(10, 0, 0) << at(10, 12, 0) << -12.0f;
    QTest::addRow("twelve hours ahead") << at(11, 0, 0) << at(10, 12, 0) << 12.0f;
    QTest::addRow("+13, a day ahead") << at(11, 1, 0) << at(10, 12, 0) << 13.0f;
    QTest::addRow("+14, a day ahead") << at(11, 2, 0) << at(10, 12, 0) << 14.0f;
    QTest::addRow("45-minute zone") << at(10, 5, 45) << at(10, 0, 0) << 5.75f;
    QTest::addRow("20 minutes to two decimals") << at(10, 12, 20) << at(10, 12, 0) << 0.33f;
    QTest::addRow("negative 20 minutes") << at(10, 11, 40) << at(10, 12, 0) << -0.33f;
    QTest::addRow("seconds are ignored") << QDateTime(QDate(2025, 3, 10), QTime(13, 0, 59), Qt::UTC) << QDateTime(QDate(2025, 3, 10), QTime(12, 0, 1), Qt::UTC) << 1.0f;
    // clang-format on
}

void TestTimeRules::computerOffset()
{
    QFETCH(QDateTime, local);
    QFETCH(QDateTime, universal);
    QFETCH(float, offset);
    const float result = ::computerOffset({universal, local});
    QCOMPARE(result, offset);
    QVERIFY(!std::signbit(result) || result < 0); // never "-0"
}

void TestTimeRules::startsOfSummerAndWinter_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("summer");
    QTest::addColumn<QDate>("winter");
    QTest::addRow("2024: 31 March is a Sunday") << 2024 << QDate(2024, 3, 31) << QDate(2024, 10, 27);
    QTest::addRow("2025") << 2025 << QDate(2025, 3, 30) << QDate(2025, 10, 26);
    QTest::addRow("2026") << 2026 << QDate(2026, 3, 29) << QDate(2026, 10, 25);
    QTest::addRow("2027: 31 October is a Sunday") << 2027 << QDate(2027, 3, 28) << QDate(2027, 10, 31);
    QTest::addRow("2000, leap year") << 2000 << QDate(2000, 3, 26) << QDate(2000, 10, 29);
}

void TestTimeRules::startsOfSummerAndWinter()
{
    QFETCH(int, year);
    QFETCH(QDate, summer);
    QFETCH(QDate, winter);
    QCOMPARE(summerStart(year), summer);
    QCOMPARE(winterStart(year), winter);
    QCOMPARE(winter.dayOfWeek(), int(Qt::Sunday));
    QCOMPARE(summer.dayOfWeek(), int(Qt::Sunday));
}

void TestTimeRules::season_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("summer");
    QTest::addRow("Saturday before the change") << QDate(2025, 3, 29) << false;
    QTest::addRow("last Sunday of March") << QDate(2025, 3, 30) << true;
    QTest::addRow("mid-summer") << QDate(2025, 7, 14) << true;
    QTest::addRow("last Sunday of October") << QDate(2025, 10, 26) << true;
    QTest::addRow("Monday after") << QDate(2025, 10, 27) << false;
    QTest::addRow("New Year") << QDate(2026, 1, 1) << false;
    QTest::addRow("31 December") << QDate(2026, 12, 31) << false;
}

void TestTimeRules::season()
{
    QFETCH(QDate, today);
    QFETCH(bool, summer);
    QCOMPARE(isSummerTime(today), summer);
    QCOMPARE(seasonText(summer), summer ? QStringLiteral("Heure d'été") : QStringLiteral("Heure d'hiver"));
}

void TestTimeRules::seasonMessage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("summer");
    QTest::addColumn<float>("offset");
    QTest::addColumn<QString>("message");
    // clang-format off
    QTest::addRow("summer, two hours") << "fr_FR" << true << 2.0f << QStringLiteral( "L'ordinateur est en Heure d'été.\r\nDécalage avec TU = 2 heure(s).");
    QTest::addRow("winter, half hour, French comma") << "fr_FR" << false << 5.5f << QStringLiteral("L'ordinateur est en Heure d'hiver.\r\nDécalage avec TU = 5,5 heure(s).");
    QTest::addRow("negative, English point") << "en_US" << false << -3.5f << QStringLiteral("L'ordinateur est en Heure d'hiver.\r\nDécalage avec TU = -3.5 heure(s).");
    QTest::addRow("two decimals") << "fr_FR" << true << 0.33f << QStringLiteral( "L'ordinateur est en Heure d'été.\r\nDécalage avec TU = 0,33 heure(s).");
    // clang-format on
}

void TestTimeRules::seasonMessage()
{
    QFETCH(QString, locale);
    QFETCH(bool, summer);
    QFETCH(float, offset);
    QFETCH(QString, message);
    QCOMPARE(::seasonMessage(summer, offset, QLocale(locale)), message);
}

QTEST_GUILESS_MAIN(TestTimeRules)
#include "tst_timerules.moc"
