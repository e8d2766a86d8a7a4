#include "settings.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data/messages.h"
#include "data/numbers.h"
#include "data/reasons.h"
#include "data/safefile.h"

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

namespace {

const QString kScratchPrefix = QStringLiteral("horlune-settings-");

// QSettings reads and writes its INI text only through a file: one in a folder of the program's own, removed
// as soon as the text is read or made, so that nothing is left behind should the program be stopped later.
// The folder's name carries the process's number, so that a folder left by a process killed in the middle
// can be told from one in use (removeLeftoverSettingsFolders).
QString scratchTemplate()
{
    static std::once_flag leftoversRemoved;
    std::call_once(leftoversRemoved, [] { removeLeftoverSettingsFolders(QDir::tempPath()); });
    return QDir(QDir::tempPath()).filePath(kScratchPrefix + QString::number(::getpid()) + QStringLiteral("-XXXXXX"));
}

QVariantMap parseIni(const QByteArray& bytes)
{
    QVariantMap values;
    const QTemporaryDir folder(scratchTemplate());
    const QString path = folder.filePath(QStringLiteral("settings.conf"));
    if (QFile file(path); !folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return values;
    const QSettings ini(path, QSettings::IniFormat);
    for (const QString& key : ini.allKeys())
        values.insert(key, ini.value(key));
    return values;
}

QByteArray makeIni(const QVariantMap& values)
{
    const QTemporaryDir folder(scratchTemplate());
    const QString path = folder.filePath(QStringLiteral("settings.conf"));
    {
        QSettings ini(path, QSettings::IniFormat);
        for (auto it = values.begin(); it != values.end(); ++it)
            ini.setValue(it.key(), it.value());
        ini.sync();
        if (!folder.isValid() || ini.status() != QSettings::NoError)
            return {};
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The store's lock, "<file>.lock", held with flock and removed once done, as Qt's own lock files are (they
// would wait half a minute on one left behind): the lock of a process that has ended is free at once. Opened
// without following a link and without waiting, and checked to be a regular file, so that nothing put under
// that name (a pipe, a link to a device, a folder) can block or feed the program.
class StoreLock
{
public:
    ~StoreLock()
    {
        if (m_fd < 0)
            return;
        ::unlink(m_path.constData()); // while still held: whoever opens the name next makes a new lock
        ::close(m_fd);
    }

    bool take(const QString& path, std::chrono::milliseconds limit, QString* error)
    {
        m_path = QFile::encodeName(path);
        const QDeadlineTimer deadline(limit);
        for (;;) {
            const int fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0600);
            struct stat held, named;
            if (fd < 0 || ::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
                const int code = errno;
                if (fd >= 0)
                    ::close(fd);
                *error = QStringLiteral("son verrou %1 ").arg(path) +
                         (fd >= 0 || code == ELOOP || code == EISDIR
                              ? QStringLiteral("n'est pas un fichier ordinaire")
                              : QStringLiteral("ne s'ouvre pas : ") + frenchReason(code));
                return false;
            }
            int locked;
            while ((locked = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && (errno == EWOULDBLOCK || errno == EINTR) &&
                   !deadline.hasExpired())
                QThread::msleep(20);
            // The lock is good only on the file that still has the name: its holder may have removed it.
            if (locked == 0 && ::lstat(m_path.constData(), &named) == 0 && named.st_dev == held.st_dev &&
                named.st_ino == held.st_ino) {
                m_fd = fd;
                return true;
            }
            ::close(fd);
            if (locked != 0 || deadline.hasExpired()) {
                *error = QStringLiteral("il est verrouillé par un autre programme");
                return false;
            }
        }
    }

private:
    QByteArray m_path;
    int m_fd = -1;
};

} // namespace

SettingsStore::SettingsStore(const QString& path) : m_path(path)
{
    const FileRead file = readRegularFile(path, kMaxBytes);
    if (file.status == ReadStatus::Unreadable)
        m_problem = unreadSettingsText(path, file.error);
    else if (file.tooLarge)
        m_problem = tooLargeFileText(path, kMaxBytes);
    m_values = parseIni(file.bytes);
}

QVariant SettingsStore::value(const QString& key, const QVariant& fallback) const
{
    return m_values.value(kGroup + u'/' + key, fallback);
}

void SettingsStore::readHours(DayHours& hours) const
{
    if (const auto day = readStoredHour(value(QStringLiteral("HJ"), QStringLiteral("8")).toString()))
        hours.day = *day;
    if (const auto night = readStoredHour(value(QStringLiteral("HN"), QStringLiteral("20")).toString()))
        hours.night = *night;
}

StoredMarks SettingsStore::readMarks() const
{
    StoredMarks marks;
    for (int row = 1; row <= kCityRows; ++row) {
        const QVariant mark = value(markKey(row), QStringLiteral("F"));
        // Only a plain text "T" marks the row; a list or any other type does not.
        marks.byRow[row] = mark.typeId() == QMetaType::QString && mark.toString() == QLatin1String("T");
    }
    marks.listFingerprint = value(QStringLiteral("Liste")).toString().toLatin1();
    for (const QString& text : value(QStringLiteral("Reperes")).toStringList()) {
        const QStringList fields = text.split(u'\t');
        if (fields.size() == 3)
            marks.cities.append({fields[0], fields[1], fields[2]});
    }
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

QString SettingsStore::readOfficeHours() const
{
    return value(QStringLiteral("Bureau")).toString().left(64);
}

void SettingsStore::writeOfficeHours(const QString& text)
{
    write(QStringLiteral("Bureau"), text);
}

std::optional<QPoint> SettingsStore::readWindowPlace() const
{
    // Written by hand without quotes, "x,y" is read back as a list of two texts.
    const QVariant stored = value(QStringLiteral("Fenetre"));
    const QStringList parts =
        stored.typeId() == QMetaType::QStringList ? stored.toStringList() : stored.toString().split(u',');
    if (parts.size() != 2)
        return std::nullopt;
    bool xRead = false, yRead = false;
    const int x = parts[0].trimmed().toInt(&xRead), y = parts[1].trimmed().toInt(&yRead);
    constexpr int kFarthest = 1000000;
    if (!xRead || !yRead || qAbs(x) > kFarthest || qAbs(y) > kFarthest)
        return std::nullopt;
    return QPoint(x, y);
}

bool SettingsStore::readAlwaysOnTop() const
{
    return value(QStringLiteral("PremierPlan")).toString() == QLatin1String("T");
}

void SettingsStore::writeWindowPlace(const QPoint& place)
{
    write(QStringLiteral("Fenetre"), QStringLiteral("%1,%2").arg(place.x()).arg(place.y()));
}

void SettingsStore::writeAlwaysOnTop(bool onTop)
{
    write(QStringLiteral("PremierPlan"), onTop ? QStringLiteral("T") : QStringLiteral("F"));
}

bool SettingsStore::readSunFaces() const
{
    const QVariant value = this->value(QStringLiteral("Soleil"));
    return value.typeId() == QMetaType::QString && value.toString() == QLatin1String("T");
}

void SettingsStore::writeSunFaces(bool bySun)
{
    write(QStringLiteral("Soleil"), bySun ? QStringLiteral("T") : QStringLiteral("F"));
}

std::optional<bool> SettingsStore::readHighContrast() const
{
    const QString text = value(QStringLiteral("Contraste")).toString();
    if (text == QLatin1String("T") || text == QLatin1String("F"))
        return text == QLatin1String("T");
    return std::nullopt;
}

void SettingsStore::writeHighContrast(bool high)
{
    write(QStringLiteral("Contraste"), high ? QStringLiteral("T") : QStringLiteral("F"));
}

void SettingsStore::write(const QString& key, const QVariant& value)
{
    m_written.append({kGroup + u'/' + key, value});
}

bool SettingsStore::sync(std::chrono::milliseconds limit)
{
    m_error.clear();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    StoreLock lock;
    if (!lock.take(m_path + QStringLiteral(".lock"), limit, &m_error))
        return false;
    // Read again under the lock: what another copy wrote since this one read stays.
    const FileRead current = readRegularFile(m_path, kMaxBytes);
    struct stat info;
    if (current.status == ReadStatus::Unreadable && ::stat(QFile::encodeName(m_path).constData(), &info) == 0 &&
        S_ISREG(info.st_mode)) {
        // A file of settings the program may not read is not replaced by what little it knows.
        m_error = current.error;
        return false;
    }
    if (current.tooLarge) {
        // What lies past the part read would be lost: the file is left as it is until the user makes it smaller.
        m_error = tooLargeToReplaceReason(kMaxBytes);
        return false;
    }
    QVariantMap values = parseIni(current.bytes);
    for (const auto& [key, written] : std::as_const(m_written))
        values.insert(key, written);
    const QByteArray bytes = makeIni(values);
    if (bytes.isEmpty() && !values.isEmpty()) {
        m_error = QStringLiteral("le dossier temporaire n'a pas pu servir");
        return false;
    }
    removeLeftoverTemporaryFiles(m_path);
    if (!writeWholeFile(m_path, bytes, &m_error))
        return false;
    m_values = values;
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

void removeLeftoverSettingsFolders(const QString& folder)
{
    static const QRegularExpression leftover(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(kScratchPrefix) + QStringLiteral("([0-9]+)-[A-Za-z0-9]{6}")));
    const QDateTime anHourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    for (const QString& name : QDir(folder).entryList({kScratchPrefix + u'*'}, QDir::Dirs | QDir::Hidden)) {
        const QRegularExpressionMatch match = leftover.match(name);
        if (!match.hasMatch())
            continue;
        const QString path = QDir(folder).filePath(name);
        struct stat info;
        // Only a real folder of the user's own; one of a process still running stays, unless it is old.
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            info.st_uid != ::geteuid())
            continue;
        const pid_t owner = pid_t(match.captured(1).toLongLong());
        const bool ended = owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH;
        if (ended || QFileInfo(path).lastModified().toUTC() < anHourAgo)
            QDir(path).removeRecursively();
    }
}
