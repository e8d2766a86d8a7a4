#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <array>
#include <optional>

#include "rows/clockrow.h"

// Working hours across the zones: when a marked city is at work.

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
// The hours kept in the settings: the default ones for a text that is no pair of hours, or whose two hours
// are equal (no working time at all, which the user is never let to choose).
WorkHours storedWorkHours(const QString& text);

// The working days of a country, from the locale data (Friday and Saturday off where that is the custom);
// Monday to Friday for a city of no known country. Index 1 (Monday) to 7 (Sunday).
using WorkingDays = std::array<bool, 8>;
WorkingDays workingDays(QLocale::Territory territory);
// A city's working days: those of its zone's country, Monday to Friday for a city without a zone.
WorkingDays workingDays(const ClockRow& row);
// Whether a city is at work on the day of the week `weekday` (1, Monday, to 7), `minutes` past its midnight.
// Overnight hours count the morning with the working day before it.
bool isAtWorkOn(const WorkingDays& days, int weekday, int minutes, const WorkHours& hours);
// Whether a city whose clock reads `cityTime` is at work then.
bool isAtWork(const WorkingDays& days, const QDateTime& cityTime, const WorkHours& hours);
