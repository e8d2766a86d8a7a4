#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <grp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "about/aboutwindow.h"
#include "app/mainwindow.h"
#include "chrome/buttonbar.h"
#include "data/cityfile.h"
#include "data/locations.h"
#include "platform/process.h"
#include "platform/singleinstance.h"
#include "support/fakeplatform.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "support/testenv.h"
#include "ui/controls.h"

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }
    void caption_data();
    void caption();
    void windowOpensBorderlessWithOneBeep();
    void aSecondStartBringsTheFirstToTheFront_data();
    void aSecondStartBringsTheFirstToTheFront();
    void onTheSessionBusTheGuardIsAName();
    void theBusIsTheUsersOwn_data();
    void theBusIsTheUsersOwn();
    void aBusNameOfAnotherUserIsNotTrusted();
    void anotherUsersCallIsIgnored();
    void anotherUsersSocketIsNeverTalkedTo_data();
    void anotherUsersSocketIsNeverTalkedTo();
    void aFileSizeLimitIsAFailedWrite();
    void datesAreFrenchWhateverTheLocale_data();
    void datesAreFrenchWhateverTheLocale();
    void theDesktopsThemeChangesNothing_data();
    void theDesktopsThemeChangesNothing();
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
    QTest::addRow("twelve behind") << -720 << "fr_FR" << "Horlune (TU  -12 )";
    QTest::addRow("fourteen ahead, a day ahead") << 840 << "fr_FR" << "Horlune (TU + 14 )";
    QTest::addRow("a quarter to thirteen ahead") << 765 << "fr_FR" << "Horlune (TU + 12,75 )";
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
    window.start();
    QCOMPARE(window.windowTitle(), caption);
}

void TestStartup::windowOpensBorderlessWithOneBeep()
{
    TestEnvironment env;
    FakePlatform platform;
    Main window(platform.services(), env.programDirectory(), env.programDirectory(), env.settingsFile());
    window.start();
    QVERIFY(window.isVisible());
    QCOMPARE(window.size(), QSize(981, 529));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(platform.beeper.beeps, 1);
}

void TestStartup::aSecondStartBringsTheFirstToTheFront_data()
{
    // Without a session bus the copies meet through a socket in a folder only the user enters; where no such
    // folder can be had, each copy runs unguarded rather than trust another user's.
    QTest::addColumn<QString>("place");
    QTest::addColumn<bool>("guarded");
    // clang-format off
    QTest::addRow("a folder of its own in /tmp")         << "tmp"     << true;
    QTest::addRow("the user's runtime folder")          << "runtime" << true;
    QTest::addRow("a plain file under the socket's name") << "file"    << true;
    QTest::addRow("a folder open to everyone")          << "open"    << false;
    QTest::addRow("a folder another user made first")   << "other"   << false;
    // clang-format on
}

