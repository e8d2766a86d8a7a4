#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "data/citycount.h"
#include "data/safefile.h"

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
    // The texts read so far that were longer than kMaxFieldBytes, as kept.
    const QStringList& cutTexts() const { return m_cutTexts; }

private:
    int peek();
    int get();

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_position = 0;
    bool m_atLineStart = true;
    bool m_afterComma = false;
    QStringList m_cutTexts;
};

struct CityFileRow
{
    CityRecord record;
    bool complete = false; // all three fields were read from the file for this row
};

struct CityFileContents
{
    ReadStatus status = ReadStatus::Missing;
    QString error;           // the reason, in French, when unreadable
    QList<CityFileRow> rows; // kCityRows rows once read; past the end of the file, copies of the last
    bool tooLarge = false;   // only the first kMaxCityFileBytes were read
    QByteArray fingerprint;  // of the bytes read, to tell one list from another
    QStringList cutTexts;    // texts longer than kMaxFieldBytes, as kept: their beginning
};

// A fingerprint of a city list's bytes.
QByteArray cityFileFingerprint(const QByteArray& bytes);

// Reads the first kCityRows records of the file; records after them are never read. Only a regular file
// is read, and only its first kMaxCityFileBytes (readRegularFile).
CityFileContents readCityFile(const QString& path);

// A text as the file gives it back once written: in Windows-1252 (a character it lacks becomes its plain
// form, "ō" becoming "o", or "?"), no longer than kMaxFieldBytes, a double quote made typographic where the
// field is quoted.
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
