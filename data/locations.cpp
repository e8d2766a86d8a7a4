#include "locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString cityFilePath(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("horlune.ini"));
}

QString zoneStorePath(const QString& cityFolder)
{
    return QDir(cityFolder).filePath(QStringLiteral("horlune.zones"));
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
