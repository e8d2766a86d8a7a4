#!/usr/bin/python3
"""Generate Horlune's gazetteer, resources/cities/gazetteer.dat, and what goes with it.

The clock searches it as the user types: in the editor of the city list,
and from the main window to learn the time of any city.  Sources, all from
Debian packages (run with Debian's own python3):

  * libgeonames0, libgeonames-common: the cities of the GeoNames gazetteer
    of at least 15,000 people (data under CC-BY 4.0,
    https://www.geonames.org/) with their population, country, state,
    time zone, latitude and longitude, and their names in many languages;
  * python3-icu: the French and English names of the countries, the
    language most spoken in each, whose name of a city is one it is found
    by, the French and English names of each zone's own city (CLDR's, which
    keep names people still type: Kiev, Alma Ata), and the transliteration
    that gives every Latin letter its base form (Latin-ASCII);
  * tzdata: zone1970.tab, which names the zones and places their own city,
    and tzdata.zi, whose links give the gazetteer's older zone names
    (Europe/Kiev) their present ones.

Chosen: every city of the gazetteer with a zone, the city that names each
zone of zone1970.tab, and the 59 cities of the default list (make_cities.py)
under the names they have there.  Each city has its French name (the one in
use where the gazetteer's is a former one: Busan, not Pusan), and as other
names its English one, that of its country's language, the names CLDR gives
its zone's city, and for a city known only in another script its name
transliterated (Зуунмод, Zuunmod), where they differ.  A zone whose city the
gazetteer lacks has an entry of its own, placed where zone1970.tab places it.

The file: a first line "HORLUNE-GAZETTEER 2", a second with the SHA-256 of
the contents and their size in bytes, then the contents compressed as Qt's
qUncompress reads them (their size on four bytes, big-endian, then a zlib
stream).  The contents, UTF-8, one record a line, fields separated by tabs:

  countries <n>, then per country: code, French name, the names it is
      found by folded (French and English, "|"-separated)
  zones <n>, then per zone: its id
  cities <n>, most populous first, then per city: name, country's number,
      zone's number, population (empty for a zone's own entry, which is no
      city of the gazetteer), state (only where its country has two cities
      of that name), other names ("|"-separated)
  keys <n>, then per city, in the same order: its names folded, "|"-separated
  places <n>, then per city, in the same order: latitude and longitude in
      degrees with two decimals, north and east positive ("48.85 2.35")

Folded: as the program compares texts (foldForSearch): compatibility
decomposition, marks dropped, simple case folding, every Latin letter that
no decomposition splits given its base form (ø o, æ ae, ß ss, ı i, þ th),
blanks, hyphens and apostrophes made single spaces.  The build checks every
folded name against the program's own folding and the checksum, and refuses
the file otherwise.

Beside it, defaults.tsv: the cities of the default list and their former
names, each with its zone and its latitude and longitude
("Terre-Neuve<tab>America/St_Johns<tab>47.56<tab>-52.71"), which the clock
reads at start instead of the whole gazetteer.

And data/latinletters.inc: the base forms of the Latin letters, which the
program's folding includes.

Usage: /usr/bin/python3 make_index.py [gazetteer-path [letters-path]]
(defaults.tsv goes beside the gazetteer)
"""

import hashlib
import os
import re
import struct
import subprocess
import sys
import unicodedata
import zlib
from pathlib import Path

import icu

from make_cities import CITIES

MAGIC = "HORLUNE-GAZETTEER 2"
# Names the default list gave its cities before, which lists saved then still hold: they keep their zone.
FORMER_NAMES = {"Terre-Neuve": "Saint-Jean de Terre-Neuve", "La Réunion": "Saint-Denis de La Réunion"}
# Default cities the gazetteer names otherwise, by the English name of its city in their zone.
GAZETTEER_NAMES = {"Terre-Neuve": "St. John's", "La Réunion": "Saint-Denis", "Rangoun": "Yangon"}
# French names of the gazetteer that are former ones, by country, with the name in use; the former one
# stays a name the city is found by.
NAMES_IN_USE = {("KR", "Pusan"): "Busan", ("PL", "Vratislavie"): "Wrocław"}
ZONE_TABLE = Path("/usr/share/zoneinfo/zone1970.tab")
ZONE_DATA = Path("/usr/share/zoneinfo/tzdata.zi")


def geonames(language):
    """Every city of the gazetteer as (population, name, country code, state, zone, latitude, longitude),
    names in `language`."""
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
for field in ("latitude", "longitude"):
    function = getattr(lib, "geonames_city_get_" + field)
    function.restype = ctypes.c_double
    function.argtypes = [ctypes.c_void_p]
