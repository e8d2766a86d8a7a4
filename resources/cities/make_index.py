#!/usr/bin/python3
"""Generate Horlune's index of world cities, resources/cities/index.tsv.

The editor offers these cities as the user types a name: each comes with
its French name, its time zone and the country it is in.  Sources, all from
Debian packages (run with Debian's own python3):

  * libgeonames0, libgeonames-common: about 24,000 cities of the GeoNames
    gazetteer (data under CC-BY 4.0, https://www.geonames.org/) with their
    population, country and time zone, and their French names;
  * python3-icu: the French names of the countries;
  * tzdata: zone1970.tab, which names the zones, and tzdata.zi, whose links
    give the gazetteer's older zone names (Europe/Kiev) their present ones.

Chosen: every city of at least MIN_POPULATION people, the largest city of
every country, every city of the French overseas lands, the city that names
each zone of zone1970.tab, and the 59 cities of the default list
(make_cities.py) under the names they have there.

Output, UTF-8, one city per line, most populous first, tab-separated:
  French name, zone, place ("Chine", or "Oregon, États-Unis" where a
  country has two cities of that name), other names to search by
  ("|"-separated: the English name when it differs).

Usage: /usr/bin/python3 make_index.py [output-path]
"""

import ctypes
import os
import subprocess
import sys
import unicodedata
from pathlib import Path

import icu

from make_cities import CITIES

MIN_POPULATION = 350_000
# Names the default list gave its cities before, which lists saved then still hold: they keep their zone.
FORMER_NAMES = {"Terre-Neuve": "Saint-Jean de Terre-Neuve", "La Réunion": "Saint-Denis de La Réunion"}
OVERSEAS = {"GP", "MQ", "GF", "RE", "YT", "PM", "NC", "PF", "WF", "BL", "MF", "TF"}
ZONE_TABLE = Path("/usr/share/zoneinfo/zone1970.tab")
ZONE_DATA = Path("/usr/share/zoneinfo/tzdata.zi")


def geonames(language):
    """Every city of the gazetteer as (population, name, country code, state, zone), names in `language`."""
    # The library translates through gettext: a child process of its own for each language.
    script = r"""
import ctypes, sys
lib = ctypes.CDLL("libgeonames.so.0")
lib.geonames_get_n_cities.restype = ctypes.c_int
lib.geonames_get_city.restype = ctypes.c_void_p
lib.geonames_get_city.argtypes = [ctypes.c_int]
for field in ("name", "state", "country_code", "timezone"):
    function = getattr(lib, "geonames_city_get_" + field)
    function.restype = ctypes.c_char_p
    function.argtypes = [ctypes.c_void_p]
lib.geonames_city_get_population.restype = ctypes.c_uint
lib.geonames_city_get_population.argtypes = [ctypes.c_void_p]
ctypes.CDLL("libc.so.6").setlocale(6, b"")
for i in range(lib.geonames_get_n_cities()):
    city = lib.geonames_get_city(i)
    fields = [str(lib.geonames_city_get_population(city))] + [
        (getattr(lib, "geonames_city_get_" + f)(city) or b"").decode()
        for f in ("name", "country_code", "state", "timezone")]
    sys.stdout.write("\t".join(fields) + "\n")
"""
    environment = dict(os.environ, LC_ALL="C.UTF-8", LANGUAGE=language)
    output = subprocess.run([sys.executable, "-c", script], env=environment, check=True,
                            capture_output=True, text=True).stdout
    cities = []
    for line in output.splitlines():
        population, name, country, state, zone = line.split("\t")
        cities.append((int(population), name, country, state, zone))
    return cities


def fold(text):
    decomposed = unicodedata.normalize("NFKD", text)
    return "".join(c for c in decomposed if not unicodedata.combining(c)).casefold()


def clean(text):
    return " ".join(text.replace("\t", " ").split())


def main(argv):
    out = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent / "index.tsv"
    french = geonames("fr")
    english = geonames("en")
    if len(french) != len(english):
        raise SystemExit("the two languages list different cities")
    french_locale = icu.Locale("fr")

    def country_name(code):
        return icu.Locale("", code).getDisplayCountry(french_locale).replace("\u2019", "'")

    zones = {}  # zone -> the first country zone1970.tab gives it
    for line in ZONE_TABLE.read_text().splitlines():
        if line and not line.startswith("#"):
            codes, _, zone = line.split("\t")[:3]
            zones[zone] = codes.split(",")[0]

    chosen = {}  # index in the gazetteer -> why
    largest = {}
    for i, (population, _, country, _, zone) in enumerate(english):
        if population >= MIN_POPULATION or country in OVERSEAS:
            chosen[i] = True
        if country not in largest or population > english[largest[country]][0]:
            largest[country] = i
    chosen.update((i, True) for i in largest.values())
    # Each zone's own city, where the gazetteer has it in that zone.
    by_english_name = {}
    for i, (_, name, _, _, zone) in enumerate(english):
        by_english_name.setdefault((fold(name), zone), []).append(i)
    zone_cities = {}
    for zone in zones:
        city = zone.rsplit("/", 1)[-1].replace("_", " ")
        found = by_english_name.get((fold(city), zone))
        if found:
            best = max(found, key=lambda i: english[i][0])
            chosen[best] = True
        else:
            zone_cities[zone] = city

    links = {}
    for line in ZONE_DATA.read_text().splitlines():
        if line.startswith("L "):
            _, target, alias = line.split()[:3]
            links[alias] = target

    entries = []
    for i in chosen:
        population, name, country, state, zone = french[i]
        zone = links.get(zone, zone)
        if not zone:
            continue
        entries.append([population, clean(name), zone, country, clean(state), clean(english[i][1])])
    for zone, city in zone_cities.items():
        entries.append([0, city, zone, "", "", city])
    # The default list's cities under their own names, found first.
    for name, zone in CITIES:
        entries.append([10**9, name, zone, "", "", FORMER_NAMES.get(name, "")])

    # A country for the default cities and the zones' own cities: that of the gazetteer's city of that name
    # in that zone, else that of the most populous city of the zone, else the zone's own.
    named_country = {}
    zone_country = {}
    for (population, french_name, _, _, _), (_, english_name, country, _, zone) in zip(french, english):
        for name in (french_name, english_name):
            named_country.setdefault((fold(name), zone), country)
        if zone and (zone not in zone_country or population > zone_country[zone][0]):
            zone_country[zone] = (population, country)
    for entry in entries:
        if not entry[3]:
            entry[3] = named_country.get((fold(entry[1]), entry[2]),
                                         zone_country.get(entry[2], (0, zones.get(entry[2], "")))[1])

    # One entry per name and zone, the most populous kept.
    entries.sort(key=lambda e: (-e[0], fold(e[1])))
    seen = set()
    unique = []
    for entry in entries:
        key = (fold(entry[1]), entry[2])
        if key not in seen:
            seen.add(key)
            unique.append(entry)
    # Where a country has two cities of one name, the place names the state too.
    count = {}
    for entry in unique:
        count[(fold(entry[1]), entry[3])] = count.get((fold(entry[1]), entry[3]), 0) + 1

    lines = []
    for population, name, zone, country, state, english_name in unique:
        place = country_name(country) if country else ""
        if count[(fold(name), country)] > 1 and state:
            place = f"{state}, {place}" if place else state
        others = english_name if english_name and fold(english_name) != fold(name) else ""
        lines.append("\t".join((name, zone, place, others)))
    out.write_text("".join(line + "\n" for line in lines), encoding="utf-8")
    print(f"{len(lines)} villes écrites dans {out}")


if __name__ == "__main__":
    main(sys.argv)
