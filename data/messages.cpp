#include "messages.h"

#include "data/locations.h"

QString unreadCityFileTitle(ReadStatus status)
{
    // The missing list's title and text are the program's own, unpolished wording, kept as they were.
    return status == ReadStatus::Missing ? QStringLiteral("Erreur grave de pas trouver moi fichier")
                                         : QStringLiteral("Horlune");
}

QString unreadCityFileText(const QString& cityFolder, const CityFileContents& contents)
{
    if (contents.status == ReadStatus::Missing)
        return QStringLiteral("Veuillez installer le fichier ''Horlune.ini'' dans le repertoire ") + cityFolder +
               QStringLiteral(" ...");
    return QStringLiteral("Le fichier des villes %1 ne peut pas être lu (%2).")
        .arg(cityFilePath(cityFolder), contents.error);
}

QString tooLargeFileText(const QString& path, qint64 limit)
{
    const QString size = limit >= 1024 * 1024 ? QStringLiteral("%1 Mo").arg(limit / (1024 * 1024))
                                              : QStringLiteral("%1 Ko").arg(limit / 1024);
    return QStringLiteral("Le fichier %1 est bien trop grand pour être celui d'Horlune : seul son début a été lu (ses "
                          "%2 premiers, jusqu'à la dernière ligne entière), la suite est ignorée.")
        .arg(path, size);
}

QString unreadSettingsText(const QString& path, const QString& reason)
{
    return QStringLiteral("Le fichier de réglages %1 n'a pas pu être lu (%2) : les heures de jour et de nuit et les "
                          "villes repérées par défaut sont utilisées, et le prochain enregistrement le remplacera.")
        .arg(path, reason);
}
