#include "safefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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