lib.geonames_city_get_population.restype = ctypes.c_uint
lib.geonames_city_get_population.argtypes = [ctypes.c_void_p]
ctypes.CDLL("libc.so.6").setlocale(6, b"")
for i in range(lib.geonames_get_n_cities()):
    city = lib.geonames_get_city(i)
    fields = [str(lib.geonames_city_get_population(city))] + [
        (getattr(lib, "geonames_city_get_" + f)(city) or b"").decode()
        for f in ("name", "country_code", "state", "timezone")] + [
        repr(getattr(lib, "geonames_city_get_" + f)(city)) for f in ("latitude", "longitude")]
    sys.stdout.write("\t".join(fields) + "\n")
"""
    environment = dict(os.environ, LC_ALL="C.UTF-8", LANGUAGE=language)
    output = subprocess.run([sys.executable, "-c", script], env=environment, check=True,
                            capture_output=True, text=True).stdout
    cities = []
    for line in output.splitlines():
        population, name, country, state, zone, latitude, longitude = line.split("\t")
        cities.append((int(population), name, country, state, zone, float(latitude), float(longitude)))
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


# Qualifiers of a letter's Unicode name that leave its base letter: "LATIN SMALL LETTER OPEN O" is an o.
NAME_QUALIFIERS = {"SMALL", "CAPITAL", "LETTER", "TURNED", "REVERSED", "INVERTED", "OPEN", "CLOSED", "SIDEWAYS",
                   "BARRED", "DOTLESS", "SCRIPT", "INSULAR", "BLACKLETTER", "STRETCHED", "SQUAT", "LONG", "BROKEN"}


def latin_letters():
    """The base form of each Latin letter that remains once decomposed, marks dropped and case folded: ICU's
    Latin-ASCII transliteration where it gives letters ("ø" o, "ß" ss, "þ" th), else the letter its Unicode
    name says ("ɔ", LATIN SMALL LETTER OPEN O: o; "ə", SCHWA: e); " " for the other apostrophes and the
    letters and signs written as one ("‘", "ʻ", "ʿ"), which separate words as the apostrophe does. Letters
    with no base form (clicks, glottal stops, tone letters) are left out and stay as they are."""
    transliterate = icu.Transliterator.createInstance("Latin-ASCII")
    latin = icu.UnicodeSet("[:Latin:]")
    modifiers = icu.UnicodeSet("[[:Lm:]&[:Common:]]")
    table = {}
    for code in range(0x80, 0x10000):
        if 0xD800 <= code <= 0xDFFF:
            continue
        for d in unicodedata.normalize("NFKD", chr(code)):
            if unicodedata.category(d).startswith("M") or is_blank(d) or d in SEPARATORS:
                continue
            d = fold_character(d)
            if ord(d) < 0x80 or d in table:
                continue
            base = transliterate.transliterate(d)
            if base == "'" or (modifiers.contains(d) and "HALF RING" in unicodedata.name(d, "")):
                table[d] = " "  # an apostrophe, or a sign written for one ("Dar‘ā", "Sanʿa")
            elif not unicodedata.category(d).startswith("L"):
                continue
            elif not latin.contains(d) or unicodedata.category(d) == "Lm":
                continue
            elif base.isascii() and base.isalpha():
                table[d] = base.lower()
            else:
                words = [w for w in unicodedata.name(d, "").split() if w not in NAME_QUALIFIERS]
                if words and words[0] == "LATIN":
                    words = words[1:]
                if words and len(words[0]) == 1 and "A" <= words[0] <= "Z":
                    table[d] = words[0].lower()
                elif words and words[0] == "SCHWA":
                    table[d] = "e"
    return table


LETTERS = latin_letters()


def fold(text):
    out = []

    def separate():
        if out and out[-1] != " ":
            out.append(" ")

    for c in unicodedata.normalize("NFKD", text):
        if unicodedata.category(c).startswith("M"):
            continue
        if is_blank(c) or c in SEPARATORS:
            separate()
            continue
        c = fold_character(c)
        base = LETTERS.get(c)
        if base == " ":
            separate()
        else:
            out.append(base if base is not None else c)
    if out and out[-1] == " ":
        out.pop()
    return "".join(out)


def clean(text):
    return " ".join(text.replace("\t", " ").replace("|", " ").split())


def zone_table():
    """Each zone of zone1970.tab with the first country it gives and its city's latitude and longitude."""
    zones = {}
    for line in ZONE_TABLE.read_text().splitlines():
        if line and not line.startswith("#"):
            codes, place, zone = line.split("\t")[:3]
            # "+4852+00220" or "+404251-0740023": degrees and minutes, or degrees, minutes and seconds.
            parts = re.fullmatch(r"([+-]\d+)([+-]\d+)", place).groups()
            degrees = []
            for part, width in zip(parts, (2, 3)):
                digits = part[1:]
                value = int(digits[:width]) + int(digits[width:width + 2]) / 60 + int(digits[width + 2:] or 0) / 3600
                degrees.append(-value if part[0] == "-" else value)
            zones[zone] = (codes.split(",")[0], degrees[0], degrees[1])
    return zones


