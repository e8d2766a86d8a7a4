#include <QApplication>

#include "app/commandline.h"
#include "app/mainwindow.h"
#include "data/locations.h"
#include "platform/process.h"
#include "platform/singleinstance.h"
#include "ui/look.h"
#include "version.h"

int main(int argc, char* argv[])
{
    // Answered on the terminal, with no window and no display needed; a wrong argument too.
    if (const std::optional<int> status = answerCommandLine(argc, argv, stdout, stderr))
        return *status;
    std::optional<DisplayCheck> displayCheck(std::in_place, stderr);
    QApplication app(argc, argv);
    displayCheck.reset();
    if (const std::optional<int> status = refuseLeftOverArguments(QCoreApplication::arguments(), stderr))
        return *status;
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    // The menu entry's name: the desktop finds the window's icon and name through it.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.horlune.Horlune"));
    prepareProcess(app);
    const QString programDirectory = QCoreApplication::applicationDirPath();
    const QString cityFolder = cityListFolder(programDirectory);
    // A second start with the same city list brings the running clock to the front instead.
    SingleInstance instance(cityFilePath(cityFolder));
    if (!instance.claim())
        return 0;
    look::applyDesignLook();

    SystemPlatform platform;
    Main window(platform.services(), programDirectory, cityFolder, settingsFilePath());
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, &Main::bringToFront);
    window.start();
    return QApplication::exec();
}
