#pragma once

#include <QByteArray>
#include <QString>

// How the program reads and writes its files: it reads only a regular file, and only its beginning when it
// is much larger than any file of the program, without ever waiting on a pipe or a device; it replaces a
// file whole, or leaves it as it was.

enum class ReadStatus
{
    Read,
    Missing,
    Unreadable
};

struct FileRead
{
    ReadStatus status = ReadStatus::Missing;
    QByteArray bytes;
    QString error;         // why it could not be read, in French
    bool tooLarge = false; // only its beginning was read
};

// Reads the file at `path` (through links) when it is a regular file, at most `limit` bytes. Of a larger file
// the bytes read end at the last line end within the limit, so that a line cut by the limit is not taken for
// a whole one. A pipe, a device or a folder is unreadable and never opened so that it could block.
FileRead readRegularFile(const QString& path, qint64 limit);

// Replaces the file at `path` (the file a link leads to) with `bytes`, through a temporary file beside it:
// a reader sees the old file or the new one, never a part. A folder that refuses the temporary file gets the
// new bytes in place, once it is sure they fit (the system's file size limit, the free space); should the
// write still fail, the old bytes are put back. A name that is no regular file (a pipe, a link to a device
// or a loop of links) is replaced by a regular file. On failure `error` says why, in French.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error);

// Removes the temporary files that writes of `path` cut short left beside it, once an hour old.
void removeLeftoverTemporaryFiles(const QString& path);
