#include "commandline.h"

#include <QList>
#include <QMessageLogContext>
#include <QString>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "version.h"

namespace {

int refuse(std::FILE* err, const char* what, const char* argument)
{
    std::fprintf(err,
                 "horlune : %s « %s »\n"
                 "Essayez « horlune --help » pour la liste des options.\n",
                 what, argument);
    return 2;
}

// Qt's own options, as Qt 6 reads them (the application, its widgets, the X11 and Wayland platforms): those
// followed by a value, those that stand alone. An option of Qt that this list lacks is refused before Qt
// sees it; one it has that Qt does not take is refused once Qt has read the line (refuseLeftOverArguments).
constexpr std::string_view kQtOptionsWithValue[] = {
    "-platform",        "-platformpluginpath", "-platformtheme", "-plugin", "-display",     "-name", "-session",
    "-qwindowgeometry", "-geometry",           "-qwindowtitle",  "-title",  "-qwindowicon", "-icon", "-style",
    "-stylesheet",      "-qmljsdebugger"};
constexpr std::string_view kQtFlags[] = {"-reverse", "-testability", "-widgetcount", "-sync", "-nograb", "-dograb"};
// Given as one word too: -style=fusion.
constexpr std::string_view kQtJoinedOptions[] = {"-style=", "-stylesheet=", "-qmljsdebugger="};

template <std::size_t N> bool among(const std::string_view (&options)[N], std::string_view option)
{
    for (std::string_view known : options) {
        if (option == known)
            return true;
    }
    return false;
}

bool isJoinedQtOption(std::string_view option)
{
    for (std::string_view prefix : kQtJoinedOptions) {
        if (option.size() > prefix.size() && option.substr(0, prefix.size()) == prefix)
            return true;
    }
    return false;
}

void printHelp(std::FILE* out)
{
    std::fprintf(out, "Utilisation : horlune [OPTION]\n"
                      "Horloge universelle : l'heure de 59 villes du monde et le temps universel.\n"
                      "\n"
                      "  -h, --help     affiche cette aide et quitte\n"
                      "      --version  affiche la version et quitte\n"
                      "\n"
                      "Les options de Qt, comme -platform, sont aussi acceptées.\n"
                      "Lancé une seconde fois avec la même liste de villes, Horlune ramène au premier\n"
                      "plan l'horloge déjà ouverte. Voir aussi la page de manuel horlune(1).\n");
}

// What DisplayCheck holds while the application is made.
struct HeldMessage
{
    QtMsgType type;
    QString category, file, function, text;
    int line;
};
std::FILE* g_checkErr = nullptr;
QtMessageHandler g_previousHandler = nullptr;
QList<HeldMessage>* g_held = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // Qt found no platform it could open: no display. What it said before is about the same failure, in
        // English; the user is told in French, and the program ends without the abort that would follow.
        std::fputs("horlune : aucun affichage n'est accessible (ni serveur X ni compositeur Wayland).\n"
                   "Horlune est une horloge en fenêtre : lancez-la dans une session graphique.\n",
                   g_checkErr);
        std::fflush(g_checkErr);
        std::fflush(stdout);
        std::_Exit(kNoDisplayStatus);
    }
    g_held->append({type, QString::fromUtf8(context.category), QString::fromUtf8(context.file),
                    QString::fromUtf8(context.function), text, context.line});
}

} // namespace

std::optional<int> answerCommandLine(int argc, char* argv[], std::FILE* out, std::FILE* err)
{
    enum class Asked
    {
        Nothing,
        Help,
        Version
    } asked = Asked::Nothing; // the first of the two asked is answered
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            if (asked == Asked::Nothing)
                asked = Asked::Help;
        } else if (option == "--version") {
            if (asked == Asked::Nothing)
                asked = Asked::Version;
        } else if (among(kQtOptionsWithValue, option)) {
            if (i + 1 >= argc) {
                std::fprintf(err,
                             "horlune : valeur attendue après « %s »\n"
                             "Essayez « horlune --help » pour la liste des options.\n",
                             argv[i]);
                return 2;
            }
            ++i;
        } else if (!among(kQtFlags, option) && !isJoinedQtOption(option))
            return refuse(err, option.substr(0, 1) == "-" ? "option inconnue" : "argument inattendu", argv[i]);
    }
    switch (asked) {
    case Asked::Help:
        printHelp(out);
        return 0;
    case Asked::Version:
        std::fprintf(out, "Horlune %s\n", kVersion);
        return 0;
    case Asked::Nothing:
        break;
    }
    return std::nullopt;
}

std::optional<int> refuseLeftOverArguments(const QStringList& arguments, std::FILE* err)
{
    if (arguments.size() < 2)
        return std::nullopt;
    const QString& left = arguments.at(1);
    return refuse(err, left.startsWith(u'-') ? "option inconnue" : "argument inattendu",
                  left.toLocal8Bit().constData());
}

DisplayCheck::DisplayCheck(std::FILE* err)
{
    g_checkErr = err;
    g_held = new QList<HeldMessage>;
    g_previousHandler = qInstallMessageHandler(holdMessage);
}

DisplayCheck::~DisplayCheck()
{
    qInstallMessageHandler(g_previousHandler);
    for (const HeldMessage& held : std::as_const(*g_held)) {
        const QByteArray category = held.category.toUtf8(), file = held.file.toUtf8(),
                         function = held.function.toUtf8();
        const QMessageLogContext context(held.file.isEmpty() ? nullptr : file.constData(), held.line,
                                         held.function.isEmpty() ? nullptr : function.constData(),
                                         held.category.isEmpty() ? nullptr : category.constData());
        qt_message_output(held.type, context, held.text);
    }
    delete g_held;
    g_held = nullptr;
}
