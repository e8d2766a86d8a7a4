#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QUuid>

#include "data/cityfile.h"

TestEnvironment::TestEnvironment()
    : m_settingsName(QStringLiteral("horlune-test-") + QUuid::createUuid().toString(QUuid::Id128))
{
    // Every settings file of the process goes to this test's own folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
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
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, m_settingsName, m_settingsName);
    settings.setValue(QStringLiteral("data/") + key, value);
}

QString TestEnvironment::readSetting(const QString& key) const
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, m_settingsName, m_settingsName);
    return settings.value(QStringLiteral("data/") + key).toString();
}
