#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data/cityfile.h"
#include "data/cp1252.h"
#include "data/locations.h"
#include "data/messages.h"
#include "data/numbers.h"
#include "data/reasons.h"
#include "support/testenv.h"
#include "support/trickledevice.h"

class TestCityFile : public QObject
{
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
    void recordsFollowFieldsNotLines();
    void fileLengths_data();
    void fileLengths();
    void incompleteLastRecordKeepsEarlierFields();
    void missingAndUnreadable();
    void unreadMessages();
    void damagedFilesAreReadSafely_data();
    void damagedFilesAreReadSafely();
    void writesPlainLinesByteForByte();
    void everyTextReadsBackUnchanged_data();
    void everyTextReadsBackUnchanged();
    void textsTheFileCannotCarry_data();
    void textsTheFileCannotCarry();
    void cp1252RoundTrip();
    void failedWriteKeepsThePreviousFile();
    void defaultCityFileIsComplete();
    void onlyARegularFileIsRead_data();
    void onlyARegularFileIsRead();
    void aFileTooLargeIsReadInPart();
    void namesTheFileWouldChange_data();
    void namesTheFileWouldChange();
    void leftoversOfACutSaveAreRemoved();
    void aFolderThatRefusesTheTemporaryFile_data();
    void aFolderThatRefusesTheTemporaryFile();
    void reasonsInFrench_data();
    void theListOfASystemInstallIsTheUsers();
    void reasonsInFrench();
};

// Limits the size of the files this process writes, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_previous); }

private:
    rlimit m_previous{};
};

static QStringList readAllFields(QIODevice& device)
{
    device.open(QIODevice::ReadOnly);
    CityFieldReader reader(device);
    QStringList fields;
    QString field;
    while (fields.size() < 1000 && reader.readField(field))
        fields << field;
    return fields;
}

static QStringList readAllFields(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    return readAllFields(buffer);
}

void TestCityFile::fields_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");
    // clang-format off
    QTest::addRow("CR LF lines") << QByteArray("Paris,2,1\r\nLondres,1,0\r\n") << QStringList{"Paris", "2", "1", "Londres", "1", "0"};
    QTest::addRow("LF lines") << QByteArray("Paris,2,1\nLondres,1,0\n") << QStringList{"Paris", "2", "1", "Londres", "1", "0"};
    QTest::addRow("CR lines") << QByteArray("Paris,2,1\rLondres,1,0") << QStringList{"Paris", "2", "1", "Londres", "1", "0"};
    QTest::addRow("no final line end") << QByteArray("Paris,2,1") << QStringList{"Paris", "2", "1"};
    QTest::addRow("leading spaces skipped") << QByteArray("  Paris,  2, \t1\r\n") << QStringList{"Paris", "2", "1"};
    QTest::addRow("trailing spaces dropped") << QByteArray("Paris  ,2 ,1\r\n") << QStringList{"Paris", "2", "1"};
    QTest::addRow("quoted comma") << QByteArray("\"Washington, DC\",-4,-5\r\n") << QStringList{"Washington, DC", "-4", "-5"};
    QTest::addRow("quoted keeps spaces") << QByteArray("\"  a \",1,2\r\n") << QStringList{"  a ", "1", "2"};
    QTest::addRow("text after closing quote dropped") << QByteArray("\"ab\"cd,1,2\r\n") << QStringList{"ab", "1", "2"};
    QTest::addRow("quote inside unquoted field") << QByteArray("Le \"Cap\",2,2\r\n") << QStringList{"Le \"Cap\"", "2", "2"};
    QTest::addRow("quoted line end") << QByteArray("\"a\r\nb\",1,2\r\n") << QStringList{"a\r\nb", "1", "2"};
    QTest::addRow("empty fields") << QByteArray(",,\r\n") << QStringList{"", "", ""};
    QTest::addRow("comma at end of file opens an empty field") << QByteArray("a,1,") << QStringList{"a", "1", ""};
    QTest::addRow("blank lines skipped") << QByteArray("\r\n\r\nParis,2,1\r\n\r\n   \r\nRome,2,1\r\n\r\n") << QStringList{"Paris", "2", "1", "Rome", "2", "1"};
    QTest::addRow("unterminated quote runs to the end") << QByteArray("\"abc,1,2\r\nx") << QStringList{"abc,1,2\r\nx"};
    QTest::addRow("Windows-1252 bytes") << QByteArray("S\xe9oul,9,9\r\n\x80,0,0\r\n") << QStringList{QStringLiteral("Séoul"), "9", "9", QStringLiteral("€"),     "0", "0"};
    QTest::addRow("empty file") << QByteArray() << QStringList{};
    QTest::addRow("only line ends") << QByteArray("\r\n\n\r") << QStringList{};
    // clang-format on
}

