#pragma once

#include <QSettings>
#include <QString>
#include <array>

// Marked flags by display row 0 to 60; only rows 1 to 59 are ever set.
using RowFlags = std::array<bool, 61>;

// The user's preferences: hours at which day and night begin, and the marked city rows. Kept in the
// platform's native settings store under organization = application = the executable's base name, in the
// group "data" (keys "HJ", "HN", "P1" to "P59").
class SettingsStore
{
public:
    explicit SettingsStore(const QString& applicationName);

    // The executable's file name without folder and extension.
    static QString applicationNameFromExecutable();

    // Reads "HJ" (default 8) and "HN" (default 20); a value that is no number or does not fit in 16 bits
    // leaves the variable as it was.
    void readHours(qint16& dayHour, qint16& nightHour) const;

    // Row i is marked exactly when "P<i>" holds the one-letter text "T".
    RowFlags readMarks() const;

    // Writes "P1" to "P59" as "T" or "F".
    void writeMarks(const RowFlags& marks);

    // Writes "HN" and then "HJ".
    void writeHours(qint16 nightHour, qint16 dayHour);

    // Flushes to disk; false when the store could not be written.
    bool sync();
    QString fileName() const { return m_settings.fileName(); }

    static QString markKey(int row) { return QStringLiteral("P") + QString::number(row); }

private:
    mutable QSettings m_settings;
};