void TestStartup::aSecondStartBringsTheFirstToTheFront()
{
    QFETCH(QString, place);
    QFETCH(bool, guarded);
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        QSKIP("the session bus comes first: see onTheSessionBusTheGuardIsAName");
    QTemporaryDir temporary;
    const QByteArray previousTemporary = qgetenv("TMPDIR"), previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    qunsetenv("XDG_RUNTIME_DIR");
    const QString ownFolder = temporary.filePath(QStringLiteral("horlune-%1").arg(::getuid()));
    TestEnvironment env;
    if (place == "runtime") {
        QVERIFY(QDir().mkpath(temporary.filePath(QStringLiteral("run"))));
        QFile::setPermissions(temporary.filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(temporary.filePath(QStringLiteral("run"))));
    } else if (place == "open") {
        QVERIFY(QDir().mkpath(ownFolder));
        QVERIFY(::chmod(QFile::encodeName(ownFolder).constData(), 0777) == 0);
    } else if (place == "other") {
        if (::getuid() != 0)
            QSKIP("another user's folder needs the administrator to make it");
        QVERIFY(QDir().mkpath(ownFolder));
        QVERIFY(::chown(QFile::encodeName(ownFolder).constData(), 65534, 65534) == 0);
        QVERIFY(::chmod(QFile::encodeName(ownFolder).constData(), 0700) == 0);
    }

    if (place == "file") {
        // A copy that crashed left its socket, and something put a plain file there: the user's own, replaced.
        QString left;
        {
            SingleInstance crashed(env.cityFile());
            QVERIFY(crashed.claim());
            const QStringList entries = QDir(ownFolder).entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
            QCOMPARE(entries.size(), 1);
            left = ownFolder + u'/' + entries[0];
        }
        QVERIFY(QFile::remove(left));
        QFile plain(left);
        QVERIFY(plain.open(QIODevice::WriteOnly));
    }
    SingleInstance first(env.cityFile());
    QVERIFY(first.claim());
    QSignalSpy asked(&first, &SingleInstance::activationRequested);
    SingleInstance second(env.cityFile());
    QCOMPARE(second.claim(), !guarded);
    if (guarded)
        QTRY_COMPARE(asked.size(), 1);
    // Another list is another clock.
    TestEnvironment other;
    SingleInstance third(other.cityFile());
    QVERIFY(third.claim());
    qputenv("TMPDIR", previousTemporary);
    qputenv("XDG_RUNTIME_DIR", previousRuntime);
    if (previousRuntime.isEmpty())
        qunsetenv("XDG_RUNTIME_DIR");
}

void TestStartup::anotherUsersSocketIsNeverTalkedTo_data()
{
    QTest::addColumn<bool>("fileOfTheOther"); // else the file is the user's and only its listener is another user
    QTest::addColumn<bool>("knocked");        // the other user sees a connection (that only the peer check tells)
    // clang-format off
    QTest::addRow("a socket file of another user")                  << true  << false;
    QTest::addRow("the user's socket file, listened to by another") << false << true;
    // clang-format on
}

