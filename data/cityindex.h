#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// A city of the gazetteer: its name (French where one is known), its time zone (an id of the tz database),
// the place it is in ("Maroc", "Oregon, États-Unis"), its country's code, its population and the other
// names it is found by ("Beijing", "北京").
struct IndexedCity
{
    QString name;
    QString zone;
    QString place;
    QString country;
    quint32 population = 0;
    QStringList otherNames;
};

// The gazetteer of world cities, resources/cities/gazetteer.dat (made by make_index.py; its format is
// described there): about 24,000 cities of at least 15,000 people, most populous first, with the French
// and English names of their countries. The contents stay as one block of text; the index keeps only where
// each city's record and folded names begin, so that reading it makes no string per city and releasing it
// gives its memory back whole.
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

    qsizetype size() const { return qsizetype(m_cities.size()); }
    IndexedCity city(qsizetype i) const;

    // The cities the typed text finds, letter case, accents, hyphens and apostrophes aside, best first, at
    // most `limit`: the name itself, then a name beginning with the text, a word of the name, one of the
    // other names or a word of them, and last the largest cities of a country whose name (French or English)
    // begins with the text or whose code it is; within each, the most populous first.
    QList<IndexedCity> search(QStringView typed, qsizetype limit) const;
    // The zones of the cities of that name or other name (compared folded), most populous first.
    QStringList zonesOf(QStringView name) const;

    // What is wrong with a gazetteer file, in a few English words for the build; empty when it is sound:
    // its checksum holds and every city's folded names are the program's own folding of its names.
    static QString verify(QByteArrayView file);

private:
    struct City
    {
        quint32 record; // where its line begins in m_contents
        quint32 keys;   // where its line of folded names begins
        quint32 population;
        quint16 zone;
        quint16 country; // 0: none
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

    QByteArray m_contents;
    std::vector<City> m_cities;
    std::vector<quint32> m_keyLines; // where each city's folded names begin, in order, for the search
    QList<QByteArrayView> m_zones;
    QList<Country> m_countries; // number n at n - 1
    qsizetype m_keysBegin = 0, m_keysEnd = 0;
};

// The zone of a city of the default list, or of a name it had there before, letter case and accents aside;
// empty for any other name. A table of some sixty lines (resources/cities/defaults.tsv), read once: a start
// with the default list needs no gazetteer.
QString defaultCityZone(QStringView name);

// A text as the gazetteer compares it: compatibility decomposition, marks dropped, letter case folded,
// blanks, hyphens and apostrophes made single spaces, none at either end.
QString foldForSearch(QStringView text);
