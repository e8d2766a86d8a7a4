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

// A city's clock at an instant: the day of the week (1, Monday, to 7) and the minutes past its midnight.
struct CityClock
{
    int weekday = 1;
    int minutes = 0;
};
CityClock cityClockAt(const PlanCity& city, qint64 utcSeconds);

// Whether the city is at work at that instant (seconds since the epoch, UTC): the one rule of the search for
// a common hour and of the week, by the city's clock then (isAtWorkOn).
bool isAtWork(const PlanCity& city, qint64 utcSeconds, const WorkHours& hours);

// The quarter hours of Universal Time (at :00, :15, :30 and :45) and the quarter an instant falls in.
inline constexpr qint64 kQuarterSeconds = 15 * 60;
qint64 quarterStart(qint64 utcSeconds);

// Who is at work at each of `quarters` quarter hours from `first` (the start of a quarter, seconds since the
// epoch, UTC), by isAtWork: the table the search for a common hour counts in and the week is drawn from, so
// that both say the same of every quarter.
class WorkQuarters
{
public:
    WorkQuarters(const QList<PlanCity>& cities, qint64 first, int quarters, const WorkHours& hours);
    int size() const { return m_quarters; }
    qint64 start(int quarter) const { return m_first + quarter * kQuarterSeconds; }
    bool atWork(int quarter, int city) const { return m_atWork[quarter * m_cities + city]; }
    int count(int quarter) const { return m_counts[quarter]; }
    // Every city at work then: a quarter of a common slot.
    bool everyone(int quarter) const { return m_cities > 0 && m_counts[quarter] == m_cities; }

private:
    qint64 m_first = 0;
    int m_quarters = 0;
    int m_cities = 0;
    QList<bool> m_atWork; // by quarter, then city
    QList<int> m_counts;
};

// What the search found.
struct CommonHour
{
    enum Kind
    {
        Slot,           // a slot in which every city is at work begins within the week
        Best,           // none: the clocks go where the most cities are at work together
        NoOtherSlot,    // forward from inside a slot, no other one begins before the limit
        NobodyAtWork,   // no city is at work at any quarter searched
        NothingFurther, // the clocks are at the limit already
    };
    Kind kind = NothingFurther;
    QDateTime start, end; // UTC: the slot (Slot), or the first quarter of the best stretch (Best)
    int atWork = 0;       // cities at work at `start`; the most at any quarter searched
    QString apart;        // Best, all cities but one at work there: the one most often away, never with the others
    int direction = 1;
    bool wholeWeek = true; // the search ran over the whole week the clocks may show that way
    // The clocks go to `start`; otherwise the line says why they stay.
    bool moves() const { return kind == Slot || kind == Best; }
};
// From `from` (excluded) towards `direction` (+1 forward, -1 back), at quarter hours of Universal Time, up to
// `limit` (included): the first slot to begin in which every city is at work, and how long it lasts. A slot
// already begun at `from` is not the next one (going back, its start is the previous one), so that each press
// goes from slot to slot. With none, the first stretch at which the most cities are at work together.
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
// quarter, and when; "dans la semaine", or up to the limit (`localLimit`: "d'ici jeudi 17 décembre") when the
// search ran over less. Then why the clocks stay: no other slot, nobody at work, the week's end.
LineTexts commonHourTexts(const CommonHour& common, int cities, const QDateTime& localStart, const QDateTime& localEnd,
                          const QDateTime& localLimit, const QLocale& locale);
// Fewer than two cities marked: ticking them in the panel.
LineTexts tooFewCitiesTexts();
