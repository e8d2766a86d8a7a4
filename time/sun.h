#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QTimeZone>
#include <array>
#include <vector>

#include "data/coordinates.h"

// Sunrise and sunset: the instants at which the sun's upper limb meets the horizon through the standard
// refraction, its centre 0.833° below the horizon. The sun's place comes from libnova; the computation is in
// Universal Time, and a city's own clock only decides which instants make up its date and how a time reads.

// The sun over one date of a city's own clock: when it crosses the horizon, or that it stays on one side.
struct SunDay
{
    enum class Kind
    {
        Crosses,     // it rises or sets (or both) within the date
        PolarNight,  // below the horizon all the date: "nuit polaire"
        MidnightSun, // above it all the date: "soleil de minuit"
    };
    struct Crossing
    {
        qint64 msecs = 0; // Universal Time, milliseconds since the epoch
        QTime local;      // in the city's clock, to the nearest minute within the date
        bool rise = false;
    };

    QDate date;            // the city's own date
    qint64 startMsecs = 0; // its first instant, Universal Time, milliseconds since the epoch
    qint64 endMsecs = 0;   // the first instant of the next date (23 or 25 hours later on a change of time)
    bool upAtStart = false;
    // In order. Near the polar circles a date may hold a set before its rise (the evening before set after
    // midnight), or one crossing alone (the next falls on another date); at most three in 25 hours.
    std::array<Crossing, 4> crossings{};
    int crossingCount = 0;

    Kind kind() const;
    bool contains(qint64 msecs) const { return startMsecs <= msecs && msecs < endMsecs; }
    // Whether the sun is above the horizon at that instant of the date: light from a rise to the next set.
    bool isUp(qint64 msecs) const;
    // The date's first rise and first set, in Universal Time; invalid where there is none.
    QDateTime sunrise() const;
    QDateTime sunset() const;
};

// The sun over `date` of the city's clock: a zone of the tz database, or a fixed offset (QTimeZone(seconds))
// for a city that follows its own offsets. An invalid place gives a date without sun.
SunDay sunDay(const Coordinates& place, const QDate& date, const QTimeZone& zone);

// What the hover sentence says of the sun, in the city's clock: "lever 08.34, coucher 16.53",
// "nuit polaire", "soleil de minuit"; "lever 02.58, pas de coucher" or "pas de lever, coucher 23.57" when the
// other crossing falls on another date; "coucher 00.03, lever 02.55" when the set of the evening before comes
// after midnight.
QString sunText(const SunDay& day);
// The same, shorter, where a line has little room: "soleil 08.34–16.53" for a rise then a set, the long text
// otherwise.
QString sunShortText(const SunDay& day);
// The same as a screen reader says it: "lever 08 h 34, coucher 16 h 53".
QString sunSpokenText(const SunDay& day);

// The sun's apparent place at 0 h Universal Time of the days last asked for, shared by every city.
class SunPlaces
{
public:
    struct Place
    {
        double rightAscension = 0; // degrees, equinox of the date
        double declination = 0;
    };
    // `day`: days since 1 January 1970.
    Place at(qint64 day);

private:
    struct Slot
    {
        qint64 day = -1;
        bool filled = false;
        Place place;
    };
    std::array<Slot, 32> m_slots{}; // by day: the fortnight the clocks can be moved over stays
};

// The days computed, kept by city and date, so that a full redraw asks libnova nothing once each city's date
// is known: only a city's new date (midnight there, or the instant shown moved to another day) costs a
// computation. Held by the clock's model while the sun decides the faces; nothing here is global.
class SunCache
{
public:
    // The date of that city's clock at the instant, computed once per city and date. `city` is a row's number
    // (0 to kMaxCities - 1); a row whose place or zone has changed starts afresh, and any other number (a city
    // found by the search) is computed each time.
    SunDay dayAt(int city, const Coordinates& place, const QTimeZone& zone, const QDateTime& instant);
    // Whether that city's face is light at the instant.
    bool isSunUp(int city, const Coordinates& place, const QTimeZone& zone, const QDateTime& instant);
    void clear();
    // How many dates have been computed since the cache was made.
    int daysComputed() const { return m_daysComputed; }

    static constexpr int kMaxCities = 256;

private:
    struct City
    {
        Coordinates place;
        QTimeZone zone;
        std::array<SunDay, 4> days{};
        int next = 0;
    };
    std::vector<City> m_cities;
    SunPlaces m_sun;
    int m_daysComputed = 0;
};
