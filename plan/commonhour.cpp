#include "commonhour.h"

#include <QLocale>
#include <QTimeZone>
#include <algorithm>

#include "rows/showninstant.h"
#include "time/timerules.h"

namespace {

constexpr qint64 kQuarter = kQuarterSeconds;

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

CityClock cityClockAt(const PlanCity& city, qint64 utcSeconds)
{
    const qint64 wall = utcSeconds + city.offsetAt(utcSeconds);
    const qint64 day = wall >= 0 ? wall / 86400 : (wall - 86399) / 86400;
    // 1970-01-01 was a Thursday (4).
    return {int(((day + 3) % 7 + 7) % 7) + 1, int((wall - day * 86400) / 60)};
}

bool isAtWork(const PlanCity& city, qint64 utcSeconds, const WorkHours& hours)
{
    const CityClock clock = cityClockAt(city, utcSeconds);
    return isAtWorkOn(city.days, clock.weekday, clock.minutes, hours);
}

qint64 quarterStart(qint64 utcSeconds)
{
    return utcSeconds - ((utcSeconds % kQuarterSeconds) + kQuarterSeconds) % kQuarterSeconds;
}

WorkQuarters::WorkQuarters(const QList<PlanCity>& cities, qint64 first, int quarters, const WorkHours& hours)
    : m_first(first), m_quarters(std::max(quarters, 0)), m_cities(int(cities.size())),
      m_atWork(qsizetype(m_quarters) * m_cities), m_counts(m_quarters)
{
    bool* atWork = m_atWork.data();
    int* counts = m_counts.data();
    for (int k = 0; k < m_quarters; ++k) {
        for (int c = 0; c < m_cities; ++c) {
            const bool working = isAtWork(cities[c], start(k), hours);
            *atWork++ = working;
            counts[k] += working;
        }
    }
}

CommonHour findCommonHour(const QList<PlanCity>& cities, const QDateTime& from, int direction, const QDateTime& limit,
                          const WorkHours& hours)
{
    CommonHour result;
    const bool forward = direction >= 0;
    result.direction = forward ? 1 : -1;
    const qint64 origin = secondsOf(from), last = secondsOf(limit);
    result.wholeWeek = qAbs(last - origin) >= ShownInstant::kLimit - 60;
    // The quarter hours searched, in the order of time: past `from`, up to `limit`.
    const qint64 first = forward ? quarterStart(origin) + kQuarter : quarterStart(last + kQuarter - 1);
    const qint64 final = forward ? quarterStart(last) : quarterStart(origin - 1);
    if (cities.isEmpty() || final < first)
        return result;
    const int all = int(cities.size());
    // Quarter k of the table is the k-th searched; quarter 0 is the one before the first.
    const int quarters = int((final - first) / kQuarter) + 1;
    const WorkQuarters table(cities, first - kQuarter, quarters + 1, hours);
    const auto quarter = [&table](int k) { return table.start(k); };
    const auto counts = [&table](int k) { return table.count(k); };
    int most = 0;
    for (int k = 1; k <= quarters; ++k)
        most = std::max(most, counts(k));
    result.atWork = most;
    if (most == 0) {
        result.kind = CommonHour::NobodyAtWork;
        return result;
    }
    // Where a stretch of `most` cities at work begins. Going forward, one already begun at `from` is not one to
    // go to; going back, one begun before the limit begins at the limit for the clocks.
    const auto begins = [&](int k) { return counts(k) == most && (counts(k - 1) != most || (!forward && k == 1)); };
    int chosen = -1;
    for (int step = 0; step < quarters && chosen < 0; ++step) {
        const int k = forward ? 1 + step : quarters - step;
        if (begins(k))
            chosen = k;
    }
    if (chosen < 0 && most == all) {
        result.kind = CommonHour::NoOtherSlot;
        return result;
    }
    if (chosen < 0) // the best stretch of the week is the one under way
        chosen = forward ? 1 : quarters;
    const qint64 start = quarter(chosen);
    result.start = QDateTime::fromSecsSinceEpoch(start, Qt::UTC);
    if (most == all) {
        // The slot for as long as it lasts, past the limit and the table too, a quarter at a time.
        qint64 end = start + kQuarter;
        const auto everyone = [&](qint64 when) { return WorkQuarters(cities, when, 1, hours).everyone(0); };
        while (end - start < ShownInstant::kLimit && everyone(end))
            end += kQuarter;
        result.kind = CommonHour::Slot;
        result.end = QDateTime::fromSecsSinceEpoch(end, Qt::UTC);
        return result;
    }
    result.kind = CommonHour::Best;
    result.end = result.start.addSecs(kQuarter);
    // All but one at work together: the city that never meets the others is the one most often away then
    // (the first of those as often away). With two or more away, no single city is to blame.
    if (most == all - 1) {
        QList<int> away(all);
        for (int k = 1; k <= quarters; ++k) {
            for (int c = 0; c < all && counts(k) == most; ++c) {
                if (!table.atWork(k, c)) {
                    ++away[c];
                    break;
                }
            }
        }
        result.apart = cities[int(std::max_element(away.begin(), away.end()) - away.begin())].name;
    }
    return result;
}

LineTexts commonHourTexts(const CommonHour& common, int cities, const QDateTime& localStart, const QDateTime& localEnd,
                          const QDateTime& localLimit, const QLocale& locale)
{
    const auto time = [](const QDateTime& at) { return at.toString(QStringLiteral("HH.mm")); };
    const QString longDay = locale.toString(localStart.date(), QStringLiteral("dddd d MMMM"));
    // How far the search went: the whole week, or what was left of it up to the limit.
    const QString scope = common.wholeWeek
                              ? QStringLiteral("dans la semaine")
                              : (common.direction > 0 ? QStringLiteral("d'ici ") : QStringLiteral("depuis ")) +
                                    locale.toString(localLimit.date(), QStringLiteral("dddd d MMMM"));
    switch (common.kind) {
    case CommonHour::Slot: {
        const QString when =
            QStringLiteral("%1 – %2 ici (%3)")
                .arg(time(localStart), time(localEnd), durationText(common.start.secsTo(common.end) / 60));
        const QString shortDay = locale.toString(localStart.date(), QStringLiteral("ddd d MMM"));
        return {{QStringLiteral("Créneau commun : %1, %2").arg(longDay, when),
                 QStringLiteral("Créneau commun : %1, %2").arg(shortDay, when),
                 QStringLiteral("Créneau : %1, %2").arg(shortDay, when)},
                {}};
    }
    case CommonHour::Best: {
        // One pass of arguments: a city's name may hold "%2". The words agree with the numbers: "1 ville",
        // and with two cities the one apart is never with "l'autre".
        const QString best =
            QStringLiteral("au mieux %1 %2 sur %3")
                .arg(QString::number(common.atWork),
                     common.atWork == 1 ? QStringLiteral("ville") : QStringLiteral("villes"), QString::number(cities));
        const QString when = QStringLiteral("%1 à %2 ici").arg(longDay, time(localStart));
        if (common.apart.isEmpty())
            return {{QStringLiteral("Aucun créneau commun %1 : %2 au bureau ensemble, %3").arg(scope, best, when),
                     QStringLiteral("Aucun créneau commun : %1").arg(best),
                     QStringLiteral("Aucun créneau : %1").arg(best)},
                    {}};
        const QString others = cities == 2 ? QStringLiteral("l'autre") : QStringLiteral("les autres");
        return {{QStringLiteral("Aucun créneau commun %1 : %2 n'est jamais au bureau avec %3 ; %4, %5")
                     .arg(scope, common.apart, others, best, when),
                 QStringLiteral("Aucun créneau commun : %1 n'est jamais au bureau avec %2").arg(common.apart, others),
                 QStringLiteral("Aucun créneau : %1 jamais avec %2").arg(common.apart, others)},
                common.apart};
    }
    case CommonHour::NoOtherSlot:
        return {
            {QStringLiteral("Aucun autre créneau commun %1").arg(scope), QStringLiteral("Aucun autre créneau commun")},
            {}};
    case CommonHour::NobodyAtWork:
        return {{QStringLiteral("Aucune ville cochée n'est au bureau %1").arg(scope),
                 QStringLiteral("Aucune ville au bureau")},
                {}};
    case CommonHour::NothingFurther:
        break;
    }
    return {{QStringLiteral("Les horloges ne vont pas à plus d'une semaine de maintenant"),
             QStringLiteral("Une semaine au plus")},
            {}};
}

LineTexts tooFewCitiesTexts()
{
    return {{QStringLiteral("Cochez au moins deux villes dans le panneau de configuration pour chercher un "
                            "créneau commun"),
             QStringLiteral("Cochez au moins deux villes dans le panneau")},
            {}};
}
