#include "settings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include "numbers.h"

namespace {

const QString kGroup = QStringLiteral("data");

QString markKey(int row)
{
    return QStringLiteral("P") + QString::number(row);
}

QString cityText(const CityRecord& city)
{
    return city.name + u'\t' + city.summer + u'\t' + city.winter;
}

} // namespace

SettingsStore::SettingsStore(const QString& path) : m_path(path)
{
    const QFileInfo info(path);
    m_copy.open();
    if (info.exists() && !info.isFile()) {
        // A pipe would never end, a device never stop: nothing is read, and a save replaces it.
        m_problem = QStringLiteral("ce n'est pas un fichier ordinaire");
    } else if (QFile file(path); file.open(QIODevice::ReadOnly)) {
        m_copy.write(file.read(qMin(file.size(), kMaxBytes))); // read(n) sets n bytes aside first
        if (file.size() > kMaxBytes)
            m_problem = QStringLiteral("il est bien trop grand : seul son début a été lu");
    }
    m_copy.flush();
    m_read = std::make_unique<QSettings>(m_copy.fileName(), QSettings::IniFormat);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::defaultPath()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(name + u'/' + name + QStringLiteral(".conf"));
}

void SettingsStore::readHours(DayHours& hours) const
{
    const QString day = m_read->value(kGroup + QStringLiteral("/HJ"), QStringLiteral("8")).toString();
    const QString night = m_read->value(kGroup + QStringLiteral("/HN"), QStringLiteral("20")).toString();
    if (const auto value = readStoredHour(day))
        hours.day = *value;
    if (const auto value = readStoredHour(night))
        hours.night = *value;
}

StoredMarks SettingsStore::readMarks() const
{
    StoredMarks marks;
    m_read->beginGroup(kGroup);
    for (int row = 1; row <= kCityRows; ++row) {
        const QVariant value = m_read->value(markKey(row), QStringLiteral("F"));
        // Only a plain text "T" marks the row; a list or any other type does not.
        marks.byRow[row] = value.typeId() == QMetaType::QString && value.toString() == QLatin1String("T");
    }
    marks.listFingerprint = m_read->value(QStringLiteral("Liste")).toString().toLatin1();
    for (const QString& text : m_read->value(QStringLiteral("Reperes")).toStringList()) {
        const QStringList fields = text.split(u'\t');
        if (fields.size() == 3)
            marks.cities.append({fields[0], fields[1], fields[2]});
    }
    m_read->endGroup();
    return marks;
}

void SettingsStore::writeMarks(const RowMarks& marks, const QList<CityRecord>& list, const QByteArray& listFingerprint)
{
    QStringList marked;
    for (int row = 1; row <= kCityRows; ++row) {
        write(markKey(row), marks[row] ? QStringLiteral("T") : QStringLiteral("F"));
        if (marks[row] && row <= list.size())
            marked.append(cityText(list[row - 1]));
    }
    write(QStringLiteral("Liste"), QString::fromLatin1(listFingerprint));
    write(QStringLiteral("Reperes"), marked);
}

void SettingsStore::writeHours(const DayHours& hours)
{
    write(QStringLiteral("HN"), QString::number(hours.night));
    write(QStringLiteral("HJ"), QString::number(hours.day));
}

void SettingsStore::write(const QString& key, const QVariant& value)
{
    m_written.append({kGroup + u'/' + key, value});
}

bool SettingsStore::sync(std::chrono::milliseconds limit)
{
    const QFileInfo info(m_path);
    if (!m_problem.isEmpty()) {
        // What could be read of a file that was no regular file, or too large, replaces it.
        if ((info.exists() || info.isSymLink()) && !QFile::remove(m_path))
            return false;
        for (const QString& key : m_read->allKeys())
            m_written.prepend({key, m_read->value(key)});
    }
    // QSettings waits for the store's lock with no limit: make sure first that it is free, with one. An
    // empty lock file is what a crash in the middle of taking one leaves.
    const QString lockPath = m_path + QStringLiteral(".lock");
    const QFileInfo lockInfo(lockPath);
    if (lockInfo.isFile() && lockInfo.size() == 0 &&
        lockInfo.lastModified().msecsTo(QDateTime::currentDateTime()) > 1000)
        QFile::remove(lockPath);
    QDir().mkpath(info.absolutePath());
    {
        QLockFile lock(lockPath);
        if (!lock.tryLock(int(limit.count())))
            return false;
    }
    QSettings store(m_path, QSettings::IniFormat);
    for (const auto& [key, value] : std::as_const(m_written))
        store.setValue(key, value);
    store.sync();
    if (store.status() != QSettings::NoError)
        return false;
    m_problem.clear();
    m_written.clear();
    return true;
}

RowMarks marksForList(const StoredMarks& stored, const CityFileContents& list)
{
    if (stored.listFingerprint.isEmpty() || stored.listFingerprint == list.fingerprint)
        return stored.byRow;
    RowMarks marks{};
    for (int row = 1; row <= kCityRows && row <= list.rows.size(); ++row)
        marks[row] = stored.cities.contains(list.rows[row - 1].record);
    return marks;
}
