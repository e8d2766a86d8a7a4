#include "locations.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

QString cityFilePath(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("horlune.ini"));
}

namespace {

bool present(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString zoneStorePath(const QString& cityFolder)
{
    const QString beside = QDir(cityFolder).filePath(QStringLiteral("horlune.zones"));
    if (present(beside))
        return beside;
    const QString own = ownZoneStorePath(cityFolder);
    if (present(own))
        return own;
    // A folder where no new file can be made, around a list that can still be written in place: the choices
    // go to the user's own folder rather than keep the list from being saved.
    const QByteArray folder = QFile::encodeName(cityFolder);
    if (QFileInfo(cityFolder).isDir() && ::access(folder.constData(), W_OK | X_OK) != 0)
        return own;
    return beside;
}

QString ownZoneStorePath(const QString& cityFolder)
{
    const QByteArray list = QFileInfo(cityFilePath(cityFolder)).absoluteFilePath().toUtf8();
    const QString key =
        QString::fromLatin1(QCryptographicHash::hash(list, QCryptographicHash::Sha256).toHex().left(32));
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("horlune/horlune-") + key + QStringLiteral(".zones"));
}

QString settingsFilePath()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(name + u'/' + name + QStringLiteral(".conf"));
}

QString cityListFolder(const QString& programDirectory)
{
    const QDir program(programDirectory);
    const QString installedDefault = program.filePath(QStringLiteral("../../share/horlune/horlune.ini"));
    const QFileInfo own(cityFilePath(programDirectory));
    if (own.exists() || own.isSymLink() || !QFileInfo(installedDefault).isFile())
        return programDirectory;
    const QString userFolder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("horlune"));
    const QString userList = cityFilePath(userFolder);
    if (!QFileInfo::exists(userList) && !QFileInfo(userList).isSymLink() && QDir().mkpath(userFolder))
        QFile::copy(installedDefault, userList);
    return userFolder;
}

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // Qt names the folder even where it was never made (or was removed); a dialog opened on a missing folder
    // would fall back to the folder the program was started in.
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}
