#include "settings.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "numbers.h"

namespace {

const QString kGroup = QStringLiteral("data");

QString markKey(int row)
{
    return QStringLiteral("P") + QString::number(row);
}

} // namespace

SettingsStore::SettingsStore(const QString& applicationName)
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, applicationName, applicationName)
{
}

QString SettingsStore::applicationNameFromExecutable()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void SettingsStore::readHours(DayHours& hours) const
{
    m_settings.beginGroup(kGroup);
    const QString day = m_settings.value(QStringLiteral("HJ"), QStringLiteral("8")).toString();
    const QString night = m_settings.value(QStringLiteral("HN"), QStringLiteral("20")).toString();
    m_settings.endGroup();
    if (const auto value = readWholeNumber16(day))
        hours.day = *value;
    if (const auto value = readWholeNumber16(night))
        hours.night = *value;
}

RowMarks SettingsStore::readMarks() const
{
    RowMarks marks{};
    m_settings.beginGroup(kGroup);
    for (int row = 1; row <= kCityRows; ++row) {
        const QVariant value = m_settings.value(markKey(row), QStringLiteral("F"));
        // Only a plain text "T" marks the row; a list or any other type does not.
        marks[row] = value.typeId() == QMetaType::QString && value.toString() == QLatin1String("T");
    }
    m_settings.endGroup();
    return marks;
}

void SettingsStore::writeMarks(const RowMarks& marks)
{
    m_settings.beginGroup(kGroup);
    for (int row = 1; row <= kCityRows; ++row)
        m_settings.setValue(markKey(row), marks[row] ? QStringLiteral("T") : QStringLiteral("F"));
    m_settings.endGroup();
}

void SettingsStore::writeHours(const DayHours& hours)
{
    m_settings.beginGroup(kGroup);
    m_settings.setValue(QStringLiteral("HN"), QString::number(hours.night));
    m_settings.setValue(QStringLiteral("HJ"), QString::number(hours.day));
    m_settings.endGroup();
}

bool SettingsStore::sync()
{
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}
