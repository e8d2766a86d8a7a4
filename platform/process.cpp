#include "process.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <csignal>

namespace {

// Qt's texts that its French translations lack (new in Qt 6, as the kinds of files its file dialog lists):
// looked up before Qt's own translations, it answers only these.
class MissingQtTexts : public QTranslator
{
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        static const struct
        {
            const char* english;
            const char* french;
        } texts[] = {{"Folder", "Dossier"},     {"Drive", "Lecteur"},      {"File", "Fichier"},
                     {"%1 File", "Fichier %1"}, {"Shortcut", "Raccourci"}, {"Unknown", "Inconnu"}};
        for (const auto& text : texts) {
            if (qstrcmp(source, text.english) == 0)
                return QString::fromUtf8(text.french);
        }
        return {};
    }
};

} // namespace

void prepareProcess(QCoreApplication& application)
{
    std::signal(SIGXFSZ, SIG_IGN);
    // Dates, weekdays and months in French whatever LANG says: they stand inside French sentences.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    QCoreApplication::installTranslator(new MissingQtTexts(&application));
}
