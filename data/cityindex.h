#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

// A city of the index the editor offers: its French name, its time zone (an id of the tz database), the
// place it is in ("Chine", "Oregon, États-Unis") and other names it is found by ("New Orleans").
struct IndexedCity
{
    QString name;
    QString zone;
    QString place;
    QStringList otherNames;
};

// The index of world cities, resources/cities/index.tsv (made by make_index.py): one city a line, its four
// fields separated by tabs, the cities of the default list first, then the most populous.
class CityIndex
{
public:
    explicit CityIndex(QByteArrayView tsv);
    // The index compiled into the program, read when first asked for and kept while one of those who
    // asked holds it: the clock needs it only while it loads its cities, the editor while it is open.
    static std::shared_ptr<const CityIndex> shared();
    // The same, kept for good (the tests and the fuzzers).
    static const CityIndex& builtIn();

    qsizetype size() const { return m_cities.size(); }
    // The cities whose name, a word of their name or one of their other names begins with the typed text,
    // letter case and accents aside, in the index's order; at most `limit`.
    QList<const IndexedCity*> search(QStringView typed, qsizetype limit) const;
    // The zones of the cities of that name (letter case and accents aside), in the index's order.
    QStringList zonesOf(QStringView name) const;

private:
    QList<IndexedCity> m_cities;
    QList<QStringList> m_keys; // each city's folded names
};

// A text as the index compares it: accents dropped, letter case folded, blanks, hyphens and apostrophes
// made single spaces.
QString foldForSearch(QStringView text);
