#include <QDir>
#include <QFile>
#include <QTest>

#include "data/settings.h"
#include "data/zonestore.h"
#include "save/save.h"
#include "support/testenv.h"
#include "time/zones.h"

// The save as the model runs it: what it asks first, the order of its writes when one of them fails, and the
// zones and marks found again on the very texts the list gives back.
class TestSave : public QObject
{
    Q_OBJECT

private slots:
    void aFailedWriteLeavesWhatFollowsUntouched_data();
    void aFailedWriteLeavesWhatFollowsUntouched();
    void zonesAndMarksFollowTheStoredNames_data();
    void zonesAndMarksFollowTheStoredNames();
    void aNameCutByTheReaderIsAsked();
    void aListChangedOnDiskIsAsked();
};

namespace {

const QDate kWinterDay(2026, 12, 10);

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kOldList = "\"Paris\",2,1\r\n\"Londres\",1,0\r\n";

} // namespace

void TestSave::aFailedWriteLeavesWhatFollowsUntouched_data()
{
    QTest::addColumn<QString>("folderInPlaceOf"); // a folder under that name makes its write fail
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("zonesWritten");
    QTest::addColumn<bool>("listWritten");
    QTest::addColumn<bool>("settingsWritten");

    // clang-format off
    QTest::newRow("nothing fails")   << QString()                 << int(SaveOutcome::Saved)              << true  << true  << true;
    QTest::newRow("the zones")       << QStringLiteral("zones")    << int(SaveOutcome::ZonesNotWritten)    << false << false << false;
    QTest::newRow("the list")        << QStringLiteral("list")     << int(SaveOutcome::ListNotWritten)     << true  << false << false;
    QTest::newRow("the settings")    << QStringLiteral("lock")     << int(SaveOutcome::SettingsNotWritten) << true  << true  << false;
    // clang-format on
}

void TestSave::aFailedWriteLeavesWhatFollowsUntouched()
{
    QFETCH(QString, folderInPlaceOf);
    QFETCH(int, step);
    QFETCH(bool, zonesWritten);
    QFETCH(bool, listWritten);
    QFETCH(bool, settingsWritten);

    TestEnvironment environment;
    const QString folder = environment.programDirectory();
    environment.writeCityFile(kOldList);
    const QString blocked = folderInPlaceOf == QLatin1String("zones")  ? zoneStorePath(folder)
                            : folderInPlaceOf == QLatin1String("list") ? cityFilePath(folder)
                            : folderInPlaceOf == QLatin1String("lock")
                                ? environment.settingsFile() + QStringLiteral(".lock")
                                : QString();
    if (!blocked.isEmpty()) {
        QFile::remove(blocked);
        QVERIFY(QDir().mkpath(blocked));
    }

    // A city whose zone differs from what its name gives, so that a zones file is written.
    const QList<EditorLine> lines = {
        {QStringLiteral("Ville à moi"), QStringLiteral("2"), QStringLiteral("1"), true,
         QStringLiteral("Europe/Madrid")},
        {QStringLiteral("Londres"), QStringLiteral("1"), QStringLiteral("0"), false, QStringLiteral("Europe/London")}};
    const SavePlan plan = planSave(lines, folder, {}, kWinterDay);
    const SaveOutcome outcome = commitSave(plan, DayHours{7, 20}, folder, environment.settingsFile(), kWinterDay);

    QCOMPARE(int(outcome.step), step);
    QCOMPARE(outcome.reason.isEmpty(), step == SaveOutcome::Saved);
    QCOMPARE(!readZoneStore(zoneStorePath(folder)).choices.isEmpty(), zonesWritten);
    QCOMPARE(QFileInfo(cityFilePath(folder)).isFile() && readAll(cityFilePath(folder)) != kOldList, listWritten);
    SettingsStore settings(environment.settingsFile());
    DayHours hours{8, 19};
    settings.readHours(hours);
    QCOMPARE(hours.day == 7 && hours.night == 20, settingsWritten);
    QCOMPARE(settings.readMarks().byRow[2], settingsWritten); // "Ville à moi" sorts after Londres in winter
}

