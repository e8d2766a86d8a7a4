#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The address of the user's session bus: $DBUS_SESSION_BUS_ADDRESS as the session gave it, else the bus socket
// of the user's private runtime folder ($XDG_RUNTIME_DIR/bus, a socket of the user's own); empty when there is
// none. Never "autolaunch:", by which the bus library would ask the X server, which another user who can
// reach the display may answer with a bus of his own.
QString userBusAddress();

// One running copy of the program per city list and user: a second start finds the first, asks it to come to
// the front, and ends. The desktop's own way comes first: a name on the user's session bus, trusted only when
// the bus says that its owner is this user. Otherwise, a socket in a folder only the user can enter
// ($XDG_RUNTIME_DIR, or /tmp/horlune-<uid> made and checked here), whose peers are checked to be the user's.
class SingleInstance : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "fr.horlune.Horlune")

public:
    // `cityListPath` names the list; the bus name and the socket's name are made from it.
    explicit SingleInstance(const QString& cityListPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when no other copy answers: this one then answers the next starts (a socket left by a copy that
    // crashed is taken over). False when another copy was found and asked to come to the front. Where no
    // private place can be had for the socket (a folder another user owns), true without a guard.
    bool claim();

    // The bus name, for the tests.
    QString busName() const { return m_busName; }

public slots:
    // Called over the bus by a second start (of this user's: another user's call does nothing).
    Q_SCRIPTABLE void show();

signals:
    // Another start asked this copy to come to the front.
    void activationRequested();

private:
    bool claimOnTheBus(bool* claimed);
    bool claimTheSocket();
    void acceptConnection();

    QString m_busName;
    QString m_connectionName;
    QString m_socketName;
    int m_listener = -1;
    QSocketNotifier* m_notifier = nullptr;
};