void TestCityFile::fields()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QCOMPARE(readAllFields(bytes), fields);
    // The same fields when the bytes arrive one or two at a time: a CR LF or a quote across two reads.
    for (const qint64 step : {1, 2}) {
        TrickleDevice trickle(bytes, step);
        QCOMPARE(readAllFields(trickle), fields);
    }
}

void TestCityFile::recordsFollowFieldsNotLines()
{
    // A name with an unquoted comma shifts every later field by one place.
    TestEnvironment env;
    env.writeCityFile("Washington, DC,-4,-5\r\nParis,2,1\r\n");
    const CityFileContents contents = readCityFile(env.cityFile());
    QCOMPARE(contents.status, ReadStatus::Read);
    QCOMPARE(contents.rows[0].record, (CityRecord{"Washington", "DC", "-4"}));
    QCOMPARE(readNumber(contents.rows[0].record.summer), 0.0);
    QCOMPARE(contents.rows[1].record, (CityRecord{"-5", "Paris", "2"}));
    QVERIFY(contents.rows[1].complete);
    QCOMPARE(contents.rows[2].record, (CityRecord{"1", "Paris", "2"}));
    QVERIFY(!contents.rows[2].complete);
}

static QByteArray cityLines(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += "Ville" + QByteArray::number(i) + "," + QByteArray::number(i % 12) + ".5,-" +
                 QByteArray::number(i % 11) + "\r\n";
    return bytes;
}

void TestCityFile::fileLengths_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("completeRows");
    QTest::addColumn<QString>("lastName");
    QTest::addRow("59 lines") << 59 << 59 << "Ville59";
    QTest::addRow("10 lines: the 10th repeats") << 10 << 10 << "Ville10";
    QTest::addRow("70 lines: the rest is never read") << 70 << 59 << "Ville59";
    QTest::addRow("empty file") << 0 << 0 << "";
}

void TestCityFile::fileLengths()
{
    QFETCH(int, lines);
    QFETCH(int, completeRows);
    QFETCH(QString, lastName);
    TestEnvironment env;
    env.writeCityFile(cityLines(lines));
    const CityFileContents contents = readCityFile(env.cityFile());
    QCOMPARE(contents.rows.size(), kCityRows);
    for (int i = 0; i < kCityRows; ++i)
        QCOMPARE(contents.rows[i].complete, i < completeRows);
    QCOMPARE(contents.rows.last().record.name, lastName);
    if (lines == 10) {
        for (int i = 10; i < kCityRows; ++i)
            QCOMPARE(contents.rows[i].record, contents.rows[9].record);
    }
}

void TestCityFile::incompleteLastRecordKeepsEarlierFields()
{
    TestEnvironment env;
    env.writeCityFile("Paris,2,1\r\nRome,3");
    const CityFileContents contents = readCityFile(env.cityFile());
    QCOMPARE(contents.rows[1].record, (CityRecord{"Rome", "3", "1"}));
    QVERIFY(!contents.rows[1].complete);
    QCOMPARE(contents.rows[58].record, (CityRecord{"Rome", "3", "1"}));
}

void TestCityFile::missingAndUnreadable()
{
    TestEnvironment env;
    QCOMPARE(readCityFile(env.cityFile()).status, ReadStatus::Missing);
    QVERIFY(QDir(env.programDirectory()).mkdir(QStringLiteral("horlune.ini")));
    const CityFileContents contents = readCityFile(env.cityFile());
    QCOMPARE(contents.status, ReadStatus::Unreadable);
    QVERIFY(!contents.error.isEmpty());
    QVERIFY(contents.rows.isEmpty());
}

