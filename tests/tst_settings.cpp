#include <QLocale>
#include <QSettings>
#include <QTest>

#include "data/settings.h"
#include "support/testenv.h"

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void firstRunDefaults();
    void hours_data();
    void hours();
    void marks_data();
    void marks();
    void writesMarksAndHours();
    void anotherExecutableNameStartsFromDefaults();
};

void TestSettings::firstRunDefaults()
{
    TestEnvironment env;
    SettingsStore store(env.settingsName());
    DayHours hours;
    store.readHours(hours);
    QCOMPARE(hours.day, qint16(8));
    QCOMPARE(hours.night, qint16(20));
    const RowMarks marks = store.readMarks();
    QVERIFY(std::none_of(marks.begin(), marks.end(), [](bool marked) { return marked; }));
}

void TestSettings::hours_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("expected");
    QTest::addRow("plain") << "7" << 0 << 7;
    QTest::addRow("no range check") << "30" << 0 << 30;
    QTest::addRow("not a number keeps the previous value") << "abc" << 0 << 0;
    QTest::addRow("not a number after a start") << "abc" << 9 << 9;
    QTest::addRow("French decimal, half to even") << "6,5" << 0 << 6;
    QTest::addRow("out of 16 bits") << "40000" << 5 << 5;
    QTest::addRow("empty text") << "" << 5 << 5;
}

void TestSettings::hours()
{
    QFETCH(QString, stored);
    QFETCH(int, previous);
    QFETCH(int, expected);
    TestEnvironment env;
    env.writeSetting("HJ", stored);
    env.writeSetting("HN", stored);
    SettingsStore store(env.settingsName());
    DayHours hours{qint16(previous), qint16(previous)};
    store.readHours(hours);
    QCOMPARE(hours.day, qint16(expected));
    QCOMPARE(hours.night, qint16(expected));
}

void TestSettings::marks_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("marked");
    QTest::addRow("T") << "T" << true;
    QTest::addRow("F") << "F" << false;
    QTest::addRow("lower-case t") << "t" << false;
    QTest::addRow("True") << "True" << false;
    QTest::addRow("1") << "1" << false;
    QTest::addRow("T and a space") << "T " << false;
    QTest::addRow("a list") << "T, T" << false;
}

void TestSettings::marks()
{
    QFETCH(QString, stored);
    QFETCH(bool, marked);
    TestEnvironment env;
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, env.settingsName(), env.settingsName());
        raw.setValue("data/P7", stored == "T, T" ? QVariant(QStringList{"T", "T"}) : QVariant(stored));
    }
    const RowMarks marks = SettingsStore(env.settingsName()).readMarks();
    QCOMPARE(marks[7], marked);
    QVERIFY(!marks[0] && !marks[6] && !marks[8]);
}

void TestSettings::writesMarksAndHours()
{
    TestEnvironment env;
    {
        SettingsStore store(env.settingsName());
        RowMarks marks{};
        marks[3] = true;
        marks[59] = true;
        store.writeMarks(marks);
        store.writeHours(DayHours{7, 22});
        QVERIFY(store.sync());
    }
    QCOMPARE(env.readSetting("P3"), QStringLiteral("T"));
    QCOMPARE(env.readSetting("P59"), QStringLiteral("T"));
    QCOMPARE(env.readSetting("P1"), QStringLiteral("F"));
    QCOMPARE(env.readSetting("HN"), QStringLiteral("22"));
    QCOMPARE(env.readSetting("HJ"), QStringLiteral("7"));
    QVERIFY(env.readSetting("P0").isEmpty());
    QVERIFY(env.readSetting("P60").isEmpty());

    const RowMarks marks = SettingsStore(env.settingsName()).readMarks();
    QVERIFY(marks[3] && marks[59] && !marks[4]);
}

void TestSettings::anotherExecutableNameStartsFromDefaults()
{
    TestEnvironment env;
    env.writeSetting("HJ", "6");
    SettingsStore other(env.settingsName() + QStringLiteral("-copie"));
    DayHours hours;
    other.readHours(hours);
    QCOMPARE(hours.day, qint16(8));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
