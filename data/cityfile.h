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

// The longest text of a field: the reader keeps no more of a longer field, and the editor's boxes take no
// more.
inline constexpr qsizetype kMaxFieldBytes = 32767;
// The most of the file that is read: room for 59 records of the longest fields. No city list reaches it;
// of a larger file (a damaged disk, a file put in its place by mistake) only that much is read.
inline constexpr qint64 kMaxCityFileBytes = 8 * 1024 * 1024;

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
    QString error;           // the reason, in French, when unreadable
    QList<CityFileRow> rows; // kCityRows rows once read; past the end of the file, copies of the last
    bool tooLarge = false;   // only the first kMaxCityFileBytes were read
    QByteArray fingerprint;  // of the bytes read, to tell one list from another
};

// A fingerprint of a city list's bytes.
QByteArray cityFileFingerprint(const QByteArray& bytes);

QString cityFilePath(const QString& folder);

// The folder of the city list the program uses: its own folder when a list is there (a build, a per-user
// install); otherwise, when it was installed for the whole system (the default list in
// <prefix>/share/horlune beside <prefix>/lib/horlune, a folder the user cannot write), the user's own
// folder $XDG_DATA_HOME/horlune, into which the default list is copied the first time it is needed.
QString cityListFolder(const QString& programDirectory);

// Reads the first kCityRows records of the file; records after them are never read. Only a regular file
// is read (a pipe or a device, under its name or through a link, is unreadable), and only its first
// kMaxCityFileBytes.
CityFileContents readCityFile(const QString& path);

// The title and text of the message that says why the file was not read (missing or unreadable).
QString unreadCityFileTitle(CityFileStatus status);
QString unreadCityFileText(const QString& cityFolder, const CityFileContents& contents);
// The message that says that only the beginning of a file too large was read.
QString tooLargeFileText(const QString& path);

// A text as the file gives it back once written: in Windows-1252 (a character it lacks becomes its plain
// form, "ō" becoming "o", or "?"), a double quote made typographic where the field is quoted.
QString storedText(const QString& text);
// A text as it is written into the file: unchanged when the reader gets it back as it is, otherwise as a
// quoted field.
QString cityFileField(const QString& text);

// The texts that a save would change, each once: "Tōkyō" and "Tokyo". Accents typed as separate marks
// that have a composed form are not changes.
struct TextChange
{
    QString before;
    QString after;
    friend bool operator==(const TextChange&, const TextChange&) = default;
};
QList<TextChange> changesOnSaving(const QList<CityRecord>& records);

// The bytes of the file: one line per record, "name,summer,winter" then CR LF, in Windows-1252.
QByteArray encodeCityFile(const QList<CityRecord>& records);

// Removes the temporary files that saves of `path` cut short left beside it, once an hour old.
void removeLeftoverTemporaryFiles(const QString& path);

// Writes a whole file through a temporary one, or leaves the previous file untouched; on failure `error`
// says why.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error);

// Writes the whole file, or leaves the previous one untouched; on failure `error` says why.
bool writeCityFile(const QString& path, const QList<CityRecord>& records, QString* error);
