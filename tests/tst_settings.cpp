#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>
#include <sys/stat.h>
#include <sys/time.h>

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
    void windowPlace_data();
    void windowPlace();
    void writesMarksAndHours();
    void anotherExecutableNameStartsFromDefaults();
    void marksFindTheirCitiesInAnotherOrder_data();
    void marksFindTheirCitiesInAnotherOrder();
    void onlyARegularFileIsRead_data();
    void onlyARegularFileIsRead();
    void aFileTooLargeIsReadInPart();
    void locks_data();
    void locks();
    void aFileReadInPartIsNeverReplaced_data();
    void aFileReadInPartIsNeverReplaced();
    void leftoverScratchFoldersAreRemoved();
};

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

CityFileContents listOf(const QList<CityRecord>& cities)
{
    CityFileContents contents;
    contents.status = ReadStatus::Read;
    for (const CityRecord& city : cities)
        contents.rows.append({city, true});
    contents.fingerprint = cityFileFingerprint(encodeCityFile(cities));
    return contents;
}

} // namespace

void TestSettings::firstRunDefaults()
{
    TestEnvironment env;
    SettingsStore store(env.settingsFile());
    DayHours hours;
    store.readHours(hours);
    QCOMPARE(hours.day, qint16(8));
    QCOMPARE(hours.night, qint16(20));
    const RowMarks marks = store.readMarks().byRow;
    QVERIFY(std::none_of(marks.begin(), marks.end(), [](bool marked) { return marked; }));
    QVERIFY(store.problem().isEmpty());
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
    SettingsStore store(env.settingsFile());
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
        QSettings raw(env.settingsFile(), QSettings::IniFormat);
        raw.setValue("data/P7", stored == "T, T" ? QVariant(QStringList{"T", "T"}) : QVariant(stored));
    }
    const RowMarks marks = SettingsStore(env.settingsFile()).readMarks().byRow;
    QCOMPARE(marks[7], marked);
    QVERIFY(!marks[0] && !marks[6] && !marks[8]);
}

void TestSettings::windowPlace_data()
{
    QTest::addColumn<QByteArray>("line"); // the line of the file's [data] group, as found on disk
    QTest::addColumn<bool>("read");
    QTest::addColumn<QPoint>("place");
    // Whether the place lies on a screen is the window's question; here only what the text says.
    // clang-format off
    QTest::newRow("as the program writes it")  << QByteArray("Fenetre=\"40,30\"")          << true  << QPoint(40, 30);
    QTest::newRow("by hand, without quotes")   << QByteArray("Fenetre=40,30")              << true  << QPoint(40, 30);
    QTest::newRow("spaces")                    << QByteArray("Fenetre=\" 40 , 30 \"")       << true  << QPoint(40, 30);
    QTest::newRow("a screen on the left")      << QByteArray("Fenetre=\"-1200,10\"")        << true  << QPoint(-1200, 10);
    QTest::newRow("off every screen")          << QByteArray("Fenetre=\"-90000,-90000\"")   << true  << QPoint(-90000, -90000);
    QTest::newRow("ten to the ninth")          << QByteArray("Fenetre=\"1000000000,0\"")    << false << QPoint();
    QTest::newRow("ten to the ninth, minus")   << QByteArray("Fenetre=\"0,-1000000000\"")   << false << QPoint();
    QTest::newRow("an exponent")               << QByteArray("Fenetre=\"1e9,0\"")           << false << QPoint();
    QTest::newRow("past a whole number")       << QByteArray("Fenetre=\"99999999999,0\"")   << false << QPoint();
    QTest::newRow("a decimal")                 << QByteArray("Fenetre=\"40.5,30\"")         << false << QPoint();
    QTest::newRow("text")                      << QByteArray("Fenetre=ici,l\xc3\xa0")        << false << QPoint();
    QTest::newRow("three numbers")             << QByteArray("Fenetre=\"1,2,3\"")           << false << QPoint();
    QTest::newRow("one number")                << QByteArray("Fenetre=40")                 << false << QPoint();
    QTest::newRow("Qt's own point")            << QByteArray("Fenetre=@Point(40 30)")      << false << QPoint();
    QTest::newRow("empty")                     << QByteArray("Fenetre=")                   << false << QPoint();
    QTest::newRow("none")                      << QByteArray()                             << false << QPoint();
    // clang-format on
}

void TestSettings::windowPlace()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, read);
    QFETCH(QPoint, place);
    TestEnvironment env;
    QVERIFY(QDir().mkpath(QFileInfo(env.settingsFile()).absolutePath()));
    QFile file(env.settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[data]\nHJ=7\n" + line + "\n");
    file.close();
    const SettingsStore store(env.settingsFile());
    const std::optional<QPoint> found = store.readWindowPlace();
    QCOMPARE(found.has_value(), read);
    if (read)
        QCOMPARE(*found, place);
    // Whatever the place says, the rest of the file is read.
    DayHours hours;
    store.readHours(hours);
    QCOMPARE(hours.day, qint16(7));
}

