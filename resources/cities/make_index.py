#!/usr/bin/python3
"""Generate Horlune's gazetteer, resources/cities/gazetteer.dat.

The clock searches it as the user types: in the editor of the city list,
and from the main window to learn the time of any city.  Sources, all from
Debian packages (run with Debian's own python3):

  * libgeonames0, libgeonames-common: the cities of the GeoNames gazetteer
    of at least 15,000 people (data under CC-BY 4.0,
    https://www.geonames.org/) with their population, country, state and
    time zone, and their names in many languages;
  * python3-icu: the French and English names of the countries, and the
    language most spoken in each, whose name of a city is one it is found by;
  * tzdata: zone1970.tab, which names the zones, and tzdata.zi, whose links
    give the gazetteer's older zone names (Europe/Kiev) their present ones.

Chosen: every city of the gazetteer with a zone, the city that names each
zone of zone1970.tab, and the 59 cities of the default list (make_cities.py)
under the names they have there.  Each city has its French name, and as
other names its English one and that of its country's language where they
differ.

The file: a first line "HORLUNE-GAZETTEER 1", a second with the SHA-256 of
the contents and their size in bytes, then the contents compressed as Qt's
qUncompress reads them (their size on four bytes, big-endian, then a zlib
stream).  The contents, UTF-8, one record a line, fields separated by tabs:

  countries <n>, then per country: code, French name, the names it is
      found by folded (French and English, "|"-separated)
  zones <n>, then per zone: its id
  cities <n>, most populous first, then per city: name, country's number,
      zone's number, population, state (only where its country has two
      cities of that name), other names ("|"-separated)
  keys <n>, then per city, in the same order: its names folded, "|"-separated

Folded: as the program compares texts (foldForSearch): compatibility
decomposition, marks dropped, simple case folding, blanks, hyphens and
apostrophes made single spaces.  The build checks every folded name
against the program's own folding and the checksum, and refuses the file
otherwise.

Beside it, defaults.tsv: the cities of the default list and their former
names, each with its zone ("Terre-Neuve<tab>America/St_Johns"), which the
clock reads at start instead of the whole gazetteer.

Usage: /usr/bin/python3 make_index.py [output-path]
"""

import hashlib
import os
import struct
import subprocess
import sys
import unicodedata
import zlib
from pathlib import Path

import icu

from make_cities import CITIES

MAGIC = "HORLUNE-GAZETTEER 1"
# Names the default list gave its cities before, which lists saved then still hold: they keep their zone.
FORMER_NAMES = {"Terre-Neuve": "Saint-Jean de Terre-Neuve", "La Réunion": "Saint-Denis de La Réunion"}
# Default cities the gazetteer names otherwise, by the English name of its city in their zone.
GAZETTEER_NAMES = {"Terre-Neuve": "St. John's", "La Réunion": "Saint-Denis", "Rangoun": "Yangon"}
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


SEPARATORS = {"-", "'", "\u2019"}


def fold_character(c):
    """One character as the program folds it (QChar::toCaseFolded: simple case folding)."""
    if ord(c) > 0xFFFF:
        return c  # the program folds UTF-16 units: a surrogate stays as it is
    folded = c.casefold()
    if len(folded) == 1:
        return folded
    lower = c.lower()
    return lower if len(lower) == 1 else c


def is_blank(c):
    return ord(c) in (0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x85) or unicodedata.category(c) in ("Zs", "Zl", "Zp")


def fold(text):
    out = []
    for c in unicodedata.normalize("NFKD", text):
        if unicodedata.category(c).startswith("M"):
            continue
        if is_blank(c) or c in SEPARATORS:
            if out and out[-1] != " ":
                out.append(" ")
            continue
        out.append(fold_character(c))
    if out and out[-1] == " ":
        out.pop()
    return "".join(out)


def clean(text):
    return " ".join(text.replace("\t", " ").replace("|", " ").split())


