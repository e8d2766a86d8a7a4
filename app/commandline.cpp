#include "commandline.h"

#include <cstring>

#include "version.h"

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
                              "Lancé une seconde fois avec la même liste de villes, Horlune ramène au premier\n"
                              "plan l'horloge déjà ouverte. Voir aussi la page de manuel horlune(1).\n");
            return 0;
        }
        if (std::strcmp(option, "--version") == 0) {
            std::fprintf(out, "Horlune %s\n", kVersion);
            return 0;
        }
        if (std::strncmp(option, "--", 2) == 0) {
            std::fprintf(err,
                         "horlune : option inconnue « %s »\n"
                         "Essayez « horlune --help » pour la liste des options.\n",
                         option);
            return 2;
        }
    }
    return std::nullopt;
}
