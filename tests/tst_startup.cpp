#include <QDir>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <sys/resource.h>

#include "app/mainwindow.h"
#include "data/cityfile.h"
#include "data/locations.h"
#include "platform/process.h"
#include "platform/singleinstance.h"
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
    void aSecondStartBringsTheFirstToTheFront();
    void aFileSizeLimitIsAFailedWrite();
    void aSettingsFileTooLargeIsToldOnce();
};

void TestStartup::caption_data()
{
    QTest::addColumn<int>("offsetMinutes");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("caption");
    // clang-format off
    QTest::addRow("east") << 60 << "fr_FR" << "Horlune (TU + 1 )";
    QTest::addRow("west: two spaces") << -300 << "fr_FR" << "Horlune (TU  -5 )";
    QTest::addRow("half hour, French comma") << 330 << "fr_FR" << "Horlune (TU + 5,5 )";
    QTest::addRow("half hour, English point") << 330 << "en_US" << "Horlune (TU + 5.5 )";
    QTest::addRow("Universal Time") << 0 << "fr_FR" << "Horlune (TU + 0 )";
    QTest::addRow("twelve behind reads +12") << -720 << "fr_FR" << "Horlune (TU + 12 )";
    // clang-format on
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
    Main window(platform.services(), env.programDirectory(), env.programDirectory(), env.settingsFile());
    QCOMPARE(window.windowTitle(), QStringLiteral("Horlune."));
    window.Form_Load();
    QCOMPARE(window.windowTitle(), caption);
}

void TestStartup::windowOpensBorderlessWithOneBeep()
{
    TestEnvironment env;
    FakePlatform platform;
    Main window(platform.services(), env.programDirectory(), env.programDirectory(), env.settingsFile());
    window.Form_Load();
    QVERIFY(window.isVisible());
    QCOMPARE(window.size(), QSize(981, 529));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(platform.beeper.beeps, 1);
}

void TestStartup::aSecondStartBringsTheFirstToTheFront()
{
    TestEnvironment env;
    SingleInstance first(env.cityFile());
    QVERIFY(first.claim());
    QSignalSpy asked(&first, &SingleInstance::activationRequested);
    SingleInstance second(env.cityFile());
    QVERIFY(!second.claim());
    QTRY_COMPARE(asked.size(), 1);
    // Another list is another clock.
    TestEnvironment other;
    SingleInstance third(other.cityFile());
    QVERIFY(third.claim());
}

void TestStartup::aFileSizeLimitIsAFailedWrite()
{
    // Without the preparation the size limit would end this process in the middle of the write.
    prepareProcess(*QCoreApplication::instance());
    TestEnvironment env;
    env.writeCityFile("Paris,2,1\r\n");
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &limit);
    QString error;
    const bool written = saveCityList(env.cityFile(), QList<CityRecord>(59, CityRecord{"Rome", "2", "1"}), &error);
    setrlimit(RLIMIT_FSIZE, &previous);
    QVERIFY(!written);
    QVERIFY2(error.contains(QStringLiteral("fichier trop grand")), qPrintable(error));
    // Qt's own texts are French too.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Oui"));
}

void TestStartup::aSettingsFileTooLargeIsToldOnce()
{
    TestEnvironment env;
    QDir().mkpath(QFileInfo(env.settingsFile()).absolutePath());
    QFile settings(env.settingsFile());
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[data]\nHJ=7\n");
    settings.write(QByteArray(2 * 1024 * 1024, ' '));
    settings.close();
    FakePlatform platform;
    Main window(platform.services(), env.programDirectory(), env.programDirectory(), env.settingsFile());
    window.Form_Load();
    window.Form_Load();
    int told = 0;
    for (const auto& shown : platform.dialogs.shown)
        told += shown.text.contains(QStringLiteral("seul son début a été lu")) ? 1 : 0;
    QCOMPARE(told, 1);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
