#include "safefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "reasons.h"

namespace {

const QString kNotARegularFile = QStringLiteral("ce n'est pas un fichier ordinaire");
const QString kAFolder = QStringLiteral("c'est un dossier");

QString kindReason(mode_t mode)
{
    return S_ISDIR(mode) ? kAFolder : kNotARegularFile;
}

// Closes a descriptor however the function that opened it ends.
struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool readAll(int fd, char* data, qint64 size, qint64* read)
{
    *read = 0;
    while (*read < size) {
        const ssize_t got = ::read(fd, data + *read, size_t(size - *read));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break; // the file is shorter than it was
        *read += got;
    }
    return true;
}

bool writeAt(int fd, const char* data, qint64 size, qint64 offset)
{
    qint64 written = 0;
    while (written < size) {
        const ssize_t put = ::pwrite(fd, data + written, size_t(size - written), offset + written);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        written += put;
    }
    return true;
}

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// The new bytes written over the old ones, for a folder that takes no new file. Nothing is begun that the
// system's file size limit or the free space would cut short; should the write fail all the same, the old
// bytes it covered and the old length are put back, so the file is never left shorter or mixed.
bool writeInPlace(const QString& path, const QByteArray& bytes, QString* error)
{
    const Descriptor file{::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return fail(error, frenchReason(errno));
    struct stat info;
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return fail(error, kNotARegularFile);
    const qint64 newSize = bytes.size(), oldSize = info.st_size;
    struct rlimit limit;
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && rlim_t(newSize) > limit.rlim_cur)
        return fail(error, frenchReason(EFBIG));
    struct statvfs disk;
    const qint64 growth = newSize - qint64(info.st_blocks) * 512;
    if (growth > 0 && ::fstatvfs(file.fd, &disk) == 0) {
        const qint64 blocks = ::geteuid() == 0 ? qint64(disk.f_bfree) : qint64(disk.f_bavail);
        if (blocks * qint64(disk.f_frsize) < growth)
            return fail(error, frenchReason(ENOSPC));
    }
    QByteArray covered(std::min(oldSize, newSize), Qt::Uninitialized);
    qint64 read = 0;
    if (!readAll(file.fd, covered.data(), covered.size(), &read))
        return fail(error, frenchReason(errno));
    covered.truncate(read);

    if (!writeAt(file.fd, bytes.constData(), newSize, 0) || (newSize < oldSize && ::ftruncate(file.fd, newSize) != 0) ||
        ::fsync(file.fd) != 0) {
        const int code = errno ? errno : EIO;
        if (writeAt(file.fd, covered.constData(), covered.size(), 0))
            (void)::ftruncate(file.fd, oldSize);
        return fail(error, frenchReason(code));
    }
    return true;
}

} // namespace

FileRead readRegularFile(const QString& path, qint64 limit)
{
    FileRead result;
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0) {
        const int code = errno;
        struct stat link;
        if (code != ENOENT || ::lstat(name.constData(), &link) == 0) {
            // A link that leads nowhere, a loop of links, a folder that cannot be searched.
            result.status = ReadStatus::Unreadable;
            result.error = frenchReason(code);
        }
        return result;
    }
    result.status = ReadStatus::Unreadable;
    // Looked at before opening: opening a device may already do something.
    if (!S_ISREG(info.st_mode)) {
        result.error = kindReason(info.st_mode);
        return result;
    }
    // Opened without waiting and looked at again: the name may lead elsewhere by now.
    const Descriptor file{::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        result.error = frenchReason(errno);
        return result;
    }
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = kNotARegularFile;
        return result;
    }
    result.tooLarge = info.st_size > limit;
    // No more set aside than the file holds.
    QByteArray bytes(std::min<qint64>(info.st_size, limit), Qt::Uninitialized);
    qint64 read = 0;
    if (!readAll(file.fd, bytes.data(), bytes.size(), &read)) {
        result.error = frenchReason(errno);
        return result;
    }
    bytes.truncate(read);
    if (result.tooLarge) {
        const qsizetype lineEnd = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(lineEnd + 1);
    }
    result.status = ReadStatus::Read;
    result.bytes = bytes;
    return result;
}

namespace {

// The bytes in place of the regular file at `path` (or a new one), through a temporary file beside it, or in
// place where the folder takes no new file.
bool replaceRegularFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // A folder that refuses the temporary file, around a file that can be written: in place, or the list
        // could never be saved there.
        const QString existing = QFileInfo(path).canonicalFilePath();
        if (!existing.isEmpty() &&
            ::access(QFile::encodeName(QFileInfo(existing).absolutePath()).constData(), W_OK) != 0 &&
            ::access(QFile::encodeName(existing).constData(), W_OK) == 0)
            return writeInPlace(existing, bytes, error);
        return fail(error, frenchReason(file.errorString(), path));
    }
    // Flushed before committing: a write cut short (a full disk) must never replace the previous file, and
    // commit() alone does not always notice.
    errno = 0;
    const bool complete = file.write(bytes) == bytes.size() && file.flush();
    const int writeCode = errno;
    if (!complete || !file.commit()) {
        // Qt may give no reason for a write cut short; the system's is still at hand.
        const QString reason = writeCode && file.error() == QFileDevice::WriteError
                                   ? frenchReason(writeCode)
                                   : frenchReason(file.errorString(), path);
        file.cancelWriting();
        return fail(error, reason);
    }
    return true;
}

} // namespace

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat target, own;
    const bool reached = ::stat(name.constData(), &target) == 0;
    const int code = errno;
    if (reached && S_ISDIR(target.st_mode))
        return fail(error, kAFolder);
    // Written through, a pipe or a device would never hold the list: the name itself is replaced.
    if ((reached && !S_ISREG(target.st_mode)) || (!reached && code == ELOOP)) {
        if (::lstat(name.constData(), &own) == 0 && ::unlink(name.constData()) != 0)
            return fail(error, frenchReason(errno));
    }
    return replaceRegularFile(path, bytes, error);
}

