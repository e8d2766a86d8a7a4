#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data/cityfile.h"
#include "data/locations.h"
#include "data/settings.h"
#include "data/zonestore.h"
#include "save/save.h"
#include "support/testenv.h"
#include "time/zones.h"

Q_DECLARE_METATYPE(EditorLine)

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
    void aFileReadInPartIsNeverReplaced_data();
    void aFileReadInPartIsNeverReplaced();
    void aZonesFileNotReadWholeIsKeptOrAsked_data();
    void aZonesFileNotReadWholeIsKeptOrAsked();
    void linesTheFileWouldConfuseAreRefused_data();
    void linesTheFileWouldConfuseAreRefused();
    void aNameIsNeverLongerThanTheReaderReadsBack();
    void aReadOnlyFolderStillTakesTheList_data();
    void aReadOnlyFolderStillTakesTheList();
};

namespace {

const QDate kWinterDay(2026, 12, 10);

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kOldList = "\"Paris\",2,1\r\n\"Londres\",1,0\r\n";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// A zones file as the program writes it, its choices at the end behind `padding` bytes of another member.
QByteArray zonesFile(const QList<ZoneChoice>& choices, qsizetype padding = 0)
{
    QByteArray entries;
    for (const ZoneChoice& choice : choices)
        entries += (entries.isEmpty() ? "" : ",") + QByteArray("{\"name\": \"") + choice.city.name.toUtf8() +
                   "\", \"summer\": \"" + choice.city.summer.toUtf8() + "\", \"winter\": \"" +
                   choice.city.winter.toUtf8() + "\", \"zone\": \"" + choice.zone.toUtf8() + "\"}";
    return "{\"notes\": \"" + QByteArray(padding, 'x') + "\",\n\"zones\": [" + entries + "]}\n";
}

// The zone each city of the list on disk follows, as the next start finds it.
QStringList zonesReadBack(const QString& folder)
{
    const CityFileContents list = readCityFile(cityFilePath(folder));
    return cityZones(list.rows, readZoneStore(zoneStorePath(folder)).choices, kWinterDay.year());
}

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
    const SaveOutcome outcome = commitSave(plan, DayHours{7, 20}, folder, environment.settingsFile());

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
    QCOMPARE(commitSave(plan, std::nullopt, folder, environment.settingsFile()).step, SaveOutcome::Saved);

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

void TestSave::aFileReadInPartIsNeverReplaced_data()
{
    // Each of the save's three files, larger than its read limit and read in part: what stood past the part read
    // must survive the save, which says so and what to do.
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("listWritten");
    // clang-format off
    QTest::addRow("the city list, 9 MB")  << "list"     << int(SaveOutcome::ListNotWritten)     << false;
    QTest::addRow("the zones file, 5 MB") << "zones"    << int(SaveOutcome::Saved)              << true;
    QTest::addRow("the settings, 2 MB")   << "settings" << int(SaveOutcome::SettingsNotWritten) << true;
    // clang-format on
}

void TestSave::aFileReadInPartIsNeverReplaced()
{
    QFETCH(QString, file);
    QFETCH(int, step);
    QFETCH(bool, listWritten);
    TestEnvironment environment;
    const QString folder = environment.programDirectory();
    const QString path = file == "list"    ? cityFilePath(folder)
                         : file == "zones" ? zoneStorePath(folder)
                                           : environment.settingsFile();
    environment.writeCityFile(kOldList);
    QVERIFY(QDir().mkpath(QFileInfo(environment.settingsFile()).absolutePath()));
    if (file == "list") // the list, then a hole past the limit: its end, which no reader saw
        writeFile(path, kOldList + QByteArray(9 * 1024 * 1024, '\0') + "Tokyo,9,9\r\n");
    else if (file == "zones") // a valid store whose choice for the list's Paris stands past the limit
        writeFile(path, zonesFile({{{"Paris", "2", "1"}, "Asia/Tokyo"}}, 5 * 1000 * 1000));
    else
        writeFile(path, "[data]\nPadding=" + QByteArray(2 * 1024 * 1024, 'x') + "\nHJ=7\nP1=T\n");
    const QByteArray before = readAll(path);

    // Londres renamed, a city of its own offsets: no zone choice to keep.
    const QList<EditorLine> lines = {
        {QStringLiteral("Paris"), QStringLiteral("2"), QStringLiteral("1"), false, QStringLiteral("Europe/Paris")},
        {QStringLiteral("Lutèce"), QStringLiteral("2"), QStringLiteral("1")}};
    const SavePlan plan = planSave(lines, folder, readCityFile(cityFilePath(folder)).fingerprint, kWinterDay);
    const QString refusal = saveRefusal(plan);
    QCOMPARE(refusal.isEmpty(), file != "list");
    if (file == "list") {
        QVERIFY2(refusal.contains(path) && refusal.contains(QStringLiteral("dépasse 8 Mo")), qPrintable(refusal));
        QVERIFY(refusal.contains(QStringLiteral("réduisez-le ou déplacez-le")));
    }
    QVERIFY(saveQuestions(plan).isEmpty()); // no zone choice to keep: the zones file is left as it is

    const SaveOutcome outcome = commitSave(plan, DayHours{9, 21}, folder, environment.settingsFile());
    QCOMPARE(int(outcome.step), step);
    if (step != SaveOutcome::Saved) {
        QCOMPARE(outcome.path, path);
        QVERIFY2(outcome.reason.contains(QStringLiteral("n'a été lu qu'en partie")), qPrintable(outcome.reason));
    }
    QVERIFY(readAll(path) == before);
    QCOMPARE(readAll(cityFilePath(folder)) != kOldList && file != "list", listWritten);
}

void TestSave::aZonesFileNotReadWholeIsKeptOrAsked_data()
{
    // A zones file whose choices could not all be read: left as it is when the save has no choice to keep;
    // otherwise the save asks first, naming the file, why, and the choices it will keep.
    QTest::addColumn<QByteArray>("store");
    QTest::addColumn<bool>("choiceToKeep");
    QTest::addColumn<QString>("why"); // empty: read whole
    const QByteArray tokyo = zonesFile({{{"Kyoto", "9", "9"}, "Asia/Tokyo"}});
    // clang-format off
    QTest::addRow("too large, nothing to keep")  << zonesFile({{{"Kyoto", "9", "9"}, "Asia/Tokyo"}}, 5000000) << false << "dépasse 4 Mo";
    QTest::addRow("too large, a choice to keep") << zonesFile({{{"Kyoto", "9", "9"}, "Asia/Tokyo"}}, 5000000) << true  << "dépasse 4 Mo";
    QTest::addRow("damaged, nothing to keep")    << tokyo.left(tokyo.size() - 4)                              << false << "abîmé";
    QTest::addRow("damaged, a choice to keep")   << tokyo.left(tokyo.size() - 4)                              << true  << "abîmé";
    QTest::addRow("an entry damaged")            << QByteArray("{\"zones\": [{\"name\": 3, \"zone\": \"Asia/Tokyo\"}]}") << true << "un de ses choix";
    QTest::addRow("read whole")                  << tokyo                                                     << true  << "";
    QTest::addRow("empty")                       << QByteArray()                                              << true  << "";
    // clang-format on
}

void TestSave::aZonesFileNotReadWholeIsKeptOrAsked()
{
    QFETCH(QByteArray, store);
    QFETCH(bool, choiceToKeep);
    QFETCH(QString, why);
    TestEnvironment environment;
    const QString folder = environment.programDirectory();
    environment.writeCityFile(kOldList);
    const QString path = zoneStorePath(folder);
    writeFile(path, store);
    QList<EditorLine> lines = {
        {QStringLiteral("Paris"), QStringLiteral("2"), QStringLiteral("1"), false, QStringLiteral("Europe/Paris")}};
    if (choiceToKeep) // renamed: its zone is kept beside the list
        lines[0].name = QStringLiteral("Paname");
    const SavePlan plan = planSave(lines, folder, readCityFile(cityFilePath(folder)).fingerprint, kWinterDay);
    QCOMPARE(plan.zonesOnDisk.unread.isEmpty(), why.isEmpty());
    const QStringList questions = saveQuestions(plan);
    const bool asked = !why.isEmpty() && choiceToKeep;
    QCOMPARE(questions.size(), asked ? 1 : 0);
    if (asked) {
        QVERIFY(questions[0].contains(path));
        QVERIFY2(questions[0].contains(why), qPrintable(questions[0]));
        QVERIFY(questions[0].contains(QStringLiteral("Paname (fuseau Europe/Paris)")));
        QVERIFY(questions[0].contains(QStringLiteral("seront perdus")));
    }
    // Saved ("Oui" when asked).
    QCOMPARE(commitSave(plan, std::nullopt, folder, environment.settingsFile()).step, SaveOutcome::Saved);
    QCOMPARE(readAll(path) == store, !why.isEmpty() && !choiceToKeep);
    QCOMPARE(zonesReadBack(folder).value(0), QStringLiteral("Europe/Paris"));
}

void TestSave::linesTheFileWouldConfuseAreRefused_data()
{
    // Two lines the file gives back with the same texts share one zone choice: refused when their zones
    // differ, the lines named; otherwise saved, every city with its own zone read back.
    QTest::addColumn<QList<EditorLine>>("lines");
    QTest::addColumn<QList<int>>("clashing");
    const QString beyondTheCut(40000, u'a');
    // clang-format off
    QTest::addRow("Cyrillic names, one stored name") << QList<EditorLine>{
        {"Алжир", "1", "1", false, "Africa/Algiers"}, {"Paris", "2", "1", false, "Europe/Paris"},
        {"Касаб", "1", "1", false, "Africa/Casablanca"}} << QList<int>{1, 3};
    QTest::addRow("one name typed twice, two zones") << QList<EditorLine>{
        {"Springfield", "-5", "-6", false, "America/Chicago"}, {"Springfield", "-5", "-6", false, ""}}
        << QList<int>{1, 2};
    QTest::addRow("the offset in force written two ways") << QList<EditorLine>{
        {"Paris", "2", "+1", false, "Europe/Paris"}, {"Paris", "2", "1.0", false, ""}} << QList<int>{1, 2};
    QTest::addRow("names alike but past the reader's cut") << QList<EditorLine>{
        {beyondTheCut + "x", "1", "1", false, "Africa/Algiers"}, {beyondTheCut + "y", "1", "1", false, "Africa/Lagos"}}
        << QList<int>{1, 2};
    QTest::addRow("a short list repeating its last line") << QList<EditorLine>{
        {"Paris", "2", "1", false, "Europe/Paris"}, {"Alger", "1", "1", false, "Africa/Algiers"},
        {"Alger", "1", "1", false, "Africa/Algiers"}} << QList<int>{};
    QTest::addRow("Cyrillic names, one zone") << QList<EditorLine>{
        {"Алжир", "1", "1", false, "Africa/Algiers"}, {"Алжир", "1", "1", false, "Africa/Algiers"}} << QList<int>{};
    QTest::addRow("Cyrillic names, other offsets") << QList<EditorLine>{
        {"Алжир", "1", "1", false, "Africa/Algiers"}, {"Касаб", "1", "0", false, "Africa/Casablanca"}} << QList<int>{};
    // clang-format on
}

void TestSave::linesTheFileWouldConfuseAreRefused()
{
    QFETCH(QList<EditorLine>, lines);
    QFETCH(QList<int>, clashing);
    TestEnvironment environment;
    const QString folder = environment.programDirectory();
    environment.writeCityFile(kOldList);
    const SavePlan plan = planSave(lines, folder, readCityFile(cityFilePath(folder)).fingerprint, kWinterDay);
    QCOMPARE(clashingLines(plan), clashing);
    const QString refusal = saveRefusal(plan);
    QCOMPARE(refusal.isEmpty(), clashing.isEmpty());
    const SaveOutcome outcome = commitSave(plan, std::nullopt, folder, environment.settingsFile());
    if (!clashing.isEmpty()) {
        for (const int line : clashing) {
            QVERIFY2(refusal.contains(QStringLiteral("ligne %1, ").arg(line)), qPrintable(refusal));
            QVERIFY(refusal.contains(lines[line - 1].name.left(20)));
        }
        QVERIFY(refusal.contains(QStringLiteral("n'ont pas le même fuseau horaire")));
        QVERIFY(!refusal.contains(QString(100, u'a'))); // a long name is shortened
        // Nothing written, whoever calls.
        QCOMPARE(outcome.step, SaveOutcome::ListNotWritten);
        QCOMPARE(readAll(cityFilePath(folder)), kOldList);
        QVERIFY(!QFileInfo::exists(zoneStorePath(folder)));
        return;
    }
    QCOMPARE(outcome.step, SaveOutcome::Saved);
    // Read back as the next start does: each city keeps its own zone (the list sorted by offset first).
    const CityFileContents list = readCityFile(cityFilePath(folder));
    const QStringList zones = zonesReadBack(folder);
    for (qsizetype row = 0; row < plan.lines.size(); ++row) {
        QCOMPARE(list.rows[row].record.name, plan.lines[row].name);
        QCOMPARE(zones[row], plan.lines[row].zone);
    }
}

void TestSave::aNameIsNeverLongerThanTheReaderReadsBack()
{
    // Every character of this name becomes three letters in the file ("ﬃ", "ffi"): stored whole it would be
    // three times what the reader keeps of a field, and its zone, kept under the whole name, would be lost.
    TestEnvironment environment;
    const QString folder = environment.programDirectory();
    environment.writeCityFile(kOldList);
    const QString name(int(kMaxFieldBytes), QChar(0xFB03));
    const QList<EditorLine> lines = {
        {name, QStringLiteral("2"), QStringLiteral("1"), false, QStringLiteral("Europe/Berlin")}};
    const SavePlan plan = planSave(lines, folder, readCityFile(cityFilePath(folder)).fingerprint, kWinterDay);
    QCOMPARE(plan.lines[0].name.size(), kMaxFieldBytes);
    QVERIFY(!saveQuestions(plan).isEmpty()); // asked about, shortened
    QVERIFY(saveQuestions(plan).constLast().size() < 1000);
    QCOMPARE(commitSave(plan, std::nullopt, folder, environment.settingsFile()).step, SaveOutcome::Saved);
    const CityFileContents list = readCityFile(cityFilePath(folder));
    QVERIFY(list.cutTexts.isEmpty());
    QCOMPARE(list.rows[0].record.name, plan.lines[0].name);
    QCOMPARE(zonesReadBack(folder).value(0), QStringLiteral("Europe/Berlin"));
}

void TestSave::aReadOnlyFolderStillTakesTheList_data()
{
    // A list that can be written in a folder where no new file can be made (and no zones file yet): the list is
    // saved in place, and a zone choice goes to the user's own folder.
    QTest::addColumn<QString>("renamed");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<bool>("ownStore");
    QTest::addRow("a city with a zone") << "Paname"
                                        << "Europe/Paris" << true;
    QTest::addRow("a city without a zone") << "Paname"
                                           << "" << false;
}

void TestSave::aReadOnlyFolderStillTakesTheList()
{
    QFETCH(QString, renamed);
    QFETCH(QString, zone);
    QFETCH(bool, ownStore);
    // As the administrator every folder takes new files: the save runs as a user of its own.
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/horlune-XXXXXX"));
    const QString folder = work.filePath(QStringLiteral("programme"));
    const QString data = work.filePath(QStringLiteral("donnees"));
    const QString settings = work.filePath(QStringLiteral("reglages/horlune.conf"));
    QVERIFY(QDir().mkpath(folder) && QDir().mkpath(data));
    writeFile(cityFilePath(folder), "Paris,2,1\r\n");
    const auto owned = [&](uid_t user) {
        for (const QString& path : {work.path(), folder, data, cityFilePath(folder)})
            if (::chown(QFile::encodeName(path).constData(), user, user) != 0)
                return false;
        return true;
    };
    const pid_t child = fork();
    if (child == 0) {
        if (::getuid() == 0 && (!owned(65534) || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            _exit(2);
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        ::chmod(QFile::encodeName(folder).constData(), 0555);
        const QList<EditorLine> lines = {{renamed, "2", "1", false, zone}};
        const SavePlan plan = planSave(lines, folder, readCityFile(cityFilePath(folder)).fingerprint, kWinterDay);
        const SaveOutcome outcome = commitSave(plan, std::nullopt, folder, settings);
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        if (outcome.step != SaveOutcome::Saved)
            _exit(3);
        if (readCityFile(cityFilePath(folder)).rows[0].record.name != renamed)
            _exit(4);
        if (QFileInfo::exists(folder + QStringLiteral("/horlune.zones")) ||
            QFileInfo::exists(ownZoneStorePath(folder)) != ownStore)
            _exit(5);
        if (zoneStorePath(folder) != (ownStore ? ownZoneStorePath(folder) : folder + QStringLiteral("/horlune.zones")))
            _exit(6);
        if (zonesReadBack(folder).value(0) != zone) // the next start finds it there
            _exit(7);
        _exit(0);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    owned(0);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
}

QTEST_GUILESS_MAIN(TestSave)
#include "tst_save.moc"
