#pragma once

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <array>
#include <optional>

#include "rows/clockrow.h"

// Working hours across the zones: when the marked cities are at work, and the quarter hours when they all are.

// The hours a city is at work on its working days, in minutes from midnight: 9.00 to 18.00 unless the user
// says otherwise. An end before the start runs overnight (18 to 9: from 18.00 to 9.00 the next morning, the
// evening belonging to a working day); equal hours are no working time at all.
struct WorkHours
{
    int start = 9 * 60;
    int end = 18 * 60;
    friend bool operator==(const WorkHours&, const WorkHours&) = default;
};
// "9.00 – 18.00", as the settings keep it and the user types it; also "9-18", "8h30 - 17h30", "8:30-17:30".
std::optional<WorkHours> readWorkHours(const QString& text);
QString workHoursText(const WorkHours& hours);

// The working days of a country, from the locale data (Friday and Saturday off where that is the custom);
// Monday to Friday for a city of no known country. Index 1 (Monday) to 7 (Sunday).
using WorkingDays = std::array<bool, 8>;
WorkingDays workingDays(QLocale::Territory territory);

// One city as the search sees it: its name, its working days, and its offset from Universal Time along the
// days searched, as the grid would give it at each instant (its zone, or the program's season rule by the
// computer's date).
struct PlanCity
{
    QString name;
    WorkingDays days{};
    QList<qint64> changesAt;   // seconds since the epoch (UTC) where the offset changes, ascending
    QList<int> offsetsSeconds; // the offset before the first change, then after each
    int offsetAt(qint64 utcSeconds) const;
};
// The city of `row` between `from` and `to` (UTC), with `computerOffset` for a city without a zone.
PlanCity planCity(const ClockRow& row, const QDateTime& from, const QDateTime& to, float computerOffset);

// Whether the city is at work at that instant (seconds since the epoch, UTC).
bool isAtWork(const PlanCity& city, qint64 utcSeconds, const WorkHours& hours);

// What the search found.
struct CommonHour
{
    bool found = false;
    QDateTime start, end; // UTC: the slot every city is at work in (found), or the best quarter hour
    int atWork = 0;       // cities at work at `start`
    QString apart;        // when none is found: a city that is never at work with all the others
};
// From `from` (excluded) towards `direction` (+1 forward, -1 back), at quarter hours of Universal Time, up to
// `limit` (included): the first quarter at which every city is at work, and how long that lasts. Forward from
// the start of a slot (where the last search left the clocks), the next slot. With none, the quarter with the
// most cities at work, the first one met.
CommonHour findCommonHour(const QList<PlanCity>& cities, const QDateTime& from, int direction, const QDateTime& limit,
                          const WorkHours& hours);