def zone_city_names(zone):
    """The names of a zone's own city: CLDR's French and English ones where ICU knows the zone ("Kiev",
    "Kyiv" for Europe/Kyiv), and the zone's own ("Ho Chi Minh"). A state or country after the name
    ("Tripoli (Libye)", "Knox [Indiana]") is left out."""
    names = []
    timezone = icu.TimeZone.createTimeZone(zone)
    if timezone.getID() == zone:
        for language in ("fr", "en"):
            exemplar = icu.SimpleDateFormat("VVV", icu.Locale(language))
            exemplar.setTimeZone(timezone)
            names.append(re.sub(r"\s*[\[(,].*$", "", exemplar.format(0.0)).replace("\u2019", "'"))
    names.append(zone.rsplit("/", 1)[-1].replace("_", " "))
    unique = []
    for name in names:
        if name and fold(name) not in [fold(n) for n in unique]:
            unique.append(name)
    return unique


def one_letter_away(a, b):
    """Whether two texts differ by one letter changed, added or removed."""
    if abs(len(a) - len(b)) > 1 or a == b:
        return False
    if len(a) > len(b):
        a, b = b, a
    i = 0
    while i < len(a) and a[i] == b[i]:
        i += 1
    return a[i + (len(a) == len(b)):] == b[i + 1:]


def degrees(value):
    text = f"{value:.2f}"
    return "0.00" if text == "-0.00" else text


def write_letters(path):
    lines = ["// The base form of each Latin letter that remains once decomposed, marks dropped and case folded, from",
             "// ICU's Latin-ASCII transliteration; \" \" for an apostrophe. Made by resources/cities/make_index.py,",
             "// which folds the gazetteer's names with the same table: do not edit.",
             "// clang-format off"]
    for letter, base in sorted(LETTERS.items()):
        lines.append(f"{{0x{ord(letter):04X}, \"{base}\"}}, // {letter} {unicodedata.name(letter).lower()}")
    lines.append("// clang-format on")
    path.write_text("".join(line + "\n" for line in lines), encoding="utf-8")


