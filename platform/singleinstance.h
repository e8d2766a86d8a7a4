#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// One running copy of the program per city list and user: a second start finds the first, asks it to come to
// the front, and ends. The desktop's own way comes first: a name on the user's session bus, which only the
// user's programs reach. Without a session bus, a socket in a folder only the user can enter
// ($XDG_RUNTIME_DIR, or /tmp/horlune-<uid> made and checked here), whose peers are checked to be the user's.
class SingleInstance : public QObject
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
    // Called over the bus by a second start.
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
