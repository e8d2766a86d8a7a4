#include <QApplication>

#include "app/mainwindow.h"
#include "data/settings.h"
#include "ui/look.h"
#include "version.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    look::loadFonts();

    SystemPlatform platform;
    Main window(platform.services(), QCoreApplication::applicationDirPath(),
                SettingsStore::applicationNameFromExecutable());
    window.Form_Load();
    return QApplication::exec();
}
