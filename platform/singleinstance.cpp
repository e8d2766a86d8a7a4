#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int kWaitMs = 500;
const QString kObjectPath = QStringLiteral("/fr/horlune/Horlune");

// A folder only this user can enter: a real folder (no link), the user's own, closed to everyone else.
bool isPrivateFolder(const QString& path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

// Where the socket may live: $XDG_RUNTIME_DIR when it is private, else /tmp/horlune-<uid>, made if missing.
// Empty when neither is private (another user made the folder first).
QString privateFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivateFolder(runtime))
        return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/horlune-%1").arg(::getuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}

// The user at the other end of a local socket is this user.
bool peerIsThisUser(int socket)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

bool addressOf(const QString& path, sockaddr_un* address)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.size() >= qsizetype(sizeof address->sun_path))
        return false;
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    std::memcpy(address->sun_path, name.constData(), name.size());
    return true;
}

// An address's value with the bytes D-Bus does not take as they are written %XX.
QString escapedForBus(const QString& path)
{
    QString escaped;
    for (const char byte : QFile::encodeName(path)) {
        const auto c = static_cast<unsigned char>(byte);
        const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c != 0 && std::strchr("-_/.*", c));
        if (plain)
            escaped += QLatin1Char(char(c));
        else
            escaped += QStringLiteral("%%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    }
    return escaped;
}

// Whether the bus says that the connection `name` (a unique name) is this user's.
bool isThisUsers(const QDBusConnection& bus, const QString& name)
{
    const QDBusReply<uint> user = bus.interface()->serviceUid(name);
    return user.isValid() && user.value() == ::getuid();
}

} // namespace

QString userBusAddress()
{
    const QString given = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!given.isEmpty()) {
        QStringList kept;
        for (const QString& address : given.split(u';', Qt::SkipEmptyParts)) {
            if (!address.trimmed().startsWith(QLatin1String("autolaunch:")))
                kept.append(address);
        }
        return kept.join(u';');
    }
    // As the bus library looks for it, but for the X server.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !isPrivateFolder(runtime))
        return {};
    const QString socket = runtime + QStringLiteral("/bus");
    struct stat info;
    if (::lstat(QFile::encodeName(socket).constData(), &info) != 0 || !S_ISSOCK(info.st_mode) ||
        info.st_uid != ::getuid())
        return {};
    return QStringLiteral("unix:path=") + escapedForBus(socket);
}

SingleInstance::SingleInstance(const QString& cityListPath, QObject* parent) : QObject(parent)
{
    const QByteArray key =
        QCryptographicHash::hash(QFileInfo(cityListPath).absoluteFilePath().toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(32);
    m_busName = QStringLiteral("fr.horlune.Horlune.L") + QString::fromLatin1(key);
    m_socketName = QStringLiteral("horlune-") + QString::fromLatin1(key);
    // A connection of its own, so that two guards in one process (the tests) are two copies to the bus.
    m_connectionName = QStringLiteral("horlune-%1").arg(quintptr(this), 0, 16);
}

SingleInstance::~SingleInstance()
{
    if (m_listener >= 0)
        ::close(m_listener);
    QDBusConnection::disconnectFromBus(m_connectionName);
}

bool SingleInstance::claim()
{
    bool claimed = false;
    if (claimOnTheBus(&claimed))
        return claimed;
    return claimTheSocket();
}

void SingleInstance::show()
{
    // On a bus that other users reach, only a start of this user's brings the clock forward.
    if (calledFromDBus() && !isThisUsers(connection(), message().service()))
        return;
    emit activationRequested();
}

bool SingleInstance::claimOnTheBus(bool* claimed)
{
    const QString address = userBusAddress();
    if (address.isEmpty())
        return false;
    QDBusConnection bus = QDBusConnection::connectToBus(address, m_connectionName);
    if (!bus.isConnected() || !bus.interface())
        return false;
    // Twice at most: the owner found taken may end before it is asked who it is.
    for (int attempt = 0; attempt < 2; ++attempt) {
        // The object that answers first, then the name: a second start in between would call no one.
        bus.registerObject(kObjectPath, this, QDBusConnection::ExportScriptableSlots);
        if (bus.registerService(m_busName)) {
            *claimed = true;
            return true;
        }
        bus.unregisterObject(kObjectPath);
        const QDBusReply<QString> owner = bus.interface()->serviceOwner(m_busName);
        if (!owner.isValid())
            continue;
        // A name another user holds (a bus other users reach) says nothing of this user's clock: the socket,
        // which only this user's copies can hold, decides instead.
        if (!isThisUsers(bus, owner.value()))
            break;
        // The first copy, asked by its own connection's name, so that the name cannot change hands meanwhile.
        bus.call(QDBusMessage::createMethodCall(owner.value(), kObjectPath, QStringLiteral("fr.horlune.Horlune"),
                                                QStringLiteral("show")),
                 QDBus::Block, kWaitMs);
        *claimed = false;
        return true;
    }
    QDBusConnection::disconnectFromBus(m_connectionName);
    return false;
}

bool SingleInstance::claimTheSocket()
{
    const QString folder = privateFolder();
    sockaddr_un address;
    if (folder.isEmpty() || !addressOf(folder + u'/' + m_socketName, &address))
        return true; // nowhere private: no guard rather than one another user could hold

    // Only a socket of the user's own is talked to: a name another user owns is not even knocked on.
    struct stat named;
    const bool ownSocket =
        ::lstat(address.sun_path, &named) == 0 && S_ISSOCK(named.st_mode) && named.st_uid == ::getuid();
    const int other = ownSocket ? ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0) : -1;
    if (other >= 0) {
        const bool answered =
            ::connect(other, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && peerIsThisUser(other);
        ::close(other); // the connection itself is the request
        if (answered)
            return false;
    }
    // No copy answers: whatever lies under the name (a socket left by a crash) is the user's own, in a
    // folder only the user enters.
    ::unlink(address.sun_path);
    m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 8) != 0)
        return true;
    m_notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::acceptConnection);
    return true;
}

void SingleInstance::acceptConnection()
{
    for (int next; (next = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
        const bool own = peerIsThisUser(next);
        ::close(next);
        if (own)
            emit activationRequested();
    }
}
