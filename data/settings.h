#pragma once

#include <QSettings>
#include <QString>
#include <array>

#include "data/citycount.h"

// Marked rows by display row; only the city rows 1 to kCityRows are ever marked.
using RowMarks = std::array<bool, kRows>;

// The hours at which day and night begin.
struct DayHours
{
    qint16 day = 0;
    qint16 night = 0;
};

// The user's preferences: the day and night hours and the marked city rows. Kept in the platform's native
// settings store under organization = application = the executable's base name, in the group "data"
// (keys "HJ", "HN", "P1" to "P59").
class SettingsStore
{
public:
    explicit SettingsStore(const QString& applicationName);

    // The executable's file name without folder and extension.
    static QString applicationNameFromExecutable();

    // Reads "HJ" (default 8) and "HN" (default 20); a value that is no number or does not fit in 16 bits
    // leaves the hour as it was.
    void readHours(DayHours& hours) const;
    // Row i is marked exactly when "P<i>" holds the one-letter text "T".
    RowMarks readMarks() const;

    // Writes "P1" to "P59" as "T" or "F".
    void writeMarks(const RowMarks& marks);
    // Writes "HN" and then "HJ".
    void writeHours(const DayHours& hours);

    // Flushes to disk; false when the store could not be written.
    bool sync();
    QString fileName() const { return m_settings.fileName(); }

private:
    mutable QSettings m_settings;
};