void TestCityFile::unreadMessages()
{
    CityFileContents missing;
    missing.status = ReadStatus::Missing;
    QCOMPARE(unreadCityFileText(QStringLiteral("/opt/horlune"), missing),
             QStringLiteral("Veuillez installer le fichier ''Horlune.ini'' dans le repertoire /opt/horlune ..."));
    QCOMPARE(unreadCityFileTitle(ReadStatus::Missing), QStringLiteral("Erreur grave de pas trouver moi fichier"));

    CityFileContents unreadable;
    unreadable.status = ReadStatus::Unreadable;
    unreadable.error = QStringLiteral("c'est un dossier");
    QCOMPARE(unreadCityFileText(QStringLiteral("/opt/horlune"), unreadable),
             QStringLiteral("Le fichier des villes /opt/horlune/horlune.ini ne peut pas être lu (c'est un dossier)."));
    QCOMPARE(unreadCityFileTitle(ReadStatus::Unreadable), QStringLiteral("Horlune"));
}

void TestCityFile::damagedFilesAreReadSafely_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray random(200'000, '\0');
    QRandomGenerator generator(12345);
    for (char& b : random)
        b = char(generator.bounded(256));
    QTest::addRow("random bytes") << random;
    QTest::addRow("NUL bytes") << QByteArray(5000, '\0');
    QTest::addRow("one enormous line") << QByteArray(20'000'000, 'x');
    QTest::addRow("enormous quoted field") << (QByteArray("\"") + QByteArray(3'000'000, ','));
    QTest::addRow("only commas") << QByteArray(100'000, ',');
    QTest::addRow("only quotes") << QByteArray(100'001, '"');
}

void TestCityFile::damagedFilesAreReadSafely()
{
    QFETCH(QByteArray, bytes);
    TestEnvironment env;
    env.writeCityFile(bytes);
    const CityFileContents contents = readCityFile(env.cityFile());
    QCOMPARE(contents.status, ReadStatus::Read);
    QCOMPARE(contents.rows.size(), kCityRows);
    for (const CityFileRow& row : contents.rows) {
        QVERIFY(row.record.name.size() <= kMaxFieldBytes);
        QVERIFY(row.record.summer.size() <= kMaxFieldBytes);
    }
}

void TestCityFile::writesPlainLinesByteForByte()
{
    const QList<CityRecord> records{{"Los Angeles", "-7", "-8"}, {QStringLiteral("Séoul"), "9", "9"}, {"", "0", ""}};
    QCOMPARE(encodeCityFile(records), QByteArray("Los Angeles,-7,-8\r\nS\xe9oul,9,9\r\n,0,\r\n"));
}

void TestCityFile::everyTextReadsBackUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::addRow("comma") << "Washington, DC";
    QTest::addRow("leading space") << "  Rome";
    QTest::addRow("trailing space") << "Rome ";
    QTest::addRow("leading tab") << "\tRome";
    QTest::addRow("quote inside") << "Le \"Cap\"";
    QTest::addRow("pipe") << "a|b|c";
    QTest::addRow("empty") << "";
    QTest::addRow("accents and euro") << QStringLiteral("Zürich €");
    QTest::addRow("line end") << "a\r\nb";
    QTest::addRow("only spaces") << "   ";
}

void TestCityFile::everyTextReadsBackUnchanged()
{
    QFETCH(QString, text);
    TestEnvironment env;
    QList<CityRecord> records;
    for (int i = 0; i < kCityRows; ++i)
        records.append({text, text, text});
    QString error;
    QVERIFY2(saveCityList(env.cityFile(), records, &error), qPrintable(error));
    const CityFileContents contents = readCityFile(env.cityFile());
    for (int i = 0; i < kCityRows; ++i) {
        QCOMPARE(contents.rows[i].record, records[i]);
        QVERIFY(contents.rows[i].complete);
    }
}

void TestCityFile::textsTheFileCannotCarry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("readBack");
    QTest::addRow("leading quote") << "\"Big\" Apple" << QStringLiteral("“Big” Apple");
    QTest::addRow("quote inside a quoted text") << "\"Big\" Apple, NY" << QStringLiteral("“Big” Apple, NY");
    QTest::addRow("accent outside the code page") << QStringLiteral("Łódź") << QStringLiteral("?ódz");
    QTest::addRow("macron") << QStringLiteral("Tōkyō") << QStringLiteral("Tokyo");
    QTest::addRow("Chinese") << QStringLiteral("北京") << "??";
    QTest::addRow("emoji is one character") << QStringLiteral("a😀b") << "a?b";
    QTest::addRow("small comma becomes a real comma, quoted") << QStringLiteral("a\uFE50b") << "a,b";
}

