#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

// Another user's program on a bus every user reaches, for the tests of the single copy.
// "busneighbour hold NAME": takes NAME, answers "show" at the clock's object path by writing "shown", and
// ends when its standard input closes. "busneighbour call NAME": calls "show" on NAME and ends.
class Neighbour : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "fr.horlune.Horlune")

public slots:
    Q_SCRIPTABLE void show()
    {
        std::puts("shown");
        std::fflush(stdout);
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (arguments.size() != 3 || !bus.isConnected())
        return 2;
    const QString path = QStringLiteral("/fr/horlune/Horlune");
    if (arguments[1] == QLatin1String("call")) {
        const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(
            arguments[2], path, QStringLiteral("fr.horlune.Horlune"), QStringLiteral("show")));
        return reply.type() == QDBusMessage::ReplyMessage ? 0 : 1;
    }
    Neighbour neighbour;
    if (!bus.registerObject(path, &neighbour, QDBusConnection::ExportScriptableSlots) ||
        !bus.registerService(arguments[2]))
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &application, [&application] {
        char byte;
        if (::read(STDIN_FILENO, &byte, 1) <= 0)
            application.quit();
    });
    return QCoreApplication::exec();
}

#include "busneighbour.moc"
