#include <QLocale>
#include <QTest>

#include "app/mainwindow.h"
#include "support/fakeplatform.h"
#include "support/testenv.h"

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }
    void caption_data();
    void caption();
    void windowOpensBorderlessWithOneBeep();
};

void TestStartup::caption_data()
{
    QTest::addColumn<int>("offsetMinutes");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("caption");
    QTest::addRow("east") << 60 << "fr_FR"
                          << "Horlune (TU + 1 )";
    QTest::addRow("west: two spaces") << -300 << "fr_FR"
                                      << "Horlune (TU  -5 )";
    QTest::addRow("half hour, French comma") << 330 << "fr_FR"
                                             << "Horlune (TU + 5,5 )";
    QTest::addRow("half hour, English point") << 330 << "en_US"
                                              << "Horlune (TU + 5.5 )";
    QTest::addRow("Universal Time") << 0 << "fr_FR"
                                    << "Horlune (TU + 0 )";
    QTest::addRow("twelve behind reads +12") << -720 << "fr_FR"
                                             << "Horlune (TU + 12 )";
}

void TestStartup::caption()
{
    QFETCH(int, offsetMinutes);
    QFETCH(QString, locale);
    QFETCH(QString, caption);
    QLocale::setDefault(QLocale(locale));
    TestEnvironment env;
    FakePlatform platform;
    platform.clock.set(QDateTime(QDate(2025, 1, 15), QTime(10, 0), Qt::UTC), offsetMinutes * 60);
    Main window(platform.services(), env.programDirectory(), env.settingsName());
    QCOMPARE(window.windowTitle(), QStringLiteral("Horlune."));
    window.Form_Load();
    QCOMPARE(window.windowTitle(), caption);
}

void TestStartup::windowOpensBorderlessWithOneBeep()
{
    TestEnvironment env;
    FakePlatform platform;
    Main window(platform.services(), env.programDirectory(), env.settingsName());
    window.Form_Load();
    QVERIFY(window.isVisible());
    QCOMPARE(window.size(), QSize(981, 529));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(platform.beeper.beeps, 1);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
