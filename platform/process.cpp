#include "process.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>

void prepareProcess(QCoreApplication& application)
{
    std::signal(SIGXFSZ, SIG_IGN);
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}
