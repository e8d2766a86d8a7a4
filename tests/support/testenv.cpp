#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include "data/cityfile.h"
#include "data/locations.h"
#include "data/safefile.h"

TestEnvironment::TestEnvironment()
{
    // Any other settings file of the process goes to this test's own folder too.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
}

QString TestEnvironment::settingsFile() const
{
    return QDir(m_settings.path()).filePath(QStringLiteral("horlune/horlune.conf"));
}

QString TestEnvironment::cityFile() const
{
    return cityFilePath(programDirectory());
}

void TestEnvironment::writeCityFile(const QByteArray& bytes) const
{
    QFile file(cityFile());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

void TestEnvironment::writeSetting(const QString& key, const QString& value) const
{
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("data/") + key, value);
}

QString TestEnvironment::readSetting(const QString& key) const
{
    QSettings settings(settingsFile(), QSettings::IniFormat);
    return settings.value(QStringLiteral("data/") + key).toString();
}

bool saveCityList(const QString& path, const QList<CityRecord>& records, QString* error)
{
    return writeWholeFile(path, encodeCityFile(records), error);
}
