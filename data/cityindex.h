#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "data/coordinates.h"

// A city of the gazetteer: its name (French where one is known), its time zone (an id of the tz database),
// the place it is in ("Maroc", "Oregon, États-Unis"), its country's code, its population, the other names
// it is found by ("Beijing", "北京") and where it lies (to a hundredth of a degree). A zone's own entry is a
// place that names a zone and that the gazetteer has no city for (an island, a territory: "Açores").
struct IndexedCity
{
    QString name;
    QString zone;
    QString place;
    QString country;
    quint32 population = 0;
    QStringList otherNames;
    double latitude = 0;
    double longitude = 0;
    bool zoneEntry = false;
};

// The gazetteer of world cities, resources/cities/gazetteer.dat (made by make_index.py; its format is
// described there): about 24,000 cities of at least 15,000 people, most populous first, with the French
// and English names of their countries. The contents stay as one block of text; the index keeps only where
// each city's record and folded names begin, and its latitude and longitude in four bytes, so that reading
// it makes no string per city and releasing it gives its memory back whole.
class CityIndex
{
public:
    // Reads a gazetteer file's bytes; an empty index when they are not a whole gazetteer (a wrong first
    // line, contents that do not uncompress to their stated size, counts or numbers that do not hold).
    explicit CityIndex(QByteArrayView file);
    // The gazetteer compiled into the program, read when first asked for and kept while one of those who
    // asked holds it: the clock needs it only while it loads its cities, a search box while it is open.
    static std::shared_ptr<const CityIndex> shared();
    // The same, kept for good (the tests and the fuzzers).
    static const CityIndex& builtIn();
    // How many times the compiled-in gazetteer has been read so far (the tests count them).
    static int readings();

    qsizetype size() const { return qsizetype(m_cities.size()); }
    IndexedCity city(qsizetype i) const;

    // The cities the typed text finds, letter case, accents, hyphens and apostrophes aside, best first, at
    // most `limit`: the name itself, then a name beginning with the text, a word of the name, one of the
    // other names or a word of them, then the largest cities of a country whose name (French or English)
    // begins with the text or whose code it is; within each, the most populous first, except that a zone's
    // own entry comes after the cities of its zone the text names. Last, when there is room left, the
    // names that begin with the text but for one typing error (a text of four letters or more) or two (eight
    // or more): a letter changed, added, left out or two swapped; the fewest errors first, then the most
    // populous.
    QList<IndexedCity> search(QStringView typed, qsizetype limit) const;
    // The zones of the cities of that name or other name (compared folded), most populous first.
    QStringList zonesOf(QStringView name) const;
    // Where the most populous city of that name or other name (compared folded) in that zone lies; none
    // when the gazetteer has no such city.
    std::optional<Coordinates> coordinatesOf(QStringView name, QStringView zone) const;

    // What is wrong with a gazetteer file, in a few English words for the build; empty when it is sound:
    // its checksum holds and every city's folded names are the program's own folding of its names.
    static QString verify(QByteArrayView file);
    // The same of the default list's table (defaults.tsv) beside this gazetteer: every line a name, a zone
    // and where the gazetteer's city of that name in that zone lies.
    QString verifyDefaultCities(QByteArrayView table) const;

private:
    struct City
    {
        quint32 record; // where its line begins in m_contents
        quint32 population;
        quint16 zone;
        quint16 country : 15; // 0: none
        quint16 zoneEntry : 1;
        qint16 latitude; // hundredths of a degree
        qint16 longitude;
    };
    struct Country
    {
        QString code;
        QString name;
        QStringList keys;
    };
    bool read(QByteArrayView file);
    // The fields of the line that begins at `offset`.
    QList<QByteArrayView> fieldsAt(quint32 offset) const;
    QByteArrayView zoneId(quint16 zone) const;
    // The cities of which one name, folded, is the name given, folded; most populous first.
    std::vector<quint32> wholeNameMatches(QStringView name) const;
    // The number of the city whose folded names hold the offset `at` of the contents.
    quint32 cityAt(qsizetype at) const;
    // The cities named but for one or two typing errors, with how many.
    struct Approximate
    {
        quint32 city;
        quint8 errors;
    };
    std::vector<Approximate> approximateMatches(QByteArrayView needle, int errors) const;

    QByteArray m_contents;
    std::vector<City> m_cities;
    std::vector<quint32> m_keyLines; // where each city's folded names begin, in order, for the search
    struct Span
    {
        quint32 offset;
        quint32 size;
    };
    std::vector<Span> m_zones;  // each zone's id in m_contents
    QList<Country> m_countries; // number n at n - 1
    qsizetype m_keysBegin = 0, m_keysEnd = 0;
};

// The zone of a city of the default list, or of a name it had there before, letter case and accents aside;
// empty for any other name. A table of some sixty lines (resources/cities/defaults.tsv), read once: a start
// with the default list needs no gazetteer.
QString defaultCityZone(QStringView name);
// Where a city of the default list (or of a name it had there) lies, from the same table, when `zone` is
// its zone; none otherwise.
std::optional<Coordinates> defaultCityCoordinates(QStringView name, QStringView zone);
// Where each city of a list lies, given its name and the zone it follows (empty: its own offsets, no
// place): the gazetteer's city of that name in that zone, the default list's table first, so that the
// gazetteer is read (once) only for a city the table does not place; `gazetteer`, when given, is the one
// read already (the zones' lookup may have needed it).
QList<std::optional<Coordinates>> cityCoordinates(const QStringList& names, const QStringList& zones,
                                                  const CityIndex* gazetteer = nullptr);

// A text as the gazetteer compares it: compatibility decomposition, marks dropped, letter case folded,
// every Latin letter that no decomposition splits given its base form (ø o, æ ae, ß ss, ı i, þ th), blanks,
// hyphens and apostrophes made single spaces, none at either end.
QString foldForSearch(QStringView text);