void TestSave::zonesAndMarksFollowTheStoredNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    // clang-format off
    QTest::newRow("letters the file cannot hold") << QStringLiteral("Ville 東京")           << QStringLiteral("Ville ??");
    QTest::newRow("a decomposed accent")          << QStringLiteral("Ville re\u0301nove\u0301e") << QStringLiteral("Ville rénovée");
    QTest::newRow("a plain name")                 << QStringLiteral("Ville nouvelle")       << QStringLiteral("Ville nouvelle");
    // clang-format on
}

void TestSave::zonesAndMarksFollowTheStoredNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);

    TestEnvironment environment;
    const QString folder = environment.programDirectory();
    environment.writeCityFile(kOldList);
    const QList<EditorLine> lines = {
        {QStringLiteral("Paris"), QStringLiteral("2"), QStringLiteral("1"), false, QStringLiteral("Europe/Paris")},
        {typed, QStringLiteral("9"), QStringLiteral("9"), true, QStringLiteral("Asia/Tokyo")}};
    const SavePlan plan = planSave(lines, folder, readCityFile(cityFilePath(folder)).fingerprint, kWinterDay);
    QCOMPARE(plan.changes.isEmpty(), typed.normalized(QString::NormalizationForm_C) == stored);
    QCOMPARE(commitSave(plan, std::nullopt, folder, environment.settingsFile(), kWinterDay).step, SaveOutcome::Saved);

    // Read back as the next start does.
    const CityFileContents list = readCityFile(cityFilePath(folder));
    QCOMPARE(list.rows[1].record.name, stored);
    const QStringList zones = cityZones(list.rows, readZoneStore(zoneStorePath(folder)).choices, kWinterDay.year());
    QCOMPARE(zones.value(1), QStringLiteral("Asia/Tokyo"));
    const RowMarks marks = marksForList(SettingsStore(environment.settingsFile()).readMarks(), list);
    QVERIFY(marks[2] && !marks[1]);
}

void TestSave::aNameCutByTheReaderIsAsked()
{
    // A name longer than a field may be is read cut; saving it as read is a change the user is asked about.
    TestEnvironment environment;
    const QString folder = environment.programDirectory();
    const QByteArray longName(40000, 'a');
    environment.writeCityFile("\"" + longName + "\",2,1\r\n");
    const CityFileContents list = readCityFile(cityFilePath(folder));
    QCOMPARE(list.rows[0].record.name.size(), kMaxFieldBytes);

    const QList<EditorLine> lines = {{list.rows[0].record.name, QStringLiteral("2"), QStringLiteral("1")}};
    const SavePlan plan = planSave(lines, folder, list.fingerprint, kWinterDay);
    QVERIFY(!plan.listChangedOnDisk);
    QCOMPARE(plan.changes.size(), 1);
    QVERIFY(plan.changes[0].before.contains(QStringLiteral("plus de 32")));
}

void TestSave::aListChangedOnDiskIsAsked()
{
    TestEnvironment environment;
    const QString folder = environment.programDirectory();
    environment.writeCityFile(kOldList);
    const QByteArray opened = readCityFile(cityFilePath(folder)).fingerprint;
    const QList<EditorLine> lines = {{QStringLiteral("Paris"), QStringLiteral("2"), QStringLiteral("1")}};
    QVERIFY(!planSave(lines, folder, opened, kWinterDay).listChangedOnDisk);

    environment.writeCityFile(kOldList + "\"Tokyo\",9,9\r\n");
    QVERIFY(planSave(lines, folder, opened, kWinterDay).listChangedOnDisk);
}

QTEST_GUILESS_MAIN(TestSave)
#include "tst_save.moc"