void TestCityFile::textsTheFileCannotCarry()
{
    QFETCH(QString, text);
    QFETCH(QString, readBack);
    TestEnvironment env;
    QList<CityRecord> records(kCityRows, CityRecord{text, "1", "2"});
    QVERIFY(saveCityList(env.cityFile(), records, nullptr));
    const CityFileContents contents = readCityFile(env.cityFile());
    QCOMPARE(contents.rows[0].record, (CityRecord{readBack, "1", "2"}));
    QCOMPARE(contents.rows[58].record, (CityRecord{readBack, "1", "2"}));
}

void TestCityFile::cp1252RoundTrip()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = decodeCp1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text[0x80], QChar(0x20AC));
    QCOMPARE(text[0x81], QChar(0x81));
    QCOMPARE(text[0xE9], QChar(0xE9));
    QCOMPARE(encodeCp1252(text), all);
}

void TestCityFile::failedWriteKeepsThePreviousFile()
{
    TestEnvironment env;
    // The city file's folder does not exist: nothing can be written, and the reason is given.
    QString error;
    const QString impossible = QDir(env.programDirectory()).filePath(QStringLiteral("absent/horlune.ini"));
    QVERIFY(!saveCityList(impossible, {{"Paris", "2", "1"}}, &error));
    QVERIFY(!error.isEmpty());

    // A disk that fills up half-way through the write: the previous file stays whole.
    env.writeCityFile("Paris,2,1\r\n");
    QList<CityRecord> records(kCityRows, CityRecord{"Rome", "2", "1"});
    bool written = true;
    {
        FileSizeLimit limit(64); // bytes; the new file needs more
        written = saveCityList(env.cityFile(), records, &error);
    }
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QFile file(env.cityFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Paris,2,1\r\n"));
    QCOMPARE(QDir(env.programDirectory()).entryList(QDir::Files), QStringList{"horlune.ini"});
}

void TestCityFile::defaultCityFileIsComplete()
{
    // The list shipped with the program: 59 complete cities, offsets in the file's own form.
    const CityFileContents contents = readCityFile(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini"));
    QCOMPARE(contents.status, ReadStatus::Read);
    QSet<QString> names;
    for (const CityFileRow& row : contents.rows) {
        QVERIFY(row.complete);
        QVERIFY(!row.record.name.isEmpty());
        names.insert(row.record.name);
        for (const QString& offset : {row.record.summer, row.record.winter}) {
            const double value = readNumber(offset);
            QVERIFY2(value > -12 && value <= 14, qPrintable(offset));
            QVERIFY2(!offset.contains(u',') && !offset.startsWith(u'+'), qPrintable(offset));
        }
    }
    QCOMPARE(names.size(), kCityRows);
    QVERIFY(names.contains(QStringLiteral("Paris")));
}

void TestCityFile::onlyARegularFileIsRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    // clang-format off
    QTest::addRow("a pipe") << "fifo" << "ce n'est pas un fichier ordinaire";
    QTest::addRow("a link to /dev/zero") << "zero" << "ce n'est pas un fichier ordinaire";
    QTest::addRow("a loop of links") << "loop" << "trop de liens symboliques (une boucle)";
    QTest::addRow("a folder") << "folder" << "c'est un dossier";
    // clang-format on
}

void TestCityFile::onlyARegularFileIsRead()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    TestEnvironment env;
    const QString path = env.cityFile();
    if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == "zero")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (kind == "loop")
        QVERIFY(QFile::link(path, path));
    else
        QVERIFY(QDir().mkpath(path));
    // Opened so that it could block, a pipe would hold the test until its time limit.
    const CityFileContents contents = readCityFile(path);
    QCOMPARE(contents.status, ReadStatus::Unreadable);
    QCOMPARE(contents.error, reason);
}

