#include "sun.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <libnova/dynamical_time.h>
#include <libnova/precession.h>
#include <libnova/sidereal_time.h>
#include <libnova/solar.h>
#include <numbers>
#include <optional>

namespace {

// Time within is in days since 1 January 1970, 0 h Universal Time, as a double (a microsecond's precision
// for thousands of years).
constexpr double kMsecsPerDay = 86400000.0;
constexpr double kJulianDayOfEpoch = 2440587.5;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
// The height of the sun's centre at sunrise and sunset: its upper limb (16') on the horizon, raised by the
// standard refraction (34').
const double kSineOfHorizon = std::sin(-0.833 * kRadiansPerDegree);
constexpr double kHalfSecond = 0.5 / 86400.0;

double daysOf(qint64 msecs)
{
    return static_cast<double>(msecs) / kMsecsPerDay;
}

qint64 msecsOf(double days)
{
    return std::llround(days * kMsecsPerDay);
}

// An angle brought within (-180°, 180°].
double aroundZero(double degrees)
{
    degrees = std::fmod(degrees, 360.0);
    if (degrees > 180.0)
        degrees -= 360.0;
    else if (degrees <= -180.0)
        degrees += 360.0;
    return degrees;
}

// The sun over a date as seen from one place: its height and hour angle at any instant, from its places at
// 0 h of the three nearest days, interpolated (as the almanacs interpolate the sun). The places are read as
// they are needed.
class SunTrack
{
public:
    SunTrack(SunPlaces& places, const Coordinates& at, double around)
        : m_places(places), m_firstDay(static_cast<qint64>(std::floor(around)) - kDays / 2), m_longitude(at.longitude),
          m_sinLatitude(std::sin(at.latitude * kRadiansPerDegree)),
          m_cosLatitude(std::cos(at.latitude * kRadiansPerDegree))
    {
    }

    // Degrees, within (-180, 180]: 0 when the sun is at its highest, 180 at its lowest.
    double hourAngle(double days)
    {
        const SunPlaces::Place sun = placeAt(days);
        return aroundZero(ln_get_mean_sidereal_time(kJulianDayOfEpoch + days) * 15.0 + m_longitude -
                          sun.rightAscension);
    }

    // Above zero while the sun is up.
    double height(double days)
    {
        const SunPlaces::Place sun = placeAt(days);
        const double hourAngle =
            ln_get_mean_sidereal_time(kJulianDayOfEpoch + days) * 15.0 + m_longitude - sun.rightAscension;
        const double declination = sun.declination * kRadiansPerDegree;
        return m_sinLatitude * std::sin(declination) +
               m_cosLatitude * std::cos(declination) * std::cos(hourAngle * kRadiansPerDegree) - kSineOfHorizon;
    }

    // The instant near `days` at which the sun's hour angle is `angle`: 0 for its highest, 180 for its lowest.
    double culmination(double days, double angle)
    {
        for (int i = 0; i < 3; ++i)
            days -= aroundZero(hourAngle(days) - angle) / 360.0;
        return days;
    }

private:
    const SunPlaces::Place& placeOf(qint64 day)
    {
        const auto i = static_cast<std::size_t>(std::clamp<qint64>(day - m_firstDay, 0, kDays - 1));
        if (!m_read[i]) {
            m_known[i] = m_places.at(m_firstDay + static_cast<qint64>(i));
            m_read[i] = true;
        }
        return m_known[i];
    }

    SunPlaces::Place placeAt(double days)
    {
        const double nearest = std::floor(days + 0.5);
        const double n = days - nearest;
        const auto day = static_cast<qint64>(nearest);
        const SunPlaces::Place &before = placeOf(day - 1), &at = placeOf(day), &after = placeOf(day + 1);
        const auto interpolate = [n](double before, double at, double after) {
            return at + n / 2.0 * (after - before) + n * n / 2.0 * (after - 2.0 * at + before);
        };
        // The right ascension goes round through 0 h at the March equinox.
        return {interpolate(at.rightAscension + aroundZero(before.rightAscension - at.rightAscension),
                            at.rightAscension,
                            at.rightAscension + aroundZero(after.rightAscension - at.rightAscension)),
                interpolate(before.declination, at.declination, after.declination)};
    }

    static constexpr int kDays = 8;
    SunPlaces& m_places;
    qint64 m_firstDay;
    std::array<SunPlaces::Place, kDays> m_known{};
    std::array<bool, kDays> m_read{};
    double m_longitude;
    double m_sinLatitude;
    double m_cosLatitude;
};

int offsetMsecs(const QTimeZone& zone, qint64 msecs)
{
    return zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC)) * 1000;
}

// The wall clock of a city at an instant, as a date and time of Universal Time.
QDateTime wallClock(qint64 msecs, const QTimeZone& zone)
{
    return QDateTime::fromMSecsSinceEpoch(msecs + offsetMsecs(zone, msecs), Qt::UTC);
}

