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

namespace {

QString sizeText(qint64 bytes)
{
    return bytes >= 1024 * 1024 ? QStringLiteral("%1 Mo").arg(bytes / (1024 * 1024))
                                : QStringLiteral("%1 Ko").arg(bytes / 1024);
}

} // namespace

QString tooLargeFileText(const QString& path, qint64 limit)
{
    return QStringLiteral("Le fichier %1 est bien trop grand pour être celui d'Horlune : seul son début a été lu (ses "
                          "%2 premiers, jusqu'à la dernière ligne entière), la suite est ignorée. Horlune ne le "
                          "remplacera pas par ce début : pour enregistrer de nouveau, réduisez-le ou déplacez-le.")
        .arg(path, sizeText(limit));
}

QString tooLargeToReplaceReason(qint64 limit)
{
    return QStringLiteral("il dépasse %1 et n'a été lu qu'en partie : le remplacer effacerait sa fin ; réduisez-le ou "
                          "déplacez-le, puis réessayez")
        .arg(sizeText(limit));
}

QString unsavedSettingsText(const QString& what, const QString& path, const QString& reason)
{
    return QStringLiteral("%1 n'ont pas pu être enregistrées dans le fichier de réglages %2 (%3).")
        .arg(what, path, reason);
}

QString unreadSettingsText(const QString& path, const QString& reason)
{
    return QStringLiteral("Le fichier de réglages %1 n'a pas pu être lu (%2) : les heures de jour et de nuit et les "
                          "villes repérées par défaut sont utilisées, et le prochain enregistrement le remplacera.")
        .arg(path, reason);
}
