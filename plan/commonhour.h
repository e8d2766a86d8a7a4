#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "plan/workhours.h"
#include "rows/clockrow.h"

class QLocale;

// The quarter hours at which every marked city is at work, searched over the week the clocks may show, and
// what the shift line says of the search.

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
    QString apart;        // none found, all cities but one at work at `start`: that one, never with the others
};
// From `from` (excluded) towards `direction` (+1 forward, -1 back), at quarter hours of Universal Time, up to
// `limit` (included): the first quarter at which every city is at work, and how long that lasts. Forward from
// the start of a slot (where the last search left the clocks), the next slot. With none, the quarter with the
// most cities at work, the first one met.
CommonHour findCommonHour(const QList<PlanCity>& cities, const QDateTime& from, int direction, const QDateTime& limit,
                          const WorkHours& hours);

// What the shift line says of a search, from the whole sentence to shorter forms: the line shows the first
// form that fits, the whole sentence is its tooltip. `name`, the city named in the last form, is what may
// be shortened there when even that form does not fit.
struct LineTexts
{
    QStringList forms;
    QString name;
};
// The slot found, by the computer's wall clock at its start and end: "Créneau commun : jeudi 11 décembre,
// 15.00 – 17.30 ici (2 h 30)", then "Créneau commun : jeu. 11 déc., …", "Créneau : jeu. 11 déc., …". None
// found: the city that never meets the others where there is one, how many cities are at work at the best
// quarter, and when.
LineTexts commonHourTexts(const CommonHour& common, int cities, const QDateTime& localStart, const QDateTime& localEnd,
                          const QLocale& locale);
// Fewer than two cities marked: ticking them in the panel.
LineTexts tooFewCitiesTexts();
