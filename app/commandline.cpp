#include "commandline.h"

#include <cstring>

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

} // namespace

std::optional<int> answerCommandLine(int argc, char* argv[], std::FILE* out, std::FILE* err)
{
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0) {
            std::fprintf(out, "Utilisation : horlune [OPTION]\n"
                              "Horloge universelle : l'heure de 59 villes du monde et le temps universel.\n"
                              "\n"
                              "  -h, --help     affiche cette aide et quitte\n"
                              "      --version  affiche la version et quitte\n"
                              "\n"
                              "Les options de Qt, comme -platform, sont aussi acceptées.\n"
                              "Lancé une seconde fois avec la même liste de villes, Horlune ramène au premier\n"
                              "plan l'horloge déjà ouverte. Voir aussi la page de manuel horlune(1).\n");
            return 0;
        }
        if (std::strcmp(option, "--version") == 0) {
            std::fprintf(out, "Horlune %s\n", kVersion);
            return 0;
        }
        if (std::strncmp(option, "--", 2) == 0)
            return refuse(err, "option inconnue", option);
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
