#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QVariantMap>
#include <array>
#include <chrono>
#include <optional>
#include <utility>

#include "data/citycount.h"
#include "data/cityfile.h"

// Marked rows by display row; only the city rows 1 to kCityRows are ever marked.
using RowMarks = std::array<bool, kRows>;

// The hours at which day and night begin.
struct DayHours
{
    qint16 day = 0;
    qint16 night = 0;
};

// The marks as stored: by row ("P1" to "P59"), with the list they were written for (its fingerprint,
// "Liste") and the marked cities themselves ("Reperes"), so that marks written for another order of the
// list (a save cut short between its two writes, a list edited by hand) are found again on their cities.
struct StoredMarks
{
    RowMarks byRow{};
    QByteArray listFingerprint; // empty in a store written before it was kept
    QList<CityRecord> cities;
};

// The marks for the list read: by row when they were written for it (or when the store does not say),
// otherwise on the rows that hold the marked cities.
RowMarks marksForList(const StoredMarks& stored, const CityFileContents& list);

// Removes from `folder` the scratch folders in which writes of the settings were stopped (the process killed):
// those of a process that has ended, or an hour old. The first read of the settings does it for the system's
// temporary folder.
void removeLeftoverSettingsFolders(const QString& folder);

// The user's preferences, in an INI file of their own (the platform's native settings file,
// settingsFilePath()), group "data": the day and night hours ("HJ", "HN") and the marks. The file is read
// once, whole, into memory (readRegularFile: never waiting on a pipe, a device or a lock); a save replaces
// it whole, under a lock of the program's own.
class SettingsStore
{
public:
    // Reads the file; `problem` says what was wrong with a file that could not be read whole.
    explicit SettingsStore(const QString& path);

    static constexpr qint64 kMaxBytes = 1024 * 1024;

    // What to tell the user of a file that could not be read whole, in French; empty when it could.
    QString problem() const { return m_problem; }

    // Reads "HJ" (default 8) and "HN" (default 20); a value that is no number or does not fit in 16 bits
    // leaves the hour as it was.
    void readHours(DayHours& hours) const;
    // Row i is marked exactly when "P<i>" holds the one-letter text "T".
    StoredMarks readMarks() const;

    // Writes "P1" to "P59" as "T" or "F", and the list they belong to.
    void writeMarks(const RowMarks& marks, const QList<CityRecord>& list, const QByteArray& listFingerprint);
    // Writes "HN" and then "HJ".
    void writeHours(const DayHours& hours);

    // Where the user left the window ("Fenetre": "x,y" in logical pixels of the desktop) and whether it stays
    // above the others ("PremierPlan", "T" or "F"). No place when the text is not two whole numbers within a
    // million pixels.
    // The working hours of the marked cities as the user wrote them ("Bureau", "9.00 – 18.00"); empty when
    // never set.
    QString readOfficeHours() const;
    void writeOfficeHours(const QString& text);
    std::optional<QPoint> readWindowPlace() const;
    bool readAlwaysOnTop() const;
    void writeWindowPlace(const QPoint& place);
    void writeAlwaysOnTop(bool onTop);
    // Whether the faces are light and dark by the sun ("Soleil", "T"; anything else, or nothing: the day and
    // night hours, as designed).
    bool readSunFaces() const;
    void writeSunFaces(bool bySun);
    // The look the user chose from the menu ("Contraste": "T" the high-contrast look, "F" the design's); none
    // when never chosen, or when the text is neither.
    std::optional<bool> readHighContrast() const;
    void writeHighContrast(bool high);

    // Writes to disk: takes the store's lock, waiting at most `limit` for another writer, reads the file
    // again so that what another copy of the program wrote meanwhile stays, and replaces it whole with that
    // and the values written here. False when the store could not be written; `error` then says why, and
    // the file is as it was. A file too large to be read whole is never replaced: its end would be lost.
    bool sync(std::chrono::milliseconds limit = std::chrono::seconds(2));
    QString error() const { return m_error; }
    QString fileName() const { return m_path; }

private:
    void write(const QString& key, const QVariant& value);
    QVariant value(const QString& key, const QVariant& fallback = {}) const;

    QString m_path;
    QString m_problem;
    QString m_error;
    QVariantMap m_values; // "group/key" to value, as read
    QList<std::pair<QString, QVariant>> m_written;
};