void TestSettings::writesMarksAndHours()
{
    TestEnvironment env;
    const QList<CityRecord> list = {{"Paris", "2", "1"}, {"Rome", "2", "1"}, {"Lima", "-5", "-5"}};
    {
        SettingsStore store(env.settingsFile());
        RowMarks marks{};
        marks[3] = true;
        marks[59] = true;
        store.writeMarks(marks, list, "abc123");
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

    const StoredMarks stored = SettingsStore(env.settingsFile()).readMarks();
    QVERIFY(stored.byRow[3] && stored.byRow[59] && !stored.byRow[4]);
    QCOMPARE(stored.listFingerprint, QByteArray("abc123"));
    QCOMPARE(stored.cities, (QList<CityRecord>{{"Lima", "-5", "-5"}}));
}

void TestSettings::anotherExecutableNameStartsFromDefaults()
{
    TestEnvironment env;
    env.writeSetting("HJ", "6");
    SettingsStore other(QFileInfo(env.settingsFile()).dir().filePath("../horlune-copie/horlune-copie.conf"));
    DayHours hours;
    other.readHours(hours);
    QCOMPARE(hours.day, qint16(8));
}

void TestSettings::marksFindTheirCitiesInAnotherOrder_data()
{
    QTest::addColumn<QList<CityRecord>>("list");
    QTest::addColumn<QList<int>>("marked");
    const CityRecord paris{"Paris", "2", "1"}, honolulu{"Honolulu", "-10", "-10"}, papeete{"Papeete", "-10", "-10"};
    QTest::addRow("the list they were written for: by row") << QList<CityRecord>{honolulu, paris} << QList<int>{1};
    QTest::addRow("another order: on their cities") << QList<CityRecord>{papeete, paris, honolulu} << QList<int>{3};
    QTest::addRow("the city gone") << QList<CityRecord>{papeete, paris} << QList<int>{};
}

void TestSettings::marksFindTheirCitiesInAnotherOrder()
{
    QFETCH(QList<CityRecord>, list);
    QFETCH(QList<int>, marked);
    // Honolulu was marked in the list Honolulu, Paris; the list on disk may be another (a save cut short
    // after the city file was written, a list edited by hand).
    TestEnvironment env;
    const QList<CityRecord> written = {{"Honolulu", "-10", "-10"}, {"Paris", "2", "1"}};
    {
        SettingsStore store(env.settingsFile());
        RowMarks marks{};
        marks[1] = true;
        store.writeMarks(marks, written, cityFileFingerprint(encodeCityFile(written)));
        QVERIFY(store.sync());
    }
    const RowMarks marks = marksForList(SettingsStore(env.settingsFile()).readMarks(), listOf(list));
    for (int row = 1; row < kRows; ++row)
        QCOMPARE(marks[row], marked.contains(row));

    // A store of before the lists were named keeps its marks by row.
    env.writeSetting("Liste", QString());
    QVERIFY(marksForList(SettingsStore(env.settingsFile()).readMarks(), listOf(list))[1]);
}

void TestSettings::onlyARegularFileIsRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addRow("a pipe") << "fifo";
    QTest::addRow("a link to /dev/zero") << "zero";
    QTest::addRow("a folder") << "folder";
    QTest::addRow("a loop of links") << "loop";
}

void TestSettings::onlyARegularFileIsRead()
{
    QFETCH(QString, kind);
    TestEnvironment env;
    const QString path = env.settingsFile();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == "zero")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (kind == "loop")
        QVERIFY(QFile::link(path + QStringLiteral(".other"), path) &&
                QFile::link(path, path + QStringLiteral(".other")));
    else
        QVERIFY(QDir().mkpath(path));
    // Read at once, with the defaults; the problem is told.
    SettingsStore store(path);
    DayHours hours;
    store.readHours(hours);
    QCOMPARE(hours.day, qint16(8));
    QVERIFY(!store.problem().isEmpty());
    // A save replaces a pipe or a link with a file of its own; a folder it cannot replace.
    store.writeHours(DayHours{7, 21});
    QCOMPARE(store.sync(std::chrono::milliseconds(100)), kind != "folder");
    if (kind != "folder") {
        QVERIFY(QFileInfo(path).isFile() && !QFileInfo(path).isSymLink());
        QCOMPARE(env.readSetting("HJ"), QStringLiteral("7"));
    }
}