void removeLeftoverTemporaryFiles(const QString& path)
{
    // QSaveFile writes "<name>.XXXXXX" beside the file; one an hour old belongs to no save still running.
    const QFileInfo target(path);
    const QRegularExpression own(QRegularExpression::anchoredPattern(QRegularExpression::escape(target.fileName()) +
                                                                     QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDateTime anHourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    for (const QFileInfo& file : target.dir().entryInfoList({target.fileName() + QStringLiteral(".*")}, QDir::Files)) {
        if (own.match(file.fileName()).hasMatch() && !file.isSymLink() && file.ownerId() == ::getuid() &&
            file.lastModified().toUTC() < anHourAgo)
            QFile::remove(file.absoluteFilePath());
    }
}

namespace {

QString userName(uid_t uid)
{
    struct passwd entry, *found = nullptr;
    char buffer[1024];
    if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QStringLiteral("n° %1").arg(uid);
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return kAFolder;
    if (S_ISFIFO(mode))
        return QStringLiteral("c'est un tube nommé");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("c'est un périphérique");
    if (S_ISSOCK(mode))
        return QStringLiteral("c'est une prise de communication (socket)");
    return kNotARegularFile;
}

// The folder part of a path, as written: "." for a bare name.
QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
}

ExportTarget refused(ExportTarget target, const QString& reason)
{
    target.refusal = QStringLiteral("L'invitation n'a pas été écrite : %1. Rien n'y a été changé ; choisissez un "
                                    "autre nom de fichier.")
                         .arg(reason);
    return target;
}

} // namespace

ExportTarget exportTarget(const QString& path)
{
    ExportTarget target;
    target.named = path;
    // Each link of the name is followed by hand, as the kernel would, so that its owner can be checked: a
    // link another user made (in /tmp) could lead the export onto any file of the user's.
    QString current = path;
    constexpr int kMostLinks = 40; // as the kernel
    for (int links = 0; links <= kMostLinks; ++links) {
        const QByteArray name = QFile::encodeName(current);
        struct stat info;
        if (::lstat(name.constData(), &info) != 0) {
            if (errno != ENOENT)
                return refused(target,
                               QStringLiteral("%1 ne peut pas être atteint (%2)").arg(current, frenchReason(errno)));
            target.file = current; // a new file, where the name (or its last link) says
            return target;
        }
        if (S_ISLNK(info.st_mode)) {
            if (info.st_uid != ::geteuid())
                return refused(target, QStringLiteral("%1 est un lien symbolique de l'utilisateur %2, et Horlune ne "
                                                      "suit que les liens qui sont les vôtres")
                                           .arg(current, userName(info.st_uid)));
            QByteArray leadsTo(PATH_MAX, Qt::Uninitialized);
            const ssize_t size = ::readlink(name.constData(), leadsTo.data(), size_t(leadsTo.size()));
            if (size <= 0 || size >= leadsTo.size())
                return refused(target, QStringLiteral("le lien %1 ne peut pas être lu").arg(current));
            leadsTo.truncate(size);
            const QString next = QFile::decodeName(leadsTo);
            // The folders on the way are left to the kernel, which applies its own rules to their links.
            current = next.startsWith(u'/') ? next : folderOf(current) + u'/' + next;
            continue;
        }
        target.file = current;
        if (!S_ISREG(info.st_mode)) {
            const QString named = current == path ? current : QStringLiteral("%1 (où mène %2)").arg(current, path);
            return refused(target,
                           QStringLiteral("%1 n'est pas un fichier ordinaire (%2)").arg(named, kindOf(info.st_mode)));
        }
        target.exists = true;
        if (current != path)
            target.question = QStringLiteral("%1 est un lien vers le fichier %2 : c'est ce fichier que l'invitation "
                                             "remplacera. Le remplacer ?")
                                  .arg(path, current);
        return target;
    }
    return refused(target, QStringLiteral("%1 ne peut pas être atteint (%2)").arg(path, frenchReason(ELOOP)));
}

bool writeExport(const ExportTarget& target, const QByteArray& bytes, QString* error)
{
    // Looked at again: the name may lead elsewhere since the question.
    const ExportTarget now = exportTarget(target.named);
    if (!now.refusal.isEmpty() || now.file != target.file || now.exists != target.exists)
        return fail(error,
                    QStringLiteral("%1 a changé depuis qu'il a été choisi ; rien n'a été écrit").arg(target.named));
    return replaceRegularFile(now.file, bytes, error);
}