def main(argv):
    out = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent / "gazetteer.dat"
    letters = Path(argv[2]) if len(argv) > 2 else Path(__file__).resolve().parents[2] / "data" / "latinletters.inc"
    french = geonames("fr")
    english = geonames("en")
    if len(french) != len(english):
        raise SystemExit("the two languages list different cities")
    french_locale, english_locale = icu.Locale("fr"), icu.Locale("en")

    def country_name(code, locale):
        return icu.Locale("", code).getDisplayCountry(locale).replace("\u2019", "'")

    def country_language(code):
        return icu.Locale.addLikelySubtags(icu.Locale("und_" + code)).getLanguage()

    zones = zone_table()
    links = {}
    for line in ZONE_DATA.read_text().splitlines():
        if line.startswith("L "):
            _, target, alias = line.split()[:3]
            links[alias] = target

    # The name of each city in its country's language.
    languages = sorted({country_language(c[2]) for c in english if c[2]} - {"fr", "en"})
    local_names = [None] * len(english)
    for language in languages:
        names = geonames(language)
        if len(names) != len(english):
            raise SystemExit(f"the gazetteer in {language} lists other cities")
        for i, city in enumerate(names):
            if city[2] and country_language(city[2]) == language:
                local_names[i] = city[1]

    # entry: population (None: not a city of the gazetteer), French name, zone, country code, state, other
    # names, latitude, longitude
    entries = []
    for i, (city, english_city) in enumerate(zip(french, english)):
        population, name, country, state, zone, latitude, longitude = city
        zone = links.get(zone, zone)
        if not zone:
            continue
        name = clean(name)
        others = [clean(english_city[1])]
        if (country, name) in NAMES_IN_USE:
            others.insert(0, name)
            name = NAMES_IN_USE[(country, name)]
        if local_names[i]:
            others.append(clean(local_names[i]))
        entries.append([population, name, zone, country, clean(state), others, latitude, longitude])

    def index_names():
        by_name = {}
        for entry in entries:
            for name in [entry[1]] + entry[5]:
                key = (fold(name), entry[2])
                if key not in by_name or (entry[0] or 0) > (by_name[key][0] or 0):
                    by_name[key] = entry
        return by_name

    # The default list's cities under their own names: the gazetteer's city of that name (French or English)
    # in that zone takes it, its own names kept as other names; a city the gazetteer lacks has its own entry,
    # placed where its zone's city is.
    by_name = index_names()
    for name, zone in CITIES:
        entry = by_name.get((fold(name), zone)) or by_name.get((fold(GAZETTEER_NAMES.get(name, "")), zone))
        former = [FORMER_NAMES[name]] if name in FORMER_NAMES else []
        if entry:
            entry[5] = [entry[1]] + former + entry[5]
            entry[1] = name
        else:
            _, latitude, longitude = zones[zone]
            entries.append([0, name, zone, "", "", former, latitude, longitude])
    # Each zone's own city: the gazetteer's city of one of its names in that zone takes the others; where
    # the gazetteer has none, the zone's own entry, French name first.
    by_name = index_names()
    for zone, (code, latitude, longitude) in zones.items():
        names = zone_city_names(zone)
        found = [by_name[(fold(n), zone)] for n in names if (fold(n), zone) in by_name]
        if not found:
            # Spelt otherwise by the gazetteer (Aqtobe, Aktobe): a city of the zone one letter away.
            found = [entry for (key, in_zone), entry in by_name.items()
                     if in_zone == zone and entry[0] and any(len(key) > 4 and one_letter_away(key, fold(n)) for n in names)]
        if found:
            entry = max(found, key=lambda e: e[0] or 0)
            entry[5].extend(names)
        else:
            entries.append([None, names[0], zone, "", "", names[1:], latitude, longitude])

    # A country for the cities without one: that of the most populous city of their zone, else the zone's own.
    zone_country = {}
    for entry in entries:
        if entry[3] and (entry[2] not in zone_country or (entry[0] or 0) > zone_country[entry[2]][0]):
            zone_country[entry[2]] = (entry[0] or 0, entry[3])
    for entry in entries:
        if not entry[3]:
            entry[3] = zone_country.get(entry[2], (0, zones.get(entry[2], ("",))[0]))[1]

    # One entry per name and zone, the most populous kept; most populous first.
    entries.sort(key=lambda e: (-(e[0] or 0), e[0] is None, fold(e[1]), e[1], e[2]))
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
    places = []
    romanize = icu.Transliterator.createInstance("Any-Latin; Latin-ASCII")
    for population, name, zone, country, state, others, latitude, longitude in unique:
        # A city known only by names in another script is found by their transliteration too ("Зуунмод",
        # Zuunmod).
        if not any(fold(n).isascii() for n in [name] + others):
            others = others + [romanize.transliterate(name)]
        distinct = []
        folded = [fold(name)]
        for other in others:
            if other and fold(other) not in folded:
                folded.append(fold(other))
                distinct.append(other)
        state = state if count[(fold(name), country)] > 1 else ""
        lines.append("\t".join((name, str(country_number.get(country, 0)), str(zone_number[zone]),
                                "" if population is None else str(population), state, "|".join(distinct))))
        keys.append("|".join(folded))
        places.append(f"{degrees(latitude)} {degrees(longitude)}")
    lines.append(f"keys\t{len(keys)}")
    lines.extend(keys)
    lines.append(f"places\t{len(places)}")
    lines.extend(places)
    contents = "".join(line + "\n" for line in lines).encode("utf-8")

    digest = hashlib.sha256(contents).hexdigest()
    packed = struct.pack(">I", len(contents)) + zlib.compress(contents, 9)
    out.write_bytes(f"{MAGIC}\n{digest} {len(contents)}\n".encode("ascii") + packed)
    # The default list's cities and their former names with their zones and places, which a start with that
    # list reads instead of the whole gazetteer.
    place_of = {(e[1], e[2]): (e[6], e[7]) for e in unique}
    defaults = [(name, zone, place_of[(name, zone)]) for name, zone in CITIES]
    defaults += [(FORMER_NAMES[n], z, place_of[(n, z)]) for n, z in CITIES if n in FORMER_NAMES]
    (out.parent / "defaults.tsv").write_text(
        "".join(f"{name}\t{zone}\t{degrees(place[0])}\t{degrees(place[1])}\n" for name, zone, place in defaults),
        encoding="utf-8")
    write_letters(letters)
    print(f"{len(unique)} villes, {len(countries)} pays, {len(zone_ids)} fuseaux écrits dans {out} "
          f"({len(packed)} octets, {len(contents)} décompressés) ; {len(LETTERS)} lettres latines dans {letters}")


if __name__ == "__main__":
    main(sys.argv)
