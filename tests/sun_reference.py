#!/usr/bin/python3
"""Sunrise and sunset by Debian's python3-astral (1.6) and Python's zoneinfo, to check Horlune's own.

Reads cases on standard input, one a line: LATITUDE LONGITUDE ZONE DATE, where ZONE is a zone of the tz
database or a fixed offset ("+05:30", "-03:00") and DATE the city's own date (YYYY-MM-DD). Writes one line
for each: the date's first instant and the next date's, then "polar-night", "midnight-sun" or the sun's
crossings of the horizon within the date, in order, all in UTC:
    2026-12-10T23:00:00Z 2026-12-11T23:00:00Z rise@2026-12-11T07:33:48Z set@2026-12-11T15:53:42Z

Astral 1.6's sunrise_utc and sunset_utc put the sun's centre 0.833 degrees below the horizon (the upper limb
and the standard refraction), whatever its solar_depression, which only moves dawn and dusk: the convention
Horlune follows. They take the sun's declination and the equation of time of 0h UT for the whole day, which
costs a minute or more at high latitudes; here each crossing is computed with astral's own functions again
at the crossing itself, until it moves by less than a tenth of a second. The crossings of a local date are
those, around the solar noons of the UTC days that touch it, that fall within it."""
import datetime
import math
import sys
import zoneinfo

import astral

ASTRAL = astral.Astral()
DEPRESSION = 90.833  # the zenith distance of the sun's centre at sunrise, as sunrise_utc uses
EPOCH = datetime.datetime(2000, 1, 1, 12, tzinfo=datetime.timezone.utc)  # Julian day 2451545.0
UTC = datetime.timezone.utc


def julian_day(instant):
    return 2451545.0 + (instant - EPOCH).total_seconds() / 86400.0


def instant_of(julian):
    return EPOCH + datetime.timedelta(seconds=round((julian - 2451545.0) * 86400.0))


def crossing(noon, latitude, longitude, rising):
    """The crossing before (rising) or after the solar noon of the UTC day whose 12h is `noon` (a Julian
    day), as a Julian day; None when the sun does not reach the horizon then."""
    day_start = noon - 0.5
    julian = noon - longitude / 360.0 + (-0.25 if rising else 0.25)
    for _ in range(20):
        century = ASTRAL._jday_to_jcentury(julian)
        try:
            hour_angle = math.degrees(ASTRAL._hour_angle(latitude, ASTRAL._sun_declination(century), DEPRESSION))
        except ValueError:  # math domain error: no crossing
            return None
        minutes = 720.0 - 4.0 * longitude - ASTRAL._eq_of_time(century) + (-4.0 if rising else 4.0) * hour_angle
        moved = day_start + minutes / 1440.0
        if abs(moved - julian) < 0.1 / 86400.0:
            return moved
        julian = moved
    return julian


def is_up(instant, latitude, longitude):
    """Whether the sun's centre is higher than 0.833 degrees below the horizon at that instant."""
    century = ASTRAL._jday_to_jcentury(julian_day(instant))
    declination = math.radians(ASTRAL._sun_declination(century))
    minutes = instant.hour * 60.0 + instant.minute + instant.second / 60.0
    hour_angle = math.radians((minutes + ASTRAL._eq_of_time(century) + 4.0 * longitude) / 4.0 - 180.0)
    sine = (math.sin(math.radians(latitude)) * math.sin(declination) +
            math.cos(math.radians(latitude)) * math.cos(declination) * math.cos(hour_angle))
    return sine > math.cos(math.radians(DEPRESSION))


def zone_of(text):
    if text[0] in "+-":
        hours, minutes = text[1:].split(":")
        offset = datetime.timedelta(hours=int(hours), minutes=int(minutes))
        return datetime.timezone(offset if text[0] == "+" else -offset)
    return zoneinfo.ZoneInfo(text)


def utc_text(instant):
    return instant.strftime("%Y-%m-%dT%H:%M:%SZ")


def sun_day(latitude, longitude, zone, date):
    # A midnight that a change of time skips reads with the offset before it: the first instant after the gap.
    start = datetime.datetime.combine(date, datetime.time(), zone).astimezone(UTC)
    end = datetime.datetime.combine(date + datetime.timedelta(days=1), datetime.time(), zone).astimezone(UTC)
    crossings = []
    day = start.date() - datetime.timedelta(days=1)
    while day <= end.date() + datetime.timedelta(days=1):
        noon = julian_day(datetime.datetime.combine(day, datetime.time(12), UTC))
        for rising in (True, False):
            julian = crossing(noon, latitude, longitude, rising)
            if julian is not None and start <= instant_of(julian) < end:
                crossings.append((instant_of(julian), "rise" if rising else "set"))
        day += datetime.timedelta(days=1)
    if crossings:
        sun = " ".join(f"{kind}@{utc_text(instant)}" for instant, kind in sorted(crossings))
    else:
        sun = "midnight-sun" if is_up(start + (end - start) / 2, latitude, longitude) else "polar-night"
    return f"{utc_text(start)} {utc_text(end)} {sun}"


for line in sys.stdin:
    if line.strip():
        latitude, longitude, zone, date = line.split()
        print(sun_day(float(latitude), float(longitude), zone_of(zone), datetime.date.fromisoformat(date)))