void TestCityFile::aFileTooLargeIsReadInPart()
{
    // A gigabyte-sized file (sparse: it costs no disk) whose beginning is a city list.
    TestEnvironment env;
    env.writeCityFile("Paris,2,1\r\nRome,2,1\r\n");
    QFile file(env.cityFile());
    QVERIFY(file.resize(1024LL * 1024 * 1024));
    const CityFileContents contents = readCityFile(env.cityFile());
    QCOMPARE(contents.status, ReadStatus::Read);
    QVERIFY(contents.tooLarge);
    QCOMPARE(contents.rows[1].record, (CityRecord{"Rome", "2", "1"}));
    QVERIFY(tooLargeFileText(env.cityFile(), kMaxCityFileBytes).contains(QStringLiteral("trop grand")));
    env.writeCityFile("Paris,2,1\r\n");
    QVERIFY(!readCityFile(env.cityFile()).tooLarge);
}

void TestCityFile::namesTheFileWouldChange_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored"); // empty: unchanged
    // clang-format off
    QTest::addRow("plain") << "Paris" << "";
    QTest::addRow("composed accent") << "Bogotá" << "";
    QTest::addRow("separate accent with a composed form") << QString::fromUtf8("Bogota\u0301") << "";
    QTest::addRow("macrons") << "Tōkyō" << "Tokyo";
    QTest::addRow("Cyrillic") << "Москва" << "??????";
    QTest::addRow("a letter with no plain form") << "Łódź" << "?ódz";
    QTest::addRow("quotes in a quoted name") << "Paris, \"France\"" << "Paris, “France”";
    QTest::addRow("a quote alone is kept") << "Le \"Cap\"" << "";
    // clang-format on
}

void TestCityFile::namesTheFileWouldChange()
{
    QFETCH(QString, name);
    QFETCH(QString, stored);
    const QList<TextChange> changes = changesOnSaving({{name, "1", "0"}, {name, "1", "0"}});
    if (stored.isEmpty()) {
        QVERIFY(changes.isEmpty());
        // Written and read back as it is (composed).
        QCOMPARE(storedText(name), name.normalized(QString::NormalizationForm_C));
        return;
    }
    QCOMPARE(changes, (QList<TextChange>{{name, stored}})); // once, though two lines hold it
}

void TestCityFile::leftoversOfACutSaveAreRemoved()
{
    TestEnvironment env;
    env.writeCityFile("Paris,2,1\r\n");
    const QDir folder(env.programDirectory());
    auto leave = [&folder](const QString& name, qint64 ageSeconds) {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write("x");
        file.flush(); // before the time is set: the write would set it again
        file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
    };
    leave("horlune.ini.aB3xYz", 7200); // a cut save's, old: removed
    leave("horlune.ini.Qq12Zz", 10);   // perhaps a save running now: kept
    leave("horlune.ini.notes", 7200);  // not the program's: kept
    leave("horlune.ini.bak", 7200);    // kept
    removeLeftoverTemporaryFiles(env.cityFile());
    QCOMPARE(folder.entryList(QDir::Files, QDir::Name),
             (QStringList{"horlune.ini", "horlune.ini.Qq12Zz", "horlune.ini.bak", "horlune.ini.notes"}));
}

void TestCityFile::aFolderThatRefusesTheTemporaryFile_data()
{
    // A writable city file in a folder where no new file can be made is written in place, but never begun
    // where it could not end: the file then stays as it was, whole.
    QTest::addColumn<QString>("limit");
    QTest::addColumn<int>("oldLines");
    QTest::addColumn<int>("newLines");
    QTest::addColumn<bool>("written");
    QTest::addRow("shorter") << "none" << 59 << 3 << true;
    QTest::addRow("longer") << "none" << 3 << 59 << true;
    QTest::addRow("a file size limit below the new size") << "size" << 59 << 59 << false;
    QTest::addRow("a full disk") << "disk" << 3 << 59 << false;
}