// The first instant of a date in a city's clock: midnight less one of the offsets in force around it, the
// earliest that falls on the date. Qt 6.4 makes no valid time of a midnight that a change of time skips
// (Santiago, Havana, Beirut), where the date begins at 1 h, and picks either of a midnight that comes twice.
qint64 firstInstant(const QDate& date, const QTimeZone& zone)
{
    const qint64 midnight = QDateTime(date, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
    const qint64 day = static_cast<qint64>(kMsecsPerDay);
    const int before = offsetMsecs(zone, midnight - day);
    if (before == offsetMsecs(zone, midnight + day)) // no change of time within a day of midnight
        return midnight - before;
    std::optional<qint64> first;
    for (const qint64 near : {midnight - day, midnight, midnight + day}) {
        const qint64 candidate = midnight - offsetMsecs(zone, near);
        const qint64 local = candidate + offsetMsecs(zone, candidate);
        if (local >= midnight && local < midnight + day && (!first || candidate < *first))
            first = candidate;
    }
    return first.value_or(midnight - before);
}

// A date of a city's clock in Universal Time, with the offset in force all through it where no change of
// time comes within a day (the same offset a day before and a day after).
struct DateSpan
{
    qint64 start = 0;
    qint64 end = 0;
    std::optional<int> offset; // milliseconds
};

DateSpan dateSpan(const QDate& date, const QTimeZone& zone)
{
    const qint64 midnight = QDateTime(date, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
    const qint64 day = static_cast<qint64>(kMsecsPerDay);
    const int before = offsetMsecs(zone, midnight - day);
    if (before == offsetMsecs(zone, midnight + 2 * day))
        return {midnight - before, midnight + day - before, before};
    return {firstInstant(date, zone), firstInstant(date.addDays(1), zone), std::nullopt};
}

// A crossing's time in the city's clock, to the nearest minute but never past the date's end.
QTime localTime(qint64 msecs, const DateSpan& span, const QTimeZone& zone)
{
    const qint64 rounded = (msecs + 30000) / 60000 * 60000;
    const qint64 shown = rounded < span.end ? rounded : msecs;
    if (span.offset)
        return QDateTime::fromMSecsSinceEpoch(shown + *span.offset, Qt::UTC).time();
    return wallClock(shown, zone).time();
}

} // namespace

SunPlaces::Place SunPlaces::at(qint64 day)
{
    const auto count = static_cast<qint64>(m_slots.size());
    Slot& slot = m_slots[static_cast<std::size_t>(((day % count) + count) % count)];
    if (!slot.filled || slot.day != day) {
        // libnova gives the sun's place referred to the equinox of J2000; the hour angle needs the equinox of
        // the date (a difference of 0.37° in 2026, a minute and a half of sunrise).
        const double julianDay = kJulianDayOfEpoch + static_cast<double>(day);
        const double ephemerisDay = julianDay + ln_get_dynamical_time_diff(julianDay) / 86400.0;
        ln_equ_posn ofJ2000{};
        ln_equ_posn ofDate{};
        ln_get_solar_equ_coords(ephemerisDay, &ofJ2000);
        ln_get_equ_prec(&ofJ2000, ephemerisDay, &ofDate);
        slot = {day, true, {ofDate.ra, ofDate.dec}};
    }
    return slot.place;
}

SunDay::Kind SunDay::kind() const
{
    if (crossingCount > 0)
        return Kind::Crosses;
    return upAtStart ? Kind::MidnightSun : Kind::PolarNight;
}

bool SunDay::isUp(qint64 msecs) const
{
    bool up = upAtStart;
    for (int i = 0; i < crossingCount && crossings[i].msecs <= msecs; ++i)
        up = crossings[i].rise;
    return up;
}

QDateTime SunDay::sunrise() const
{
    for (int i = 0; i < crossingCount; ++i) {
        if (crossings[i].rise)
            return QDateTime::fromMSecsSinceEpoch(crossings[i].msecs, Qt::UTC);
    }
    return {};
}

QDateTime SunDay::sunset() const
{
    for (int i = 0; i < crossingCount; ++i) {
        if (!crossings[i].rise)
            return QDateTime::fromMSecsSinceEpoch(crossings[i].msecs, Qt::UTC);
    }
    return {};
}

namespace {

// Where the sun's height changes sign between two instants, to half a second: regula falsi, with the
// Illinois method's halving so that neither end stays put.
double crossingBetween(SunTrack& sun, double low, double heightLow, double high, double heightHigh)
{
    int keptSide = 0;
    for (int i = 0; i < 60 && high - low > kHalfSecond; ++i) {
        const double at = std::clamp((low * heightHigh - high * heightLow) / (heightHigh - heightLow), low, high);
        const double height = sun.height(at);
        if ((height >= 0.0) == (heightHigh >= 0.0)) {
            high = at;
            heightHigh = height;
            if (keptSide == -1)
                heightLow /= 2.0;
            keptSide = -1;
        } else {
            low = at;
            heightLow = height;
            if (keptSide == 1)
                heightHigh /= 2.0;
            keptSide = 1;
        }
    }
    return (low + high) / 2.0;
}

SunDay computeDay(SunPlaces& places, const Coordinates& place, const QDate& date, const QTimeZone& zone)
{
    const DateSpan span = dateSpan(date, zone);
    SunDay day;
    day.date = date;
    day.startMsecs = span.start;
    day.endMsecs = span.end;
    if (!place.isValid() || day.endMsecs <= day.startMsecs)
        return day;

    const double start = daysOf(day.startMsecs);
    const double end = daysOf(day.endMsecs);
    SunTrack sun(places, place, (start + end) / 2.0);
    // Between its highest and its lowest the sun only goes down, and back up after: cut the date there, and
    // each piece holds one crossing at most, where its ends differ.
    std::array<double, 8> cuts{};
    int cutCount = 0;
    cuts[cutCount++] = start;
    const double noon = sun.culmination((start + end) / 2.0, 0.0);
    for (int k = -2; k <= 2; ++k) {
        const double near = noon + k * 0.5;
        if (near < start - 0.05 || near > end + 0.05)
            continue;
        const double at = k == 0 ? noon : sun.culmination(near, k % 2 == 0 ? 0.0 : 180.0);
        if (at > start && at < end)
            cuts[cutCount++] = at;
    }
    cuts[cutCount++] = end; // in order: the culminations come half a day apart

    double from = cuts[0];
    double heightFrom = sun.height(from);
    day.upAtStart = heightFrom >= 0.0;
    for (int i = 1; i < cutCount; ++i) {
        const double to = cuts[i];
        const double heightTo = sun.height(to);
        if ((heightTo >= 0.0) != (heightFrom >= 0.0) && day.crossingCount < static_cast<int>(day.crossings.size())) {
            SunDay::Crossing& crossing = day.crossings[day.crossingCount++];
            crossing.msecs = std::clamp(msecsOf(crossingBetween(sun, from, heightFrom, to, heightTo)), day.startMsecs,
                                        day.endMsecs - 1);
            crossing.rise = heightTo >= 0.0;
            crossing.local = localTime(crossing.msecs, span, zone);
        }
        from = to;
        heightFrom = heightTo;
    }
    return day;
}

} // namespace

SunDay sunDay(const Coordinates& place, const QDate& date, const QTimeZone& zone)
{
    SunPlaces places;
    return computeDay(places, place, date, zone);
}

namespace {

QString sunTimesText(const SunDay& day, const QString& format)
{
    switch (day.kind()) {
    case SunDay::Kind::PolarNight:
        return QStringLiteral("nuit polaire");
    case SunDay::Kind::MidnightSun:
        return QStringLiteral("soleil de minuit");
    case SunDay::Kind::Crosses:
        break;
    }
    QStringList parts;
    for (int i = 0; i < day.crossingCount; ++i) {
        const SunDay::Crossing& crossing = day.crossings[i];
        parts << (crossing.rise ? QStringLiteral("lever ") : QStringLiteral("coucher ")) +
                     crossing.local.toString(format);
    }
    if (day.crossingCount == 1) {
        if (day.crossings[0].rise)
            parts << QStringLiteral("pas de coucher");
        else
            parts.prepend(QStringLiteral("pas de lever"));
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

QString sunText(const SunDay& day)
{
    return sunTimesText(day, QStringLiteral("HH.mm"));
}

QString sunSpokenText(const SunDay& day)
{
    return sunTimesText(day, QStringLiteral("HH 'h' mm"));
}

QString sunShortText(const SunDay& day)
{
    if (day.kind() != SunDay::Kind::Crosses || day.crossingCount != 2 || !day.crossings[0].rise)
        return sunText(day);
    return QStringLiteral("soleil ") + day.crossings[0].local.toString(QStringLiteral("HH.mm")) + QChar(0x2013) +
           day.crossings[1].local.toString(QStringLiteral("HH.mm"));
}

SunDay SunCache::dayAt(int city, const Coordinates& place, const QTimeZone& zone, const QDateTime& instant)
{
    const qint64 msecs = instant.toMSecsSinceEpoch();
    if (city < 0 || city >= kMaxCities) {
        ++m_daysComputed;
        return computeDay(m_sun, place, wallClock(msecs, zone).date(), zone);
    }
    if (static_cast<std::size_t>(city) >= m_cities.size())
        m_cities.resize(static_cast<std::size_t>(city) + 1);
    City& entry = m_cities[static_cast<std::size_t>(city)];
    if (!(entry.place == place) || entry.zone != zone)
        entry = City{place, zone};
    for (const SunDay& day : entry.days) {
        if (day.date.isValid() && day.contains(msecs))
            return day;
    }
    SunDay& slot = entry.days[static_cast<std::size_t>(entry.next)];
    entry.next = (entry.next + 1) % static_cast<int>(entry.days.size());
    ++m_daysComputed;
    slot = computeDay(m_sun, place, wallClock(msecs, zone).date(), zone);
    return slot;
}

bool SunCache::isSunUp(int city, const Coordinates& place, const QTimeZone& zone, const QDateTime& instant)
{
    return dayAt(city, place, zone, instant).isUp(instant.toMSecsSinceEpoch());
}

void SunCache::clear()
{
    m_cities.clear();
    m_sun = SunPlaces();
}
