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

// Where an export that the user named `path` would write. Only a regular file is replaced, or a new one made:
// a folder, a pipe, a device or a socket is refused and left as it is, and a link is followed only when it is
// the user's own (another user's link in /tmp could lead onto any of the user's files).
struct ExportTarget
{
    QString named;       // the name the user gave
    QString file;        // the file that will be written: `named`, or where its links lead
    bool exists = false; // that file is there, and will be replaced
    QString refusal;     // why nothing may be written there: the whole message, in French; empty when it may
    QString question;    // to ask first, in French, when the file replaced is not the one named; else empty
};
ExportTarget exportTarget(const QString& path);
// Writes `bytes` where `target` (which exportTarget gave) says, once sure that the name still leads there; on
// failure `error` says why, in French.
bool writeExport(const ExportTarget& target, const QByteArray& bytes, QString* error);

// Removes the temporary files that writes of `path` cut short left beside it, once an hour old.
void removeLeftoverTemporaryFiles(const QString& path);