void TestCityFile::aFolderThatRefusesTheTemporaryFile()
{
    QFETCH(QString, limit);
    QFETCH(int, oldLines);
    QFETCH(int, newLines);
    QFETCH(bool, written);
    // As the administrator every folder takes new files, so the write runs as a user of its own.
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/horlune-XXXXXX"));
    const QByteArray root = QFile::encodeName(work.path());
    if (limit == "disk") {
        if (::getuid() != 0 || ::system(("mount -t tmpfs -o size=64k tmpfs " + root + " 2>/dev/null").constData()) != 0)
            QSKIP("a small disk of its own needs the administrator's mount");
    }
    const QString folder = work.filePath(QStringLiteral("programme"));
    const QList<CityRecord> oldList(oldLines, CityRecord{"Paris", "2", "1"});
    const QList<CityRecord> newList(newLines, CityRecord{QString(200, u'S'), "-2", "-3"});
    const pid_t child = fork();
    if (child == 0) {
        if (::getuid() == 0 &&
            (::chown(root.constData(), 65534, 65534) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            _exit(2);
        QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/horlune.ini"));
        if (!file.open(QIODevice::WriteOnly) || file.write(encodeCityFile(oldList)) < 0)
            _exit(3);
        file.close();
        if (limit == "disk") {
            // The disk filled but for a block or two.
            QFile filler(work.filePath(QStringLiteral("filler")));
            filler.open(QIODevice::WriteOnly);
            while (filler.write(QByteArray(1024, 'x')) == 1024 && filler.flush())
                ;
            filler.close();
            filler.resize(filler.size() - 4096);
        }
        ::chmod(QFile::encodeName(folder).constData(), 0555);
        if (limit == "size") {
            std::signal(SIGXFSZ, SIG_IGN);
            const struct rlimit small
            {
                1024, 1024
            };
            ::setrlimit(RLIMIT_FSIZE, &small);
        }
        QString error;
        const bool done = writeWholeFile(file.fileName(), encodeCityFile(newList), &error);
        QFile reread(file.fileName());
        reread.open(QIODevice::ReadOnly);
        const QByteArray content = reread.readAll();
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        if (done != written)
            _exit(4);
        if (content != encodeCityFile(done ? newList : oldList))
            _exit(5);
        if (!done && !error.contains(limit == "size" ? "fichier trop grand" : "plus de place"))
            _exit(6);
        _exit(0);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    if (limit == "disk")
        QCOMPARE(::system(("umount " + root).constData()), 0);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
}

void TestCityFile::reasonsInFrench_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("french");
    QTest::addRow("permission") << int(EACCES) << "permission refusée";
    QTest::addRow("full disk") << int(ENOSPC) << "plus de place sur le disque";
    QTest::addRow("size limit") << int(EFBIG) << "fichier trop grand";
    QTest::addRow("read-only disk") << int(EROFS) << "disque en lecture seule";
}

void TestCityFile::reasonsInFrench()
{
    QFETCH(int, code);
    QFETCH(QString, french);
    const QString path = QStringLiteral("/home/moi/horlune/horlune.ini");
    const QString reason =
        QStringLiteral("Cannot open %1 for writing: %2").arg(path, QString::fromLocal8Bit(strerror(code)));
    const QString shown = frenchReason(reason, path);
    QVERIFY2(shown.contains(french), qPrintable(shown));
    QVERIFY(!shown.contains(path)); // the message names the file already
}

void TestCityFile::theListOfASystemInstallIsTheUsers()
{
    QTemporaryDir root;
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const QString program = root.filePath(QStringLiteral("usr/lib/horlune"));
    const QString shared = root.filePath(QStringLiteral("usr/share/horlune"));
    QVERIFY(QDir().mkpath(program) && QDir().mkpath(shared));
    // Nothing installed: the program's folder, where the missing list is reported.
    QCOMPARE(cityListFolder(program), program);

    // Installed for the whole system: the user's own copy of the default list.
    QFile installed(cityFilePath(shared));
    QVERIFY(installed.open(QIODevice::WriteOnly));
    installed.write("Paris,2,1\r\n");
    installed.close();
    const QString user = QDir(data.path()).filePath(QStringLiteral("horlune"));
    QCOMPARE(cityListFolder(program), user);
    QCOMPARE(readCityFile(cityFilePath(user)).rows[0].record, (CityRecord{"Paris", "2", "1"}));
    // Copied once: the user's edits stay.
    QVERIFY(saveCityList(cityFilePath(user), {{"Rome", "2", "1"}}, nullptr));
    QCOMPARE(cityListFolder(program), user);
    QCOMPARE(readCityFile(cityFilePath(user)).rows[0].record, (CityRecord{"Rome", "2", "1"}));

    // A list beside the program (a build, a per-user install) is used where it is.
    QVERIFY(saveCityList(cityFilePath(program), {{"Lima", "-5", "-5"}}, nullptr));
    QCOMPARE(cityListFolder(program), program);
    qunsetenv("XDG_DATA_HOME");
}

QTEST_GUILESS_MAIN(TestCityFile)
#include "tst_cityfile.moc"