void TestSettings::aFileTooLargeIsReadInPart()
{
    // 50 MB of digits in "HJ": only the first megabyte is read.
    TestEnvironment env;
    const QString path = env.settingsFile();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[data]\nHN=21\nHJ=");
    file.write(QByteArray(50 * 1024 * 1024, '7'));
    file.close();
    SettingsStore store(path);
    DayHours hours;
    store.readHours(hours);
    QCOMPARE(hours.night, qint16(21));
    QCOMPARE(hours.day, qint16(8)); // the value the limit cut is no value the user wrote: the default
    QVERIFY(store.problem().contains(QStringLiteral("trop grand")));
    QVERIFY(store.problem().contains(QStringLiteral("ne le remplacera pas")));
    // A save never puts the part read in place of the whole: the file stays as it was, and the reason says
    // what to do.
    store.writeHours(DayHours{9, 21});
    QVERIFY(!store.sync());
    QVERIFY2(store.error().contains(QStringLiteral("dépasse 1 Mo")), qPrintable(store.error()));
    QVERIFY(store.error().contains(QStringLiteral("réduisez-le")));
    QCOMPARE(QFileInfo(path).size(), qint64(16 + 50 * 1024 * 1024));
}

void TestSettings::locks_data()
{
    QTest::addColumn<QString>("lock");
    QTest::addColumn<bool>("written");
    QTest::addRow("none") << "" << true;
    QTest::addRow("an empty lock a crash left") << "empty" << true;
    QTest::addRow("the lock of a process that is gone") << "dead" << true;
    QTest::addRow("held by a running process") << "held" << false;
    QTest::addRow("a folder in its place") << "folder" << false;
    QTest::addRow("a pipe in its place") << "fifo" << false;
    QTest::addRow("a link to /dev/zero in its place") << "zero" << false;
    QTest::addRow("a link to a file in its place") << "link" << false;
}

void TestSettings::locks()
{
    QFETCH(QString, lock);
    QFETCH(bool, written);
    TestEnvironment env;
    const QString path = env.settingsFile();
    const QString lockPath = path + QStringLiteral(".lock");
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QLockFile held(lockPath);
    if (lock == "empty" || lock == "dead") {
        QFile file(lockPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (lock == "dead") // pid, application, host: a process number no process has
            file.write("2147483646\nhorlune\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        file.setFileTime(QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime);
        file.close();
    } else if (lock == "held") {
        QVERIFY(held.tryLock(0));
    } else if (lock == "folder") {
        QVERIFY(QDir().mkpath(lockPath));
    } else if (lock == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(lockPath).constData(), 0600), 0);
    } else if (lock == "zero") {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), lockPath));
    } else if (lock == "link") {
        QVERIFY(QFile::link(path + QStringLiteral(".other"), lockPath));
    }
    SettingsStore store(path);
    store.writeHours(DayHours{7, 21});
    // A pipe opened so that it could block would hold the test until its time limit.
    QCOMPARE(store.sync(std::chrono::milliseconds(300)), written);
    if (!written)
        QVERIFY(store.error().contains(lock == "held" ? QStringLiteral("verrouillé") : QStringLiteral("verrou")));
    held.unlock();
    QDir().rmdir(lockPath);
    QFile::remove(lockPath);
    QCOMPARE(env.readSetting("HJ"), written ? QStringLiteral("7") : QString());
    // Nothing of the program's is left beside the settings.
    QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::System),
             written ? QStringList{QFileInfo(path).fileName()} : QStringList());
}

void TestSettings::aFileReadInPartIsNeverReplaced_data()
{
    // Every write of the settings: the save's marks and hours, the working hours, the window's place at the end.
    QTest::addColumn<QString>("written");
    QTest::addRow("the marks and the hours") << "marks";
    QTest::addRow("the working hours") << "office";
    QTest::addRow("the window's place") << "place";
}

void TestSettings::aFileReadInPartIsNeverReplaced()
{
    // Settings standing past the read limit, behind a long value: only the part before it was read.
    QFETCH(QString, written);
    TestEnvironment env;
    const QString path = env.settingsFile();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    const QByteArray padding(2 * 1024 * 1024, 'x');
    const QByteArray after = "P3=T\nHJ=7\nBureau=8.00 - 17.00\n";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[data]\nHN=21\nPadding=" + padding + "\n" + after);
    file.close();
    const QByteArray before = readFile(path);
    SettingsStore store(path);
    QVERIFY(!store.readMarks().byRow[3]); // past the limit
    auto write = [&written](SettingsStore& settings) {
        if (written == "marks") {
            RowMarks marks{};
            marks[5] = true;
            settings.writeMarks(marks, {}, "empreinte");
            settings.writeHours(DayHours{9, 22});
        } else if (written == "office") {
            settings.writeOfficeHours(QStringLiteral("10.00 – 16.00"));
        } else {
            settings.writeWindowPlace(QPoint(40, 30));
        }
    };
    // Held by another program, then free: refused either way, the file as it was.
    QLockFile held(path + QStringLiteral(".lock"));
    QVERIFY(held.tryLock(0));
    write(store);
    QVERIFY(!store.sync(std::chrono::milliseconds(200)));
    held.unlock();
    QVERIFY(!store.sync(std::chrono::milliseconds(200)));
    QVERIFY(store.error().contains(QStringLiteral("dépasse 1 Mo")));
    QCOMPARE(readFile(path), before);

    // Made smaller by the user, it is read whole: what stood past the limit stays, beside what is written.
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[data]\nHN=21\n" + after);
    file.close();
    SettingsStore smaller(path);
    write(smaller);
    QVERIFY(smaller.sync());
    QCOMPARE(env.readSetting("P3"), written == "marks" ? QStringLiteral("F") : QStringLiteral("T"));
    QCOMPARE(env.readSetting("HJ"), written == "marks" ? QStringLiteral("9") : QStringLiteral("7"));
    QCOMPARE(env.readSetting("Bureau"),
             written == "office" ? QStringLiteral("10.00 – 16.00") : QStringLiteral("8.00 - 17.00"));
}