def main(argv):
    out = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent / "gazetteer.dat"
    french = geonames("fr")
    english = geonames("en")
    if len(french) != len(english):
        raise SystemExit("the two languages list different cities")
    french_locale, english_locale = icu.Locale("fr"), icu.Locale("en")

    def country_name(code, locale):
        return icu.Locale("", code).getDisplayCountry(locale).replace("\u2019", "'")

    def country_language(code):
        return icu.Locale.addLikelySubtags(icu.Locale("und_" + code)).getLanguage()

    zones = {}  # zone -> the first country zone1970.tab gives it
    for line in ZONE_TABLE.read_text().splitlines():
        if line and not line.startswith("#"):
            codes, _, zone = line.split("\t")[:3]
            zones[zone] = codes.split(",")[0]
    links = {}
    for line in ZONE_DATA.read_text().splitlines():
        if line.startswith("L "):
            _, target, alias = line.split()[:3]
            links[alias] = target

    # The name of each city in its country's language.
    languages = sorted({country_language(c) for _, _, c, _, _ in english if c} - {"fr", "en"})
    local_names = [None] * len(english)
    for language in languages:
        names = geonames(language)
        if len(names) != len(english):
            raise SystemExit(f"the gazetteer in {language} lists other cities")
        for i, (_, name, country, _, _) in enumerate(names):
            if country and country_language(country) == language:
                local_names[i] = name

    # entry: population, French name, zone, country code, state, other names
    entries = []
    for i, ((population, name, country, state, zone), (_, english_name, _, _, _)) in enumerate(zip(french, english)):
        zone = links.get(zone, zone)
        if not zone:
            continue
        others = [clean(english_name)]
        if local_names[i]:
            others.append(clean(local_names[i]))
        entries.append([population, clean(name), zone, country, clean(state), others])

    # The default list's cities under their own names: the gazetteer's city of that name (French or English)
    # in that zone takes it, its own names kept as other names; a city the gazetteer lacks has its own entry.
    by_name = {}
    for entry in entries:
        for name in [entry[1]] + entry[5]:
            key = (fold(name), entry[2])
            if key not in by_name or entry[0] > by_name[key][0]:
                by_name[key] = entry
    for name, zone in CITIES:
        entry = by_name.get((fold(name), zone)) or by_name.get((fold(GAZETTEER_NAMES.get(name, "")), zone))
        former = [FORMER_NAMES[name]] if name in FORMER_NAMES else []
        if entry:
            entry[5] = [entry[1]] + former + entry[5]
            entry[1] = name
        else:
            entries.append([0, name, zone, "", "", former])
    # Each zone's own city, where the gazetteer lacks it.
    for zone in zones:
        city = zone.rsplit("/", 1)[-1].replace("_", " ")
        if (fold(city), zone) not in by_name and not any(fold(n) == fold(city) and z == zone for n, z in CITIES):
            entries.append([0, city, zone, "", "", []])

    # A country for the cities without one: that of the most populous city of their zone, else the zone's own.
    zone_country = {}
    for entry in entries:
        if entry[3] and (entry[2] not in zone_country or entry[0] > zone_country[entry[2]][0]):
            zone_country[entry[2]] = (entry[0], entry[3])
    for entry in entries:
        if not entry[3]:
            entry[3] = zone_country.get(entry[2], (0, zones.get(entry[2], "")))[1]

    # One entry per name and zone, the most populous kept; most populous first.
    entries.sort(key=lambda e: (-e[0], fold(e[1]), e[1], e[2]))
    seen = set()
    unique = []
    for entry in entries:
        key = (fold(entry[1]), entry[2])
        if key not in seen and entry[1]:
            seen.add(key)
            unique.append(entry)
    # Where a country has two cities of one name, the state tells them apart.
    count = {}
    for entry in unique:
        count[(fold(entry[1]), entry[3])] = count.get((fold(entry[1]), entry[3]), 0) + 1

    countries = sorted({e[3] for e in unique if e[3]})
    country_number = {code: n + 1 for n, code in enumerate(countries)}  # 0: none
    zone_ids = sorted({e[2] for e in unique})
    zone_number = {zone: n for n, zone in enumerate(zone_ids)}

    lines = [f"countries\t{len(countries)}"]
    for code in countries:
        names = [country_name(code, french_locale), country_name(code, english_locale)]
        keys = []
        for name in names:
            if fold(name) not in keys:
                keys.append(fold(name))
        lines.append("\t".join((code, names[0], "|".join(keys))))
    lines.append(f"zones\t{len(zone_ids)}")
    lines.extend(zone_ids)
    lines.append(f"cities\t{len(unique)}")
    keys = []
    for population, name, zone, country, state, others in unique:
        distinct = []
        folded = [fold(name)]
        for other in others:
            if other and fold(other) not in folded:
                folded.append(fold(other))
                distinct.append(other)
        state = state if count[(fold(name), country)] > 1 else ""
        lines.append("\t".join((name, str(country_number.get(country, 0)), str(zone_number[zone]), str(population),
                                state, "|".join(distinct))))
        keys.append("|".join(folded))
    lines.append(f"keys\t{len(keys)}")
    lines.extend(keys)
    contents = "".join(line + "\n" for line in lines).encode("utf-8")

    digest = hashlib.sha256(contents).hexdigest()
    packed = struct.pack(">I", len(contents)) + zlib.compress(contents, 9)
    out.write_bytes(f"{MAGIC}\n{digest} {len(contents)}\n".encode("ascii") + packed)
    # The default list's cities and their former names with their zones, which a start with that list reads
    # instead of the whole gazetteer.
    defaults = [(name, zone) for name, zone in CITIES] + [(FORMER_NAMES[n], z) for n, z in CITIES if n in FORMER_NAMES]
    (out.parent / "defaults.tsv").write_text("".join(f"{name}\t{zone}\n" for name, zone in defaults), encoding="utf-8")
    print(f"{len(unique)} villes, {len(countries)} pays, {len(zone_ids)} fuseaux écrits dans {out} "
          f"({len(packed)} octets, {len(contents)} décompressés)")


if __name__ == "__main__":
    main(sys.argv)
