#include <QApplication>

#include "app/look.h"
#include "app/mainwindow.h"
#include "data/settings.h"
#include "platform/platform.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(HORLUNE_VERSION));
    look::loadFonts();

    SystemPlatform platform;
    Main window(platform.services(), QCoreApplication::applicationDirPath(),
                SettingsStore::applicationNameFromExecutable());
    window.Form_Load();
    return QApplication::exec();
}
