#include "reasons.h"

#include <cerrno>
#include <cstring>

namespace {

struct Reason
{
    int code;
    const char* french;
};

constexpr Reason kReasons[] = {
    {EACCES, "permission refusée"},
    {EPERM, "opération non permise"},
    {ENOSPC, "plus de place sur le disque"},
    {EDQUOT, "quota du disque dépassé"},
    {EROFS, "disque en lecture seule"},
    {EFBIG, "fichier trop grand"},
    {ENOENT, "fichier ou dossier introuvable"},
    {ENOTDIR, "un élément du chemin n'est pas un dossier"},
    {EISDIR, "c'est un dossier"},
    {ELOOP, "trop de liens symboliques (une boucle)"},
    {EIO, "erreur d'entrée-sortie du disque"},
    {ENAMETOOLONG, "nom de fichier trop long"},
    {EBUSY, "fichier occupé"},
    {ETXTBSY, "fichier occupé"},
    {EWOULDBLOCK, "fichier verrouillé par un autre programme"},
};

} // namespace

QString frenchReason(int code)
{
    for (const Reason& known : kReasons) {
        if (known.code == code)
            return QString::fromUtf8(known.french);
    }
    return QString::fromLocal8Bit(std::strerror(code));
}

QString frenchReason(const QString& reason, const QString& path)
{
    QString french = reason;
    for (const Reason& known : kReasons)
        french.replace(QString::fromLocal8Bit(std::strerror(known.code)), QString::fromUtf8(known.french),
                       Qt::CaseInsensitive);
    if (!path.isEmpty()) {
        french.remove(path);
        french.replace(QStringLiteral("  "), QStringLiteral(" "));
    }
    return french.trimmed();
}