void TestSettings::leftoverScratchFoldersAreRemoved()
{
    // QSettings reads and writes the INI text through a scratch folder of the process's own; a process killed
    // meanwhile leaves it behind, to be removed at the next start.
    QTemporaryDir temporary;
    const QDir folder(temporary.path());
    const QString deadProcess = QStringLiteral("horlune-settings-2147483646-");
    const QString thisProcess = QStringLiteral("horlune-settings-%1-").arg(QCoreApplication::applicationPid());
    auto leave = [&folder](const QString& name, qint64 ageSeconds) {
        QVERIFY(folder.mkpath(name));
        QFile inside(folder.filePath(name + QStringLiteral("/settings.conf")));
        QVERIFY(inside.open(QIODevice::WriteOnly));
        inside.close();
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        const timeval times[2] = {{::time(nullptr) - ageSeconds, 0}, {::time(nullptr) - ageSeconds, 0}};
        QCOMPARE(::utimes(path.constData(), times), 0);
    };
    leave(deadProcess + QStringLiteral("aB3xYz"), 0);      // a killed process's: removed
    leave(thisProcess + QStringLiteral("Qq12Zz"), 0);      // in use now: kept
    leave(thisProcess + QStringLiteral("Old123"), 7200);   // two hours old, whatever its process: removed
    leave(QStringLiteral("horlune-settings-notes"), 7200); // not the program's: kept
    leave(QStringLiteral("elsewhere"), 0);
    QVERIFY(QFile::link(folder.filePath(QStringLiteral("elsewhere")), folder.filePath(deadProcess + "Link00")));
    QStringList kept{thisProcess + QStringLiteral("Qq12Zz"), QStringLiteral("horlune-settings-notes"),
                     QStringLiteral("elsewhere"), deadProcess + QStringLiteral("Link00")};
    if (::getuid() == 0) {
        // Another user's is never touched.
        leave(deadProcess + QStringLiteral("Other0"), 7200);
        QCOMPARE(::chown(QFile::encodeName(folder.filePath(deadProcess + "Other0")).constData(), 65534, 65534), 0);
        kept.append(deadProcess + QStringLiteral("Other0"));
    }
    // The first read of the settings in a new process (this test program, started again) removes them.
    QProcess start;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), temporary.path());
    start.setProcessEnvironment(environment);
    start.start(QCoreApplication::applicationFilePath(), {QStringLiteral("firstRunDefaults")});
    QVERIFY(start.waitForFinished(60000));
    QCOMPARE(start.exitCode(), 0);
    kept.sort();
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name), kept);
    QVERIFY(QFileInfo::exists(folder.filePath(QStringLiteral("elsewhere/settings.conf"))));

    // Nothing is left by a read and a write that end normally; a write's temporary file that a kill left beside
    // the settings, an hour old, goes at the next write.
    const QStringList ownBefore = QDir::temp().entryList({thisProcess + u'*'}, QDir::Dirs);
    TestEnvironment env;
    const QString beside = env.settingsFile() + QStringLiteral(".aB3xYz");
    QVERIFY(QDir().mkpath(QFileInfo(beside).absolutePath()));
    QFile cut(beside);
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.close();
    const timeval old[2] = {{::time(nullptr) - 7200, 0}, {::time(nullptr) - 7200, 0}};
    QCOMPARE(::utimes(QFile::encodeName(beside).constData(), old), 0);
    SettingsStore store(env.settingsFile());
    store.writeHours(DayHours{7, 21});
    QVERIFY(store.sync());
    QCOMPARE(QDir::temp().entryList({thisProcess + u'*'}, QDir::Dirs), ownBefore);
    QVERIFY(!QFileInfo::exists(beside));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