void TestStartup::anotherUsersSocketIsNeverTalkedTo()
{
    QFETCH(bool, fileOfTheOther);
    QFETCH(bool, knocked);
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        QSKIP("the session bus comes first: see onTheSessionBusTheGuardIsAName");
    if (::getuid() != 0)
        QSKIP("another user's socket needs the administrator to make it");
    QTemporaryDir runtime;
    QVERIFY(::chmod(QFile::encodeName(runtime.path()).constData(), 0700) == 0);
    const QByteArray previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    TestEnvironment env;
    // The socket's name as the program makes it from the list's path.
    const QByteArray key =
        QCryptographicHash::hash(QFileInfo(env.cityFile()).absoluteFilePath().toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(32);
    const QByteArray path = QFile::encodeName(runtime.path()) + "/horlune-" + key;
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
    QVERIFY(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
    if (fileOfTheOther)
        QVERIFY(::chown(path.constData(), 65534, 65534) == 0);
    int ready[2];
    QVERIFY(::pipe(ready) == 0);
    const pid_t child = fork();
    if (child == 0) {
        // The other user listens, and says (exit 1) whether a copy came to it.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0 || ::listen(listener, 4) != 0)
            _exit(2);
        if (::write(ready[1], "1", 1) != 1)
            _exit(2);
        pollfd waiting{listener, POLLIN, 0};
        _exit(::poll(&waiting, 1, 2000) > 0 ? 1 : 0);
    }
    char byte = 0;
    QCOMPARE(::read(ready[0], &byte, 1), ssize_t(1));
    {
        // The clock runs, and takes the name back in the user's own folder: the next start finds it.
        SingleInstance first(env.cityFile());
        QVERIFY(first.claim());
        QSignalSpy asked(&first, &SingleInstance::activationRequested);
        SingleInstance second(env.cityFile());
        QVERIFY(!second.claim());
        QTRY_COMPARE(asked.size(), 1);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    ::close(listener);
    ::close(ready[0]);
    ::close(ready[1]);
    qputenv("XDG_RUNTIME_DIR", previousRuntime);
    if (previousRuntime.isEmpty())
        qunsetenv("XDG_RUNTIME_DIR");
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), knocked ? 1 : 0);
}

void TestStartup::onTheSessionBusTheGuardIsAName()
{
    if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        QSKIP("no session bus here: the test runs again under dbus-run-session");
    TestEnvironment env;
    SingleInstance first(env.cityFile());
    QVERIFY(first.claim());
    QSignalSpy asked(&first, &SingleInstance::activationRequested);
    SingleInstance second(env.cityFile());
    QVERIFY(!second.claim());
    QTRY_COMPARE(asked.size(), 1);
    QVERIFY(first.busName().startsWith(QStringLiteral("fr.horlune.Horlune.L")));
    TestEnvironment other;
    SingleInstance third(other.cityFile());
    QVERIFY(third.claim());
}

namespace {

// Sets an environment variable for the time of a test, or unsets it (a null value).
class ScopedVariable
{
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : m_name(name), m_old(qgetenv(name)), m_was(qEnvironmentVariableIsSet(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedVariable()
    {
        if (m_was)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_was;
};

bool bindSocket(const QString& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return bound;
}

// Another user's program on the bus (busneighbour), run as the user `uid`, from a folder that user can read.
class Neighbour
{
public:
    Neighbour(const QStringList& arguments, uid_t uid)
    {
        m_folder.setAutoRemove(true);
        const QString copy = m_folder.filePath(QStringLiteral("busneighbour"));
        QFile::copy(QStringLiteral(HORLUNE_BUS_NEIGHBOUR), copy);
        ::chmod(QFile::encodeName(m_folder.path()).constData(), 0755);
        ::chmod(QFile::encodeName(copy).constData(), 0755);
        // A stand-in for another user's program: its leaks, under the sanitizers, are none of the test's, and
        // that user may not read the suppressions.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        m_process.setProcessEnvironment(environment);
        m_process.setChildProcessModifier([uid] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(uid) != 0 || ::setuid(uid) != 0)
                ::_exit(3);
        });
        m_process.start(copy, arguments);
    }
    ~Neighbour()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
    }
    QProcess& process() { return m_process; }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
};

} // namespace

void TestStartup::theBusIsTheUsersOwn_data()
{
    // Where the single copy looks for the user's bus. Never through "autolaunch:": the bus library would ask the
    // X server, which another user who can reach the display may answer with a bus of his own.
    QTest::addColumn<QByteArray>("given"); // DBUS_SESSION_BUS_ADDRESS; null: unset
    QTest::addColumn<QString>("runtime");  // what $XDG_RUNTIME_DIR/bus is
    QTest::addColumn<QString>("address");  // "bus": the runtime folder's socket
    // clang-format off
    QTest::addRow("the session's address")              << QByteArray("unix:path=/run/user/1000/bus") << "socket" << "unix:path=/run/user/1000/bus";
    QTest::addRow("autolaunch only")                     << QByteArray("autolaunch:")                  << "socket" << "";
    QTest::addRow("autolaunch after a path")             << QByteArray("unix:path=/x;autolaunch:")     << "none"   << "unix:path=/x";
    QTest::addRow("none given: the runtime bus socket")  << QByteArray()                               << "socket" << "bus";
    QTest::addRow("none given, no socket")               << QByteArray()                               << "none"   << "";
    QTest::addRow("none given, a file named bus")        << QByteArray()                               << "file"   << "";
    QTest::addRow("none given, a folder open to others") << QByteArray()                               << "open"   << "";
    QTest::addRow("none given, another user's socket")   << QByteArray()                               << "other"  << "";
    // clang-format on
}

void TestStartup::theBusIsTheUsersOwn()
{
    QFETCH(QByteArray, given);
    QFETCH(QString, runtime);
    QFETCH(QString, address);
    QTemporaryDir folder;
    const QString bus = folder.filePath(QStringLiteral("bus"));
    if (runtime == "socket" || runtime == "open" || runtime == "other")
        QVERIFY(bindSocket(bus));
    if (runtime == "file")
        QFile(bus).open(QIODevice::WriteOnly);
    if (runtime == "open")
        QCOMPARE(::chmod(QFile::encodeName(folder.path()).constData(), 0755), 0);
    if (runtime == "other") {
        if (::getuid() != 0)
            QSKIP("another user's socket needs the administrator to make it");
        QCOMPARE(::chown(QFile::encodeName(bus).constData(), 65534, 65534), 0);
    }
    const ScopedVariable session("DBUS_SESSION_BUS_ADDRESS", given);
    const ScopedVariable place("XDG_RUNTIME_DIR", QFile::encodeName(folder.path()));
    QCOMPARE(userBusAddress(), address == "bus" ? QStringLiteral("unix:path=") + bus : address);
}

void TestStartup::aBusNameOfAnotherUserIsNotTrusted()
{
    if (!qEnvironmentVariableIsSet("HORLUNE_OPEN_BUS"))
        QSKIP("runs on a bus every user reaches: see tst_startup_open_bus");
    if (::getuid() != 0)
        QSKIP("another user's program needs the administrator to start it");
    TestEnvironment env;
    const QString name = SingleInstance(env.cityFile()).busName();
    // Another user takes the clock's name first.
    Neighbour other({QStringLiteral("hold"), name}, 65534);
    QVERIFY2(other.process().waitForReadyRead(20000), other.process().readAllStandardError().constData());
    QCOMPARE(other.process().readLine().trimmed(), QByteArray("ready"));
    // This user's private folder for the socket.
    QTemporaryDir temporary;
    const ScopedVariable place("TMPDIR", QFile::encodeName(temporary.path()));
    const ScopedVariable runtime("XDG_RUNTIME_DIR", QByteArray());
    {
        // The clock still runs, with its window: the name says nothing of this user's copies.
        SingleInstance first(env.cityFile());
        QVERIFY(first.claim());
        // And this user's copies still find each other, through the socket only they can hold.
        QSignalSpy asked(&first, &SingleInstance::activationRequested);
        SingleInstance second(env.cityFile());
        QVERIFY(!second.claim());
        QTRY_COMPARE(asked.size(), 1);
    }
    // The other user's program was never asked anything.
    QVERIFY(!other.process().readAllStandardOutput().contains("shown"));
}

void TestStartup::anotherUsersCallIsIgnored()
{
    if (!qEnvironmentVariableIsSet("HORLUNE_OPEN_BUS"))
        QSKIP("runs on a bus every user reaches: see tst_startup_open_bus");
    if (::getuid() != 0)
        QSKIP("another user's program needs the administrator to start it");
    TestEnvironment env;
    SingleInstance first(env.cityFile());
    QVERIFY(first.claim());
    QSignalSpy asked(&first, &SingleInstance::activationRequested);
    // Its call is answered (the slot ran) and brings nothing forward; the same call of the user's own does.
    for (const uid_t user : {uid_t(65534), ::getuid()}) {
        Neighbour caller({QStringLiteral("call"), first.busName()}, user);
        QTRY_VERIFY_WITH_TIMEOUT(caller.process().state() == QProcess::NotRunning, 20000);
        QCOMPARE(caller.process().exitCode(), 0);
        QCOMPARE(asked.size(), user == 0 ? 1 : 0);
    }
}

void TestStartup::datesAreFrenchWhateverTheLocale_data()
{
    QTest::addColumn<QString>("system");
    QTest::newRow("C") << "C";
    QTest::newRow("English") << "en_US";
    QTest::newRow("German") << "de_DE";
}

void TestStartup::datesAreFrenchWhateverTheLocale()
{
    QFETCH(QString, system);
    QLocale::setDefault(QLocale(system));
    prepareProcess(*QCoreApplication::instance());
    QCOMPARE(QLocale().toString(QDate(2026, 12, 10), QStringLiteral("dddd d MMMM")),
             QStringLiteral("jeudi 10 décembre"));
    // In the window: the hover sentence and the panel's date.
    ClockFixture f(cityFile({"Ouagadougou,0,0"}), QDateTime(QDate(2026, 12, 10), QTime(16, 7), Qt::UTC), 0);
    f.start();
    moveOver(f.face(1), QPoint(5, 5));
    QVERIFY2(f.label("Label8")->caption().contains(QStringLiteral("décembre")),
             qPrintable(f.label("Label8")->caption()));
    f.openPanel();
    QCOMPARE(f.label("Label5")->caption(), QStringLiteral("jeudi 10 déc. 2026"));
    f.pressOk();
}

void TestStartup::theDesktopsThemeChangesNothing_data()
{
    // What a desktop's theme hands the application before any window is built: a palette and a font, for the
    // whole application and again for the classes of widgets it styles one by one (a platform theme's boxes,
    // labels, buttons, menus and tooltips have palettes and fonts of their own).
    QTest::addColumn<QPalette>("palette"); // none: the design's own
    QTest::addColumn<QFont>("font");       // none: the design's own
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::WindowText, QColor(0xd0, 0xd0, 0xd0));
    dark.setColor(QPalette::Base, Qt::black);
    dark.setColor(QPalette::Text, QColor(0xd0, 0xd0, 0xd0));
    dark.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::ButtonText, QColor(0xc0, 0xc0, 0xc0));
    dark.setColor(QPalette::Highlight, QColor(0x80, 0x80, 0x00));
    QPalette highContrast(Qt::white, Qt::black); // white on black, yellow where the user points
    highContrast.setColor(QPalette::Base, Qt::black);
    highContrast.setColor(QPalette::Text, Qt::yellow);
    highContrast.setColor(QPalette::Highlight, Qt::yellow);
    highContrast.setColor(QPalette::HighlightedText, Qt::black);
    const QFont larger(QStringLiteral("DejaVu Sans"), 16);
    // clang-format off
    QTest::newRow("dark")                  << dark          << QFont();
    QTest::newRow("high contrast")         << highContrast  << QFont();
    QTest::newRow("larger font")           << QPalette()    << larger;
    QTest::newRow("dark and larger font")  << dark          << larger;
    // clang-format on
}

