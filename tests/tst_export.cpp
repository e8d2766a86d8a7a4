#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include "data/safefile.h"

// Where a file the user names for an export may be written: a regular file (new or replaced) only, through
// links of the user's own only, and what is refused left exactly as it was.
class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void onlyARegularFileIsWritten_data();
    void onlyARegularFileIsWritten();
    void theNameIsLookedAtAgainBeforeTheWrite();
};

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// The kind of what lies under the name, links not followed: what a refused export must leave.
QString kindOf(const QString& path)
{
    struct stat info;
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("nothing");
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("link to ") + QFile::symLinkTarget(path);
    return S_ISREG(info.st_mode)    ? QStringLiteral("file")
           : S_ISDIR(info.st_mode)  ? QStringLiteral("folder")
           : S_ISFIFO(info.st_mode) ? QStringLiteral("fifo")
           : S_ISSOCK(info.st_mode) ? QStringLiteral("socket")
           : S_ISCHR(info.st_mode)  ? QStringLiteral("device %1,%2").arg(major(info.st_rdev)).arg(minor(info.st_rdev))
                                    : QStringLiteral("other");
}

bool makeSocket(const QString& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool made = ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return made;
}

} // namespace

void TestExport::onlyARegularFileIsWritten_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("refusedBecause"); // empty: written
    QTest::addColumn<bool>("asked");             // the question names the file replaced
    // clang-format off
    QTest::addRow("a new file")                         << "new"        << ""                                 << false;
    QTest::addRow("a file of the user's")               << "file"       << ""                                 << false;
    QTest::addRow("a device (a copy of /dev/full)")     << "device"     << "c'est un périphérique"            << false;
    QTest::addRow("a pipe")                             << "fifo"       << "c'est un tube nommé"              << false;
    QTest::addRow("a folder")                           << "folder"     << "c'est un dossier"                 << false;
    QTest::addRow("a socket")                           << "socket"     << "socket"                           << false;
    QTest::addRow("the user's link to the user's file") << "link"       << ""                                 << true;
    QTest::addRow("the user's link, leading nowhere")   << "dangling"   << ""                                 << false;
    QTest::addRow("the user's link to a device")        << "linkdevice" << "c'est un périphérique"            << false;
    QTest::addRow("a loop of links")                    << "loop"       << "boucle"                           << false;
    QTest::addRow("another user's link in /tmp")        << "otherlink"  << "ne suit que les liens qui sont les vôtres" << false;
    // clang-format on
}

void TestExport::onlyARegularFileIsWritten()
{
    QFETCH(QString, target);
    QFETCH(QString, refusedBecause);
    QFETCH(bool, asked);
    QTemporaryDir temporary;
    const QDir folder(temporary.path());
    const QString named = folder.filePath(QStringLiteral("rendez-vous.ics"));
    const QString usersFile = folder.filePath(QStringLiteral("mes-notes.txt")); // what a link leads to
    writeFile(usersFile, "mes notes\n");
    QString written = named; // where the invitation must land
    if (target == "file") {
        writeFile(named, "ancienne invitation\n");
    } else if (target == "device") {
        if (::getuid() != 0)
            QSKIP("a device node needs the administrator to make it");
        QCOMPARE(::mknod(QFile::encodeName(named).constData(), S_IFCHR | 0666, makedev(1, 7)), 0);
    } else if (target == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(named).constData(), 0600), 0);
    } else if (target == "folder") {
        QVERIFY(folder.mkdir(QStringLiteral("rendez-vous.ics")));
    } else if (target == "socket") {
        QVERIFY(makeSocket(named));
    } else if (target == "link") {
        QVERIFY(QFile::link(usersFile, named));
        written = usersFile;
    } else if (target == "dangling") {
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("ailleurs.ics")), named));
        written = folder.filePath(QStringLiteral("ailleurs.ics"));
    } else if (target == "linkdevice") {
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), named));
    } else if (target == "loop") {
        QVERIFY(QFile::link(named, named + QStringLiteral(".2")) && QFile::link(named + QStringLiteral(".2"), named));
    } else if (target == "otherlink") {
        // Another user's link in a folder everyone may write (sticky, as /tmp), to a file of the user's.
        if (::getuid() != 0)
            QSKIP("another user's link needs the administrator to make it");
        QCOMPARE(::chmod(QFile::encodeName(folder.path()).constData(), 01777), 0);
        QVERIFY(QFile::link(usersFile, named));
        QCOMPARE(::lchown(QFile::encodeName(named).constData(), 65534, 65534), 0);
    }
    const QString before = kindOf(named);
    const QByteArray usersBytes = readAll(usersFile);

    const ExportTarget found = exportTarget(named);
    QCOMPARE(found.refusal.isEmpty(), refusedBecause.isEmpty());
    QCOMPARE(!found.question.isEmpty(), asked);
    if (asked) {
        // The question names the file that will be replaced, not only the name given.
        QVERIFY2(found.question.contains(usersFile) && found.question.contains(named), qPrintable(found.question));
    }
    if (!refusedBecause.isEmpty()) {
        QVERIFY2(found.refusal.contains(refusedBecause), qPrintable(found.refusal));
        QVERIFY(found.refusal.startsWith(QStringLiteral("L'invitation n'a pas été écrite : ")));
        QVERIFY(found.refusal.contains(named));
        QString error;
        QVERIFY(!writeExport(found, "BEGIN:VCALENDAR\r\n", &error));
        QCOMPARE(kindOf(named), before); // left as it was
        QCOMPARE(readAll(usersFile), usersBytes);
        return;
    }
    QCOMPARE(found.file, written);
    QString error;
    QVERIFY2(writeExport(found, "BEGIN:VCALENDAR\r\n", &error), qPrintable(error));
    QCOMPARE(readAll(written), QByteArray("BEGIN:VCALENDAR\r\n"));
    if (before.startsWith(QStringLiteral("link")))
        QCOMPARE(kindOf(named), before); // the link stays a link
}

void TestExport::theNameIsLookedAtAgainBeforeTheWrite()
{
    // Between the question and the write, something else takes the name: nothing is written through it.
    QTemporaryDir temporary;
    const QString named = QDir(temporary.path()).filePath(QStringLiteral("rendez-vous.ics"));
    const QString other = QDir(temporary.path()).filePath(QStringLiteral("autre.txt"));
    writeFile(named, "ancienne invitation\n");
    writeFile(other, "autre\n");
    const ExportTarget found = exportTarget(named);
    QVERIFY(found.refusal.isEmpty() && found.exists);
    QVERIFY(QFile::remove(named));
    QCOMPARE(::mkfifo(QFile::encodeName(named).constData(), 0600), 0);
    QString error;
    QVERIFY(!writeExport(found, "x", &error));
    QVERIFY2(error.contains(QStringLiteral("a changé")), qPrintable(error));
    QCOMPARE(kindOf(named), QStringLiteral("fifo"));
    // A link put in its place, to another file: not followed either.
    QVERIFY(QFile::remove(named));
    QVERIFY(QFile::link(other, named));
    QVERIFY(!writeExport(found, "x", &error));
    QCOMPARE(readAll(other), QByteArray("autre\n"));
}

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
