#pragma once

#include <QList>
#include <QString>

#include "data/citycount.h"

class QIODevice;

// One city of the file: its name and its two offsets from Universal Time, all three as text.
struct CityRecord
{
    QString name;
    QString summer;
    QString winter;
    friend bool operator==(const CityRecord&, const CityRecord&) = default;
};

// The longest field kept; the rest of a longer field is read past and dropped, so that a damaged file of
// any size costs little memory.
inline constexpr qsizetype kMaxFieldBytes = 64 * 1024;

// Reads the fields of the city file one after another, wherever its line ends fall.
class CityFieldReader
{
public:
    explicit CityFieldReader(QIODevice& device);

    // Reads the next field into `field`; false, leaving `field` as it was, when the file has ended.
    bool readField(QString& field);

    // Reads the next three fields into the record; each field read replaces the one held, so a record cut
    // short by the end of the file keeps the values of the record before. False when a field was missing.
    bool readRecord(CityRecord& record);

private:
    int peek();
    int get();

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_position = 0;
    bool m_atLineStart = true;
    bool m_afterComma = false;
};

enum class CityFileStatus
{
    Read,
    Missing,
    Unreadable
};

struct CityFileRow
{
    CityRecord record;
    bool complete = false; // all three fields were read from the file for this row
};

struct CityFileContents
{
    CityFileStatus status = CityFileStatus::Missing;
    QString error;           // the system's reason, when unreadable
    QList<CityFileRow> rows; // kCityRows rows once read; past the end of the file, copies of the last
};

QString cityFilePath(const QString& programDirectory);

// Reads the first kCityRows records of the file; records after them are never read.
CityFileContents readCityFile(const QString& path);

// The title and text of the message that says why the file was not read (missing or unreadable).
QString unreadCityFileTitle(CityFileStatus status);
QString unreadCityFileText(const QString& programDirectory, const CityFileContents& contents);

// A text as it is written into the file: unchanged when the reader gets it back as it is, otherwise as a
// quoted field. A double quote cannot stand inside a quoted field: there it becomes a typographic quote.
QString cityFileField(const QString& text);

// The bytes of the file: one line per record, "name,summer,winter" then CR LF, in Windows-1252.
QByteArray encodeCityFile(const QList<CityRecord>& records);

// Writes a whole file through a temporary one, or leaves the previous file untouched; on failure `error`
// says why.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error);

// Writes the whole file, or leaves the previous one untouched; on failure `error` says why.
bool writeCityFile(const QString& path, const QList<CityRecord>& records, QString* error);
