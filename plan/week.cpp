#include "week.h"

#include <QLocale>
#include <algorithm>

#include "plan/changes.h"

namespace {

constexpr int kDays = 7;
// A day of the computer's clock holds at most 25 hours (a change of summer time); the search for its ends
// never runs further.
constexpr int kMostQuartersADay = 26 * 4;

QDateTime utcOf(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

// A place's clock at an instant, as a plain date and time.
QDateTime clockOf(const PlanCity& city, qint64 utcSeconds)
{
    return utcOf(utcSeconds + city.offsetAt(utcSeconds));
}

QString placeText(const Week& week, const WeekStrip& strip, int quarter, const QDate& hereDate, const QLocale& locale)
{
    const QDateTime clock = clockOf(strip.city, week.start(quarter));
    QString time = clock.toString(QStringLiteral("HH.mm"));
    if (clock.date() != hereDate)
        time = locale.toString(clock.date(), QStringLiteral("dddd")) + QLatin1Char(' ') + time;
    const quint8 flags = strip.flags[quarter];
    QString state = (flags & AtWork)   ? QStringLiteral("au bureau")
                    : (flags & DayOff) ? QStringLiteral("week-end")
                                       : QStringLiteral("hors des heures de bureau");
    if (flags & Dark)
        state += QStringLiteral(", nuit");
    return QStringLiteral("%1 : %2, %3").arg(strip.city.name, time, state);
}

QString citiesAtWork(int atWork, int cities)
{
    if (atWork == 0)
        return QStringLiteral("aucune ville au bureau");
    return QStringLiteral("%1 %2 sur %3 au bureau")
        .arg(QString::number(atWork), atWork == 1 ? QStringLiteral("ville") : QStringLiteral("villes"),
             QString::number(cities));
}

} // namespace

DarkRule darkByHours(const PlanCity& city, const DayHours& hours)
{
    return [city, hours](qint64 utcSeconds) {
        return !isDayHour(cityClockAt(city, utcSeconds).minutes / 60, hours.day, hours.night);
    };
}

PlanCity wallClockCity(const QString& name, const WorkingDays& days, const WallClock& wallClock, const QDateTime& from,
                       const QDateTime& to)
{
    PlanCity city;
    city.name = name;
    city.days = days;
    const auto offsetAt = [&wallClock](qint64 seconds) {
        const QDateTime universal = utcOf(seconds);
        const QDateTime wall = wallClock(universal);
        return int(universal.secsTo(QDateTime(wall.date(), wall.time(), Qt::UTC)));
    };
    // Read every hour, and quarter by quarter through an hour in which the offset changed: a clock changes
    // its offset a few times a year, and reading it can cost the system a look into its zone.
    constexpr qint64 kHourSeconds = 4 * kQuarterSeconds;
    const qint64 first = quarterStart(from.toSecsSinceEpoch()), last = to.toSecsSinceEpoch();
    city.offsetsSeconds.append(offsetAt(first));
    for (qint64 hour = first; hour < last; hour += kHourSeconds) {
        const qint64 next = std::min(hour + kHourSeconds, quarterStart(last));
        if (next <= hour || offsetAt(next) == city.offsetsSeconds.last())
            continue;
        for (qint64 at = hour + kQuarterSeconds; at <= next; at += kQuarterSeconds) {
            const int offset = offsetAt(at);
            if (offset != city.offsetsSeconds.last()) {
                city.changesAt.append(at);
                city.offsetsSeconds.append(offset);
            }
        }
    }
    return city;
}

WeekRequest weekRequest(const QList<ClockRow>& rows, const QDateTime& shown, float computerOffset,
                        const WorkHours& work, const DayHours& dayHours, const WallClock& wallClock,
                        const WorkingDays& hereDays)
{
    // The week begins at most a day before the instant shown and ends at most eight days after it.
    const QDateTime from = shown.addDays(-2), to = shown.addDays(kDays + 2);
    WeekRequest request;
    request.shown = shown;
    request.work = work;
    request.dayHours = dayHours;
    for (int i = 1; i < rows.size(); ++i) {
        if (rows[i].marked && rows[i].timeShown)
            request.cities.append({planCity(rows[i], from, to, computerOffset), {}});
    }
    request.here = {wallClockCity(QStringLiteral("ici"), hereDays, wallClock, from, to), {}};
    return request;
}

int Week::quarterAt(qint64 utcSeconds) const
{
    if (utcSeconds < first || utcSeconds >= start(quarters))
        return -1;
    return int((utcSeconds - first) / kQuarterSeconds);
}

int Week::dayOf(int quarter) const
{
    const auto after =
        std::upper_bound(days.begin(), days.end(), quarter, [](int k, const WeekDay& day) { return k < day.first; });
    return std::max(int(after - days.begin()) - 1, 0);
}

QDateTime Week::hereAt(int quarter) const
{
    return clockOf(strips.first().city, start(quarter));
}

QList<int> Week::slotStarts() const
{
    QList<int> starts;
    for (int k = 0; k < quarters; ++k) {
        if (common[k] && (k == 0 || !common[k - 1]))
            starts.append(k);
    }
    return starts;
}

Week planWeek(const WeekRequest& request)
{
    Week week;
    week.work = request.work;
    week.shown = request.shown.toSecsSinceEpoch();
    const PlanCity& here = request.here.city;
    const auto hereDate = [&here](qint64 seconds) { return clockOf(here, seconds).date(); };

    // From the computer's midnight on the day shown, for seven of its days.
    const QDate firstDate = hereDate(week.shown);
    week.first = quarterStart(week.shown);
    for (int k = 0; k < kMostQuartersADay && hereDate(week.first - kQuarterSeconds) == firstDate; ++k)
        week.first -= kQuarterSeconds;
    for (qint64 at = week.first; week.quarters < (kDays + 1) * kMostQuartersADay; at += kQuarterSeconds) {
        const QDate date = hereDate(at);
        if (week.days.isEmpty() || date != week.days.last().date) {
            if (week.days.size() == kDays)
                break;
            week.days.append({date, week.quarters, 0, {}});
        }
        ++week.days.last().quarters;
        ++week.quarters;
    }
    week.shownQuarter = week.quarterAt(week.shown);
    const auto within = [&week](const QDateTime& limit, int otherwise, int round) {
        if (!limit.isValid())
            return otherwise;
        const qint64 seconds = quarterStart(limit.toSecsSinceEpoch() + round);
        return int(std::clamp<qint64>((seconds - week.first) / kQuarterSeconds, 0, week.quarters - 1));
    };
    // The clocks may show a quarter that begins within their limits.
    week.earliestQuarter = within(request.earliest, 0, kQuarterSeconds - 1);
    week.latestQuarter = within(request.latest, week.quarters - 1, 0);

    // The places: the computer, then the marked cities, all from the same table of quarters.
    QList<WeekPlace> places{request.here};
    places.append(request.cities);
    for (const WeekPlace& place : request.cities)
        week.marked.append(place.city);
    const WorkQuarters marked(week.marked, week.first, week.quarters, request.work);
    const WorkQuarters hereAtWork({here}, week.first, week.quarters, request.work);
    for (int s = 0; s < places.size(); ++s) {
        const WeekPlace& place = places[s];
        const DarkRule dark = place.dark ? place.dark : darkByHours(place.city, request.dayHours);
        WeekStrip strip{place.city, QList<quint8>(week.quarters)};
        for (int k = 0; k < week.quarters; ++k) {
            const qint64 at = week.start(k);
            const bool working = s == 0 ? hereAtWork.atWork(k, 0) : marked.atWork(k, s - 1);
            strip.flags[k] = quint8((working ? AtWork : 0) | (dark(at) ? Dark : 0) |
                                    (place.city.days[cityClockAt(place.city, at).weekday] ? 0 : DayOff));
        }
        week.strips.append(strip);
        // Its changes of offset within the week.
        const qint64 end = week.start(week.quarters);
        for (qsizetype c = 0; c < place.city.changesAt.size(); ++c) {
            const qint64 at = place.city.changesAt[c];
            const int before = place.city.offsetsSeconds.value(c), after = place.city.offsetsSeconds.value(c + 1);
            if (at < week.first || at >= end || before == after)
                continue;
            week.changes.append({s, at, week.quarterAt(at), after - before, utcOf(at + before)});
        }
    }
    std::stable_sort(week.changes.begin(), week.changes.end(),
                     [](const WeekChange& a, const WeekChange& b) { return a.at < b.at; });
    for (int c = 0; c < week.changes.size(); ++c)
        week.days[week.dayOf(week.changes[c].quarter)].changes.append(c);

    week.common.resize(week.quarters);
    week.atWork.resize(week.quarters);
    for (int k = 0; k < week.quarters; ++k) {
        week.common[k] = marked.everyone(k);
        week.atWork[k] = marked.count(k);
        week.most = std::max(week.most, week.atWork[k]);
    }
    return week;
}

QString weekTitle(const Week& week, const QLocale& locale)
{
    if (week.days.isEmpty())
        return {};
    const QString pattern = QStringLiteral("dddd d MMMM");
    return QStringLiteral("Semaine du %1 au %2")
        .arg(locale.toString(week.days.first().date, pattern), locale.toString(week.days.last().date, pattern));
}

QString slotSummary(const Week& week)
{
    const qsizetype count = week.slotStarts().size();
    if (count == 1)
        return QStringLiteral("1 créneau commun");
    if (count > 1)
        return QStringLiteral("%1 créneaux communs").arg(count);
    if (week.most == 0)
        return QStringLiteral("Aucun créneau commun : aucune ville au bureau");
    return QStringLiteral("Aucun créneau commun : au mieux %1 ensemble")
        .arg(citiesAtWork(week.most, int(week.marked.size())));
}

QuarterTexts quarterTexts(const Week& week, int quarter, const QLocale& locale)
{
    QuarterTexts texts;
    const QDateTime here = week.hereAt(quarter);
    texts.when =
        QStringLiteral("%1, %2 ici")
            .arg(locale.toString(here.date(), QStringLiteral("dddd d MMMM")), here.toString(QStringLiteral("HH.mm")));
    texts.state = week.common[quarter] ? QStringLiteral("créneau commun")
                                       : citiesAtWork(week.atWork[quarter], int(week.marked.size()));
    for (const WeekStrip& strip : week.strips)
        texts.places.append(placeText(week, strip, quarter, here.date(), locale));
    return texts;
}

QString weekChangeText(const Week& week, const WeekChange& change, const QLocale& locale)
{
    QString text = changeText({0, utcOf(change.at), change.before, change.seconds}, locale);
    text[0] = text[0].toLower(); // "passe à l'heure d'hiver", after the name
    return week.strips[change.strip].city.name + QStringLiteral(" : ") + text;
}
