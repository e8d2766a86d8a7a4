#include "commonhour.h"

#include <QLocale>
#include <QTimeZone>
#include <algorithm>

#include "rows/showninstant.h"
#include "time/timerules.h"

namespace {

constexpr qint64 kQuarter = 15 * 60;

qint64 secondsOf(const QDateTime& time)
{
    return time.toSecsSinceEpoch();
}

} // namespace

int PlanCity::offsetAt(qint64 utcSeconds) const
{
    const auto after = std::upper_bound(changesAt.begin(), changesAt.end(), utcSeconds);
    return offsetsSeconds.value(after - changesAt.begin());
}

PlanCity planCity(const ClockRow& row, const QDateTime& from, const QDateTime& to, float computerOffset)
{
    PlanCity city;
    city.name = row.name;
    const QDateTime start = from.addDays(-1), end = to.addDays(1);
    if (row.zone.isValid()) {
        city.days = workingDays(row);
        city.offsetsSeconds.append(row.zone.offsetFromUtc(start));
        for (const QTimeZone::OffsetData& change : row.zone.transitions(start, end)) {
            city.changesAt.append(secondsOf(change.atUtc));
            city.offsetsSeconds.append(change.offsetFromUtc);
        }
        return city;
    }
    // The program's season rule, by the computer's date: the offset changes at the computer's midnights
    // where the season does.
    city.days = workingDays(row);
    const int computerSeconds = qRound(computerOffset * 3600);
    const auto offsetOn = [&row](const QDate& day) {
        return qRound((isSummerTime(day) ? row.summer.hours : row.winter.hours) * 3600);
    };
    QDate day = start.addSecs(computerSeconds).date();
    city.offsetsSeconds.append(offsetOn(day));
    for (; day <= end.addSecs(computerSeconds).date(); day = day.addDays(1)) {
        const int offset = offsetOn(day.addDays(1));
        if (offset != city.offsetsSeconds.last()) {
            city.changesAt.append(QDateTime(day.addDays(1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch() - computerSeconds);
            city.offsetsSeconds.append(offset);
        }
    }
    return city;
}

bool isAtWork(const PlanCity& city, qint64 utcSeconds, const WorkHours& hours)
{
    const qint64 wall = utcSeconds + city.offsetAt(utcSeconds);
    const qint64 day = wall >= 0 ? wall / 86400 : (wall - 86399) / 86400;
    // 1970-01-01 was a Thursday (4).
    return isAtWorkOn(city.days, int(((day + 3) % 7 + 7) % 7) + 1, int((wall - day * 86400) / 60), hours);
}

CommonHour findCommonHour(const QList<PlanCity>& cities, const QDateTime& from, int direction, const QDateTime& limit,
                          const WorkHours& hours)
{
    CommonHour best;
    if (cities.isEmpty())
        return best;
    const qint64 step = direction >= 0 ? kQuarter : -kQuarter;
    const qint64 origin = secondsOf(from), last = secondsOf(limit);
    // The first quarter hour strictly past `from` in the direction asked.
    qint64 at = direction >= 0 ? (origin / kQuarter + 1) * kQuarter : ((origin - 1) / kQuarter) * kQuarter;
    if (origin <= 0)
        at = direction >= 0 ? 0 : -kQuarter;
    const auto count = [&cities, &hours](qint64 when) {
        return int(std::count_if(cities.begin(), cities.end(),
                                 [&](const PlanCity& city) { return isAtWork(city, when, hours); }));
    };
    const auto within = [&](qint64 when) { return direction >= 0 ? when <= last : when >= last; };
    // Forward from the start of a slot (where the last search left the clocks): the next slot, not the next
    // quarter of this one.
    const bool atSlotStart =
        origin % kQuarter == 0 && count(origin) == cities.size() && count(origin - kQuarter) != cities.size();
    if (direction >= 0 && atSlotStart) {
        while (within(at) && count(at) == cities.size())
            at += step;
    }
    qint64 bestAt = at;
    for (; within(at); at += step) {
        const int working = count(at);
        if (working == cities.size()) {
            // The slot runs forward from its first quarter, whichever way the search went.
            qint64 first = at;
            while (direction < 0 && within(first - kQuarter) && count(first - kQuarter) == cities.size())
                first -= kQuarter;
            qint64 end = first + kQuarter;
            while (count(end) == cities.size() && end - first < 7 * 86400)
                end += kQuarter;
            best.found = true;
            best.start = QDateTime::fromSecsSinceEpoch(first, Qt::UTC);
            best.end = QDateTime::fromSecsSinceEpoch(end, Qt::UTC);
            best.atWork = working;
            return best;
        }
        if (working > best.atWork) {
            best.atWork = working;
            bestAt = at;
        }
    }
    best.start = QDateTime::fromSecsSinceEpoch(bestAt, Qt::UTC);
    best.end = best.start.addSecs(kQuarter);
    // All but one at the best quarter: that one never meets the others. With two or more away there, no
    // single city is to blame.
    if (best.atWork == cities.size() - 1) {
        for (const PlanCity& city : cities) {
            if (!isAtWork(city, bestAt, hours)) {
                best.apart = city.name;
                break;
            }
        }
    }
    return best;
}

LineTexts commonHourTexts(const CommonHour& common, int cities, const QDateTime& localStart, const QDateTime& localEnd,
                          const QLocale& locale)
{
    const auto time = [](const QDateTime& at) { return at.toString(QStringLiteral("HH.mm")); };
    const QString longDay = locale.toString(localStart.date(), QStringLiteral("dddd d MMMM"));
    if (common.found) {
        const QString when =
            QStringLiteral("%1 – %2 ici (%3)")
                .arg(time(localStart), time(localEnd), durationText(common.start.secsTo(common.end) / 60));
        const QString shortDay = locale.toString(localStart.date(), QStringLiteral("ddd d MMM"));
        return {{QStringLiteral("Créneau commun : %1, %2").arg(longDay, when),
                 QStringLiteral("Créneau commun : %1, %2").arg(shortDay, when),
                 QStringLiteral("Créneau : %1, %2").arg(shortDay, when)},
                {}};
    }
    // One pass of arguments: a city's name may hold "%2".
    const QString best =
        QStringLiteral("au mieux %1 villes sur %2").arg(QString::number(common.atWork), QString::number(cities));
    const QString when = QStringLiteral("%1 à %2 ici").arg(longDay, time(localStart));
    if (common.apart.isEmpty())
        return {{QStringLiteral("Aucun créneau commun dans la semaine : %1 au bureau ensemble, %2").arg(best, when),
                 QStringLiteral("Aucun créneau commun : %1").arg(best), QStringLiteral("Aucun créneau : %1").arg(best)},
                {}};
    return {{QStringLiteral("Aucun créneau commun dans la semaine : %1 n'est jamais au bureau avec les autres ; %2, %3")
                 .arg(common.apart, best, when),
             QStringLiteral("Aucun créneau commun : %1 n'est jamais au bureau avec les autres").arg(common.apart),
             QStringLiteral("Aucun créneau : %1 jamais avec les autres").arg(common.apart)},
            common.apart};
}

LineTexts tooFewCitiesTexts()
{
    return {{QStringLiteral("Cochez au moins deux villes dans le panneau de configuration pour chercher un "
                            "créneau commun"),
             QStringLiteral("Cochez au moins deux villes dans le panneau")},
            {}};
}
