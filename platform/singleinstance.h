#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running copy of the program per city list: a second start finds the first through a local socket
// named after the list, asks it to come to the front, and ends.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // `cityListPath` names the list; the socket's name is made from it and the user.
    explicit SingleInstance(const QString& cityListPath, QObject* parent = nullptr);

    // True when no other copy answers: this one then listens for the next starts (a socket left by a copy
    // that crashed is taken over). False when another copy was found and asked to come to the front.
    bool claim();

signals:
    // Another start asked this copy to come to the front.
    void activationRequested();

private:
    QString m_name;
    QLocalServer* m_server = nullptr;
};
