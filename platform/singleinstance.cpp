#include "singleinstance.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace {
constexpr int kWaitMs = 500;
}

SingleInstance::SingleInstance(const QString& cityListPath, QObject* parent) : QObject(parent)
{
    const QString list = QFileInfo(cityListPath).absoluteFilePath();
    m_name = QStringLiteral("horlune-%1-").arg(::getuid()) +
             QString::fromLatin1(QCryptographicHash::hash(list.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

bool SingleInstance::claim()
{
    QLocalSocket other;
    other.connectToServer(m_name);
    if (other.waitForConnected(kWaitMs)) {
        other.write("montre-toi\n");
        other.waitForBytesWritten(kWaitMs);
        other.disconnectFromServer();
        return false;
    }
    // No copy answers: a socket file left by one that crashed is in the way.
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->listen(m_name);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* next = m_server->nextPendingConnection()) {
            connect(next, &QLocalSocket::disconnected, next, &QObject::deleteLater);
            emit activationRequested();
        }
    });
    return true;
}