void TestStartup::theDesktopsThemeChangesNothing()
{
    QFETCH(QPalette, palette);
    QFETCH(QFont, font);
    static const char* const styledClasses[] = {"QLineEdit", "QLabel",    "QCheckBox", "QAbstractButton",
                                                "QMenu",     "QTipLabel", "QSpinBox",  "QAbstractItemView"};
    // The window with the panel open, and the About window.
    const auto shots = [](const std::function<void()>& theme) {
        theme();
        ClockFixture f(fullFile(), QDateTime(QDate(2026, 12, 10), QTime(16, 7), Qt::UTC), 0);
        f.start();
        f.openPanel();
        const QImage window = f.window->grab().toImage();
        f.pressOk();
        f.buttons().press(ButtonBar::About);
        HorluneAbout* about = f.about();
        if (!about)
            qFatal("the About window did not open");
        const QImage aboutWindow = about->grab().toImage();
        about->close();
        return std::pair{window, aboutWindow};
    };
    const auto [window, aboutWindow] = shots([] {});
    const auto [themedWindow, themedAbout] = shots([&palette, &font] {
        if (palette.resolveMask() != 0) {
            QApplication::setPalette(palette);
            for (const char* name : styledClasses)
                QApplication::setPalette(palette, name);
        }
        if (font != QFont()) {
            QApplication::setFont(font);
            for (const char* name : styledClasses)
                QApplication::setFont(font, name);
        }
    });
    QVERIFY(!window.isNull() && !aboutWindow.isNull());
    QCOMPARE(themedWindow, window);
    QCOMPARE(themedAbout, aboutWindow);
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
    window.start();
    int told = 0;
    for (const auto& shown : platform.dialogs.shown)
        told += shown.text.contains(QStringLiteral("seul son début a été lu")) ? 1 : 0;
    QCOMPARE(told, 1);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
