#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "data/settings.h"
#include "plan/commonhour.h"
#include "plan/workhours.h"
#include "rows/clockrow.h"

class QLocale;

// The week at a glance: seven days of the computer's clock from the day of the instant shown and, for the
// computer ("ici") and each marked city, every quarter hour at work, free or by night, on a working day or
// not; the quarters at which every marked city is at work; the changes of offset where they fall. It is made
// when asked for, from the table of quarters the search for a common hour counts in (WorkQuarters), so that
// the week and the steps say the same of every quarter.

// Whether it is dark in a place at an instant (seconds since the epoch, UTC).
using DarkRule = std::function<bool(qint64 utcSeconds)>;
// Dark by the day and night hours of the settings, on the place's own clock, as the faces are: day from the
// hour `hours.day` until the hour `hours.night` (isDayHour).
DarkRule darkByHours(const PlanCity& city, const DayHours& hours);

// A place of the week: its name, working days and offsets along the week, and what makes it dark there (the
// day and night hours when no rule is given: a rule by the sun at the place can be given instead).
struct WeekPlace
{
    PlanCity city;
    DarkRule dark;
};

// A computer's wall clock at an instant of Universal Time: a plain date and time held as Qt::UTC, as
// Clock::localAt gives it.
using WallClock = std::function<QDateTime(const QDateTime& universal)>;

// What a week is made from.
struct WeekRequest
{
    QDateTime shown;         // UTC: the instant the clocks show; the week begins at the computer's midnight before it
    QList<WeekPlace> cities; // the marked cities, in the grid's order
    WeekPlace here;          // the computer ("ici"): its offsets are its wall clock's, and its days are the week's
    WorkHours work;
    DayHours dayHours;
    // UTC: the instants the clocks may show (a week either way from now); none: as far as the week goes.
    QDateTime earliest, latest;
};

// The computer as a place of the week: its offsets between `from` and `to` as its wall clock gives them, read
// every hour and to the quarter hour where they change (a change of summer time falls on a quarter hour of
// Universal Time).
PlanCity wallClockCity(const QString& name, const WorkingDays& days, const WallClock& wallClock, const QDateTime& from,
                       const QDateTime& to);

// The request for the rows of the grid at the instant `shown`: every marked row that shows a time (rows 1 on),
// with its offsets along the week as the search for a common hour has them (planCity, with `computerOffset`
// for a city without a zone), and the computer, named "ici", whose wall clock is `wallClock` and whose
// working days are `hereDays`. Night by the day and night hours everywhere; the limits are left to the caller.
WeekRequest weekRequest(const QList<ClockRow>& rows, const QDateTime& shown, float computerOffset,
                        const WorkHours& work, const DayHours& dayHours, const WallClock& wallClock,
                        const WorkingDays& hereDays);

// What a quarter hour is for a place (flags).
enum QuarterFlag : quint8
{
    AtWork = 1, // by isAtWork
    Dark = 2,   // by the place's dark rule
    DayOff = 4, // not a working day by the place's clock (a weekend)
};

// A change of a place's offset within the week.
struct WeekChange
{
    int strip = 0;    // whose (Week::strips)
    qint64 at = 0;    // UTC seconds
    int quarter = 0;  // the quarter it falls in
    int seconds = 0;  // the offset after less the offset before
    QDateTime before; // the place's clock just before it
};

// A day of the computer's clock.
struct WeekDay
{
    QDate date;
    int first = 0;      // its first quarter
    int quarters = 0;   // 96, or 92 and 100 on the days the computer changes its summer time
    QList<int> changes; // the changes of offset that fall on it (indexes into Week::changes)
};

// One strip: a place and its quarters.
struct WeekStrip
{
    PlanCity city;
    QList<quint8> flags; // QuarterFlag by quarter
};

struct Week
{
    qint64 first = 0; // UTC seconds: the start of quarter 0, the computer's midnight on the day shown
    int quarters = 0;
    qint64 shown = 0;        // UTC seconds: the instant the clocks show
    int shownQuarter = 0;    // the quarter it falls in
    int earliestQuarter = 0; // the quarters the clocks may show, within the week
    int latestQuarter = 0;
    WorkHours work;
    QList<WeekDay> days;       // seven
    QList<WeekStrip> strips;   // the computer first, then the marked cities
    QList<PlanCity> marked;    // the marked cities, as the search for a common hour takes them
    QList<bool> common;        // every marked city at work, by quarter (WorkQuarters::everyone)
    QList<int> atWork;         // how many marked cities are at work, by quarter
    int most = 0;              // the most marked cities at work together at any quarter
    QList<WeekChange> changes; // in the order of time

    qint64 start(int quarter) const { return first + quarter * kQuarterSeconds; }
    // The quarter an instant falls in; -1 outside the week.
    int quarterAt(qint64 utcSeconds) const;
    // The day a quarter belongs to.
    int dayOf(int quarter) const;
    // The computer's wall clock at the start of a quarter.
    QDateTime hereAt(int quarter) const;
    // The quarters at which a common slot begins, in order.
    QList<int> slotStarts() const;
};

// The week from the instant shown. Nothing of it is kept between two requests.
Week planWeek(const WeekRequest& request);

// What the week says, in French.
// "Semaine du jeudi 10 décembre au mercredi 16 décembre".
QString weekTitle(const Week& week, const QLocale& locale);
// "3 créneaux communs", "1 créneau commun", or when there is none "Aucun créneau commun : au mieux 2 villes sur
// 3 au bureau ensemble" ("aucune ville au bureau" when nobody ever is).
QString slotSummary(const Week& week);

// A quarter as the view's line, its tooltip and screen readers say it.
struct QuarterTexts
{
    QString when;       // "jeudi 10 décembre, 15.00 ici"
    QString state;      // "créneau commun", "2 villes sur 3 au bureau"
    QStringList places; // "ici : 15.00, au bureau", "Tokyo : 23.00, hors des heures de bureau, nuit"...
    QString heading() const { return when + QStringLiteral(" — ") + state; }
    // The heading, then each place on a line of its own.
    QString whole() const { return heading() + QLatin1Char('\n') + places.join(QLatin1Char('\n')); }
};
// A place's clock is written "HH.mm", with its day where it is not the computer's ("Auckland : vendredi
// 03.00, ..."); at work "au bureau" ("au bureau, nuit" by night), otherwise "week-end" on a day off and
// "hors des heures de bureau" on a working day, then ", nuit" where it is dark.
QuarterTexts quarterTexts(const Week& week, int quarter, const QLocale& locale);
// "Paris : passe à l'heure d'hiver dimanche 25 octobre à 03.00 : −1 h".
QString weekChangeText(const Week& week, const WeekChange& change, const QLocale& locale);
