#!/usr/bin/env python3
"""Generate Horlune's default city list, resources/horlune.ini.

Each of the 59 cities gets two offsets from Universal Time, in hours:
the "summer" offset, in force from late March to late October, and the
"winter" offset, in force the rest of the year.  They are read from the
system time-zone database (/usr/share/zoneinfo) through zoneinfo, on two
reference instants of 2026:

    summer: 2026-07-01 12:00 UTC
    winter: 2026-01-15 12:00 UTC

Southern-hemisphere cities are taken as they are: their "summer" offset
is the one in force from March to October (Sydney: summer 10, winter 11).

Output format (what Horlune reads back):
  * one city per line: name,summerOffset,winterOffset
  * lines end with CR LF, the last one too; no header, no blank line;
  * offsets are the shortest decimal text with "." as the decimal point
    (2, -5, 0, 5.5, 5.75, -3.5, 10.5);
  * encoded in Windows-1252;
  * sorted by winter offset (as a number), then by the summer offset's
    text (compared as text), then by the name, compared case-insensitively
    with accents folded.

Usage: python3 make_cities.py [output-path]
(default output: horlune.ini in the folder above this script)

Standard library only.
"""

import sys
import unicodedata
from datetime import datetime, timezone
from pathlib import Path
from zoneinfo import ZoneInfo

SUMMER_INSTANT = datetime(2026, 7, 1, 12, 0, tzinfo=timezone.utc)
WINTER_INSTANT = datetime(2026, 1, 15, 12, 0, tzinfo=timezone.utc)

# (French name, IANA zone), roughly from west to east.
CITIES = [
    # Pacific and North America
    ("Honolulu", "Pacific/Honolulu"),
    ("Papeete", "Pacific/Tahiti"),
    ("Anchorage", "America/Anchorage"),
    ("Los Angeles", "America/Los_Angeles"),
    ("Denver", "America/Denver"),
    ("Mexico", "America/Mexico_City"),
    ("Chicago", "America/Chicago"),
    ("New York", "America/New_York"),
    ("Montréal", "America/Toronto"),
    ("La Havane", "America/Havana"),
    ("Terre-Neuve", "America/St_Johns"),
    # Caribbean and South America
    ("Bogota", "America/Bogota"),
    ("Lima", "America/Lima"),
    ("Caracas", "America/Caracas"),
    ("Fort-de-France", "America/Martinique"),
    ("Santiago", "America/Santiago"),
    ("Buenos Aires", "America/Argentina/Buenos_Aires"),
    ("São Paulo", "America/Sao_Paulo"),
    # Atlantic
    ("Nuuk", "America/Nuuk"),
    ("Praia", "Atlantic/Cape_Verde"),
    ("Ponta Delgada", "Atlantic/Azores"),
    ("Reykjavik", "Atlantic/Reykjavik"),
    # Europe
    ("Londres", "Europe/London"),
    ("Lisbonne", "Europe/Lisbon"),
    ("Paris", "Europe/Paris"),
    ("Madrid", "Europe/Madrid"),
    ("Berlin", "Europe/Berlin"),
    ("Athènes", "Europe/Athens"),
    ("Istanbul", "Europe/Istanbul"),
    ("Moscou", "Europe/Moscow"),
    # Africa
    ("Dakar", "Africa/Dakar"),
    ("Casablanca", "Africa/Casablanca"),
    ("Alger", "Africa/Algiers"),
    ("Kinshasa", "Africa/Kinshasa"),
    ("Le Caire", "Africa/Cairo"),
    ("Le Cap", "Africa/Johannesburg"),
    ("Nairobi", "Africa/Nairobi"),
    # Middle East and Indian Ocean
    ("Jérusalem", "Asia/Jerusalem"),
    ("Riyad", "Asia/Riyadh"),
    ("Téhéran", "Asia/Tehran"),
    ("Dubaï", "Asia/Dubai"),
    ("La Réunion", "Indian/Reunion"),
    # Asia
    ("Kaboul", "Asia/Kabul"),
    ("Karachi", "Asia/Karachi"),
    ("New Delhi", "Asia/Kolkata"),
    ("Katmandou", "Asia/Kathmandu"),
    ("Dacca", "Asia/Dhaka"),
    ("Rangoun", "Asia/Yangon"),
    ("Bangkok", "Asia/Bangkok"),
    ("Singapour", "Asia/Singapore"),
    ("Pékin", "Asia/Shanghai"),
    ("Séoul", "Asia/Seoul"),
    ("Tokyo", "Asia/Tokyo"),
    # Oceania
    ("Darwin", "Australia/Darwin"),
    ("Adélaïde", "Australia/Adelaide"),
    ("Sydney", "Australia/Sydney"),
    ("Nouméa", "Pacific/Noumea"),
    ("Auckland", "Pacific/Auckland"),
    ("Kiritimati", "Pacific/Kiritimati"),
]


def offset_minutes(zone, instant):
    """UTC offset of `zone` at `instant`, in whole minutes (east positive)."""
    seconds = instant.astimezone(ZoneInfo(zone)).utcoffset().total_seconds()
    if seconds % 60:
        raise ValueError(f"{zone}: offset {seconds} s is not a whole minute")
    return int(seconds) // 60


def offset_text(minutes):
    """Shortest decimal text of minutes/60 hours: 2, -5, 0, 5.5, 5.75."""
    if minutes % 15:
        raise ValueError(f"offset of {minutes} min is not a quarter hour")
    sign = "-" if minutes < 0 else ""
    quarters = abs(minutes) // 15
    whole, rest = divmod(quarters, 4)
    return sign + str(whole) + ("", ".25", ".5", ".75")[rest]


def fold(name):
    """Name without accents, case-folded, for sorting."""
    decomposed = unicodedata.normalize("NFKD", name)
    bare = "".join(c for c in decomposed if not unicodedata.combining(c))
    return bare.casefold()


def check_name(name):
    if "," in name or '"' in name:
        raise ValueError(f"{name!r}: no comma or double quote allowed")
    if name != name.strip() or not name:
        raise ValueError(f"{name!r}: empty or padded name")
    name.encode("cp1252")  # raises UnicodeEncodeError if not representable


def build_rows():
    if len(CITIES) != 59:
        raise SystemExit(f"expected 59 cities, found {len(CITIES)}")
    names = [fold(n) for n, _ in CITIES]
    if len(set(names)) != len(names):
        raise SystemExit("duplicate city name")
    rows = []
    for name, zone in CITIES:
        check_name(name)
        summer = offset_minutes(zone, SUMMER_INSTANT)
        winter = offset_minutes(zone, WINTER_INSTANT)
        rows.append((name, zone, summer, winter))
    rows.sort(key=lambda r: (r[3], offset_text(r[2]), fold(r[0])))
    return rows


def main(argv):
    if len(argv) > 2:
        raise SystemExit("usage: make_cities.py [output-path]")
    out = Path(argv[1]) if len(argv) == 2 else (
        Path(__file__).resolve().parent.parent / "horlune.ini")

    rows = build_rows()
    text = "".join(
        f"{name},{offset_text(summer)},{offset_text(winter)}\r\n"
        for name, _, summer, winter in rows)
    out.write_bytes(text.encode("cp1252"))

    print(f"{'Ville':<27}{'Zone':<32}{'Eté':>6}{'Hiver':>7}")
    for name, zone, summer, winter in rows:
        print(f"{name:<27}{zone:<32}"
              f"{offset_text(summer):>6}{offset_text(winter):>7}")
    print(f"{len(rows)} villes écrites dans {out}")


if __name__ == "__main__":
    main(sys.argv)
