#include "process.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <csignal>

void prepareProcess(QCoreApplication& application)
{
    std::signal(SIGXFSZ, SIG_IGN);
    // Dates, weekdays and months in French whatever LANG says: they stand inside French sentences.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}
