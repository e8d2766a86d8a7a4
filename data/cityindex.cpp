#include "cityindex.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QtAlgorithms>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr QByteArrayView kMagic = "HORLUNE-GAZETTEER 2";
// Far above the real contents (about 1 MB): a stated size beyond it is damage, not a bigger gazetteer.
constexpr quint32 kMaximumContents = 64 * 1024 * 1024;

// The gazetteer's contents as lines, each read once, front to back.
class LineReader
{
public:
    explicit LineReader(QByteArrayView text) : m_text(text) {}
    bool atEnd() const { return m_position >= m_text.size(); }
    qsizetype position() const { return m_position; }
    // The next line without its end; false when there is none, or it has no end.
    bool next(QByteArrayView& line)
    {
        if (atEnd())
            return false;
        const char* begin = m_text.data() + m_position;
        const void* end = std::memchr(begin, '\n', size_t(m_text.size() - m_position));
        if (!end)
            return false;
        line = QByteArrayView(begin, static_cast<const char*>(end) - begin);
        m_position += line.size() + 1;
        return true;
    }

private:
    QByteArrayView m_text;
    qsizetype m_position = 0;
};

QList<QByteArrayView> fieldsOf(QByteArrayView line)
{
    QList<QByteArrayView> fields;
    qsizetype from = 0;
    for (qsizetype tab = line.indexOf('\t'); tab >= 0; tab = line.indexOf('\t', from)) {
        fields.append(line.sliced(from, tab - from));
        from = tab + 1;
    }
    fields.append(line.sliced(from));
    return fields;
}

// A count or number of the contents: digits only, below `limit`.
bool readNumber(QByteArrayView text, quint64 limit, quint64& value)
{
    if (text.isEmpty() || text.size() > 12)
        return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + quint64(c - '0');
    }
    return value < limit;
}

// Degrees with two decimals ("48.85", "-0.57", "-157.86"), within `limit`, as hundredths.
bool readDegrees(QByteArrayView text, int limit, qint16& hundredths)
{
    const bool negative = text.startsWith('-');
    if (negative)
        text = text.sliced(1);
    const qsizetype point = text.indexOf('.');
    quint64 whole = 0, fraction = 0;
    if (point < 1 || text.size() - point != 3 || !readNumber(text.first(point), 1000, whole) ||
        !readNumber(text.sliced(point + 1), 100, fraction))
        return false;
    const quint64 value = whole * 100 + fraction;
    if (value > quint64(limit))
        return false;
    hundredths = qint16(negative ? -qint64(value) : qint64(value));
    return true;
}

// "cities\t24064": the section's name and its count.
bool readSectionHead(LineReader& reader, QByteArrayView name, quint64& count)
{
    QByteArrayView line;
    if (!reader.next(line))
        return false;
    const QList<QByteArrayView> fields = fieldsOf(line);
    return fields.size() == 2 && fields[0] == name && readNumber(fields[1], 1'000'000, count);
}

// The contents of a gazetteer file, uncompressed; empty when its first lines or its compressed part do
// not hold. `digest` receives the checksum the file states.
QByteArray contentsOf(QByteArrayView file, QByteArrayView* digest = nullptr)
{
    LineReader reader(file);
    QByteArrayView magic, stated;
    if (!reader.next(magic) || magic != kMagic || !reader.next(stated))
        return {};
    const qsizetype blank = stated.indexOf(' ');
    quint64 size = 0;
    if (blank != 64 || !readNumber(stated.sliced(blank + 1), kMaximumContents, size))
        return {};
    const QByteArrayView packed = file.sliced(reader.position());
    // The size qUncompress reads first must be the one stated, so that damage never makes it allocate more.
    if (packed.size() < 4 || qFromBigEndian<quint32>(packed.data()) != size)
        return {};
    QByteArray contents = qUncompress(reinterpret_cast<const uchar*>(packed.data()), packed.size());
    if (quint64(contents.size()) != size)
        return {};
    if (digest)
        *digest = stated.first(blank);
    return contents;
}

// The base form of the Latin letters that remain once decomposed and case folded ("ø": "o", "ß": "ss"), " "
// for an apostrophe; made with the gazetteer, whose names are folded with the same table.
struct LatinLetter
{
    char16_t letter;
    const char* base;
};
constexpr LatinLetter kLatinLetters[] = {
#include "latinletters.inc"
};

const char* latinBase(char16_t letter)
{
    const auto found = std::lower_bound(std::begin(kLatinLetters), std::end(kLatinLetters), letter,
                                        [](const LatinLetter& entry, char16_t c) { return entry.letter < c; });
    return found != std::end(kLatinLetters) && found->letter == letter ? found->base : nullptr;
}

// Whether the text at `at` in `keys` begins a word: the start of a line, of a name or of a word in it.
bool beginsWord(QByteArrayView keys, qsizetype at)
{
    if (at == 0)
        return true;
    const char before = keys[at - 1];
    return before == '\n' || before == '|' || before == ' ';
}

// The approximate search: one error from four letters typed, two from eight; none beyond a text that long.
constexpr qsizetype kOneError = 4;
constexpr qsizetype kTwoErrors = 8;
constexpr qsizetype kLongestApproximate = 60;

// How well a city's names match, the better the lower.
enum Match : int
{
    WholeName,
    NameStart,
    NameWord,
    OtherNameStart,
    OtherNameWord,
    Country,
    NoMatch
};

} // namespace

QString foldForSearch(QStringView text)
{
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    const auto separate = [&folded] {
        if (!folded.isEmpty() && !folded.endsWith(u' '))
            folded += u' ';
    };
    for (const QChar c : decomposed) {
        if (c.isMark())
            continue;
        if (c.isSpace() || c == u'-' || c == u'\'' || c == QChar(0x2019)) {
            separate();
            continue;
        }
        const QChar lower = c.toCaseFolded();
        const char* base = lower.unicode() < 0x80 ? nullptr : latinBase(lower.unicode());
        if (!base)
            folded += lower;
        else if (*base == ' ')
            separate();
        else
            folded += QLatin1StringView(base);
    }
    if (folded.endsWith(u' '))
        folded.chop(1);
    return folded;
}

CityIndex::CityIndex(QByteArrayView file)
{
    if (!read(file)) {
        m_contents.clear();
        m_cities.clear();
        m_keyLines.clear();
        m_zones.clear();
        m_countries.clear();
        m_keysBegin = m_keysEnd = 0;
    }
    m_contents.squeeze();
}

bool CityIndex::read(QByteArrayView file)
{
    m_contents = contentsOf(file);
    if (m_contents.isEmpty())
        return false;
    LineReader reader(m_contents);
    QByteArrayView line;
    quint64 count = 0;

    if (!readSectionHead(reader, "countries", count) || count > 0x7FFF)
        return false;
    for (quint64 i = 0; i < count; ++i) {
        if (!reader.next(line))
            return false;
        const QList<QByteArrayView> fields = fieldsOf(line);
        if (fields.size() != 3 || fields[0].isEmpty())
            return false;
        m_countries.append({QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1]),
                            QString::fromUtf8(fields[2]).split(u'|', Qt::SkipEmptyParts)});
    }
    if (!readSectionHead(reader, "zones", count) || count > 0xFFFF)
        return false;
    for (quint64 i = 0; i < count; ++i) {
        const quint32 at = quint32(reader.position());
        if (!reader.next(line) || line.isEmpty())
            return false;
        m_zones.push_back({at, quint32(line.size())});
    }
    quint64 cities = 0;
    if (!readSectionHead(reader, "cities", cities))
        return false;
    m_cities.reserve(cities);
    for (quint64 i = 0; i < cities; ++i) {
        const quint32 record = quint32(reader.position());
        if (!reader.next(line))
            return false;
        const QList<QByteArrayView> fields = fieldsOf(line);
        quint64 country = 0, zone = 0, population = 0;
        // No population: a zone's own entry.
        if (fields.size() != 6 || fields[0].isEmpty() ||
            !readNumber(fields[1], quint64(m_countries.size()) + 1, country) ||
            !readNumber(fields[2], quint64(m_zones.size()), zone) ||
            (!fields[3].isEmpty() && !readNumber(fields[3], 1ull << 32, population)))
            return false;
        City city{record, quint32(population), quint16(zone), 0, 0, 0, 0};
        city.country = quint16(country);
        city.zoneEntry = fields[3].isEmpty();
        m_cities.push_back(city);
    }
    if (!readSectionHead(reader, "keys", count) || count != cities)
        return false;
    m_keysBegin = reader.position();
    m_keyLines.reserve(cities);
    for (quint64 i = 0; i < cities; ++i) {
        m_keyLines.push_back(quint32(reader.position()));
        if (!reader.next(line) || line.isEmpty())
            return false;
    }
    m_keysEnd = reader.position();
    if (!readSectionHead(reader, "places", count) || count != cities)
        return false;
    for (City& city : m_cities) {
        if (!reader.next(line))
            return false;
        const qsizetype blank = line.indexOf(' ');
        if (blank < 0 || !readDegrees(line.first(blank), 9000, city.latitude) ||
            !readDegrees(line.sliced(blank + 1), 18000, city.longitude))
            return false;
    }
    if (!reader.atEnd())
        return false;
    // The places are kept as numbers: their text goes.
    m_contents.truncate(m_keysEnd);
    return true;
}

namespace {

int gReadings = 0;

} // namespace

int CityIndex::readings()
{
    return gReadings;
}

std::shared_ptr<const CityIndex> CityIndex::shared()
{
    static std::weak_ptr<const CityIndex> kept;
    std::shared_ptr<const CityIndex> index = kept.lock();
    if (!index) {
        // A resource compiled into the program: its bytes are read where they lie.
        QFile file(QStringLiteral(":/cities/gazetteer.dat"));
        QByteArray copy;
        QByteArrayView bytes;
        if (file.open(QIODevice::ReadOnly)) {
            if (const uchar* mapped = file.map(0, file.size()))
                bytes = QByteArrayView(mapped, file.size());
            else
                bytes = copy = file.readAll();
        }
        // Let go, the memory it took goes back to the system: its blocks are large, but the allocator
        // keeps freed memory for later once it has seen blocks of that size come and go.
        ++gReadings;
        index = std::shared_ptr<const CityIndex>(new CityIndex(bytes), [](const CityIndex* gone) {
            delete gone;
#ifdef __GLIBC__
            malloc_trim(0);
#endif
        });
        kept = index;
    }
    return index;
}

const CityIndex& CityIndex::builtIn()
{
    static const std::shared_ptr<const CityIndex> index = shared();
    return *index;
}

QByteArrayView CityIndex::zoneId(quint16 zone) const
{
    return QByteArrayView(m_contents.constData() + m_zones[zone].offset, m_zones[zone].size);
}

QList<QByteArrayView> CityIndex::fieldsAt(quint32 offset) const
{
    const char* begin = m_contents.constData() + offset;
    const char* end = static_cast<const char*>(std::memchr(begin, '\n', size_t(m_contents.size() - offset)));
    return fieldsOf(QByteArrayView(begin, end - begin));
}

quint32 CityIndex::cityAt(qsizetype at) const
{
    return quint32(std::upper_bound(m_keyLines.begin(), m_keyLines.end(), quint32(at)) - m_keyLines.begin() - 1);
}

IndexedCity CityIndex::city(qsizetype i) const
{
    const City& city = m_cities[size_t(i)];
    const QList<QByteArrayView> fields = fieldsAt(city.record); // six, as the reading checked
    IndexedCity found;
    found.name = QString::fromUtf8(fields[0]);
    found.zone = QString::fromUtf8(zoneId(city.zone));
    found.population = city.population;
    const QString state = QString::fromUtf8(fields[4]);
    if (city.country > 0) {
        const Country& country = m_countries[city.country - 1];
        found.country = country.code;
        found.place = state.isEmpty() ? country.name : state + QStringLiteral(", ") + country.name;
    } else
        found.place = state;
    if (!fields[5].isEmpty())
        found.otherNames = QString::fromUtf8(fields[5]).split(u'|');
    found.latitude = city.latitude / 100.0;
    found.longitude = city.longitude / 100.0;
    found.zoneEntry = city.zoneEntry;
    return found;
}

namespace {

// Approximate matching, bit-parallel (Wu and Manber's extension of the shift-and search, with Hyyrö's
// transposition): bit j of the state of level d says that the first j bytes of the text typed match, with
// at most d errors, what a city's line of names holds from a word's start to here. A match never runs from
// one name into another.
class ApproximateScan
{
public:
    explicit ApproximateScan(QByteArrayView needle) : m_whole(quint64(1) << needle.size())
    {
        m_bytes[quint8(' ')].wordStart = {1, 1, 1};
        m_bytes[quint8('|')] = {0, {1, 3, 7}, 0};
        for (qsizetype j = 0; j < needle.size(); ++j)
            m_bytes[quint8(needle[j])].positions |= quint64(1) << (j + 1);
    }

    // The fewest errors with which the text typed begins a word of the line, `kErrors + 1` for more. No
    // branch in the loop, so that the scan runs at the processor's pace.
    template <int kErrors> int fewestErrors(const char* line, const char* end) const
    {
        static_assert(kErrors == 1 || kErrors == 2);
        int fewest = kErrors + 1;
        quint64 s0 = 1, s1 = 3, s2 = 7;                     // the states of levels 0, 1 and 2 at a line's start
        quint64 prior0 = 0, prior1 = 0, priorPositions = 0; // before the byte before, for a swap
        for (const char* at = line; at < end; ++at) {
            const Byte& byte = m_bytes[quint8(*at)];
            const quint64 mask = byte.positions, keep = byte.sameName;
            // Two bytes swapped: never across a name's end, whose positions are none.
            const quint64 swapped = priorPositions & (mask << 1);
            // A byte matched, changed, added in the names, left out of them, or two swapped.
            const quint64 n0 = ((s0 << 1) & mask) | byte.wordStart[0];
            const quint64 n1 = ((s1 << 1) & mask) | (((s0 << 1) | s0) & keep) | ((prior0 << 2) & swapped) | (n0 << 1) |
                               byte.wordStart[1];
            quint64 n2 = 0;
            if constexpr (kErrors == 2)
                n2 = ((s2 << 1) & mask) | (((s1 << 1) | s1) & keep) | ((prior1 << 2) & swapped) | (n1 << 1) |
                     byte.wordStart[2];
            prior0 = s0;
            prior1 = s1;
            priorPositions = mask;
            s0 = n0;
            s1 = n1;
            s2 = n2;
            if ((kErrors == 2 ? n2 : n1) & m_whole)
                fewest = std::min(fewest, (n0 & m_whole) ? 0 : (n1 & m_whole) ? 1 : 2);
        }
        return fewest;
    }

private:
    // What a byte of the names does to the states: the bits of the text typed it matches, the bits it sets
    // as a word starts after it (after a blank: nothing matched yet; after a name: nothing, or the first d
    // bytes typed left out), and whether what was matched goes on past it (not past a name's end).
    struct Byte
    {
        quint64 positions = 0;
        std::array<quint64, 3> wordStart{};
        quint64 sameName = ~quint64(0);
    };
    std::array<Byte, 256> m_bytes{};
    quint64 m_whole; // the bit of the whole text typed
};

} // namespace

std::vector<CityIndex::Approximate> CityIndex::approximateMatches(QByteArrayView needle, int errors) const
{
    // A line can hold a match only if it has all the bytes typed but as many as the errors allowed, each
    // error taking one away at most: a pass that only gathers which bytes a line has spares most lines the
    // bit-parallel scan.
    std::array<quint64, 256> typed{};
    int distinct = 0;
    for (const char c : needle) {
        if (!typed[quint8(c)])
            typed[quint8(c)] = quint64(1) << distinct++;
    }
    const ApproximateScan scan(needle);
    const char* text = m_contents.constData();
    std::vector<Approximate> matches;
    for (quint32 city = 0; city < m_keyLines.size(); ++city) {
        const char* line = text + m_keyLines[city];
        const char* end = text + (city + 1 < m_keyLines.size() ? m_keyLines[city + 1] : m_keysEnd) - 1;
        quint64 seen = 0;
        for (const char* at = line; at < end; ++at)
            seen |= typed[quint8(*at)];
        if (int(qPopulationCount(seen)) < distinct - errors)
            continue;
        const int fewest = errors >= 2 ? scan.fewestErrors<2>(line, end) : scan.fewestErrors<1>(line, end);
        if (fewest <= errors)
            matches.push_back({city, quint8(fewest)});
    }
    return matches;
}

QList<IndexedCity> CityIndex::search(QStringView typed, qsizetype limit) const
{
    QList<IndexedCity> found;
    // A bar would join two names of a city: the text is searched word by word as typed.
    QString folded = foldForSearch(typed);
    folded.replace(u'|', u' ');
    folded = folded.simplified();
    if (folded.isEmpty() || limit <= 0 || m_cities.empty())
        return found;
    const QByteArray needle = folded.toUtf8();
    const QByteArrayView keys(m_contents.constData(), m_keysEnd);
    std::vector<bool> taken(m_cities.size(), false);
    const auto take = [&](quint32 city) {
        taken[city] = true;
        found.append(this->city(city));
        return found.size() < limit;
    };

    // Each city found once, with how well it matched; the keys are scanned front to back, so that a city's
    // matches come together.
    std::vector<std::pair<int, quint32>> matches; // how well, the city's number
    for (qsizetype at = keys.indexOf(needle, m_keysBegin); at >= 0; at = keys.indexOf(needle, at + 1)) {
        if (!beginsWord(keys, at))
            continue;
        const quint32 city = cityAt(at);
        const quint32 line = m_keyLines[city];
        const QByteArrayView before = keys.sliced(line, at - line);
        const bool inName = !before.contains('|');
        const bool atNameStart = at == qsizetype(line) || keys[at - 1] == '|';
        const qsizetype after = at + needle.size();
        const bool whole = atNameStart && inName && (keys[after] == '|' || keys[after] == '\n');
        const int match = whole         ? WholeName
                          : inName      ? (atNameStart ? NameStart : NameWord)
                          : atNameStart ? OtherNameStart
                                        : OtherNameWord;
        if (!matches.empty() && matches.back().second == city)
            matches.back().first = std::min(matches.back().first, match);
        else
            matches.push_back({match, city});
    }
    // The best first, then the most populous, which the gazetteer's order is; a zone's own entry after the
    // last city of its zone that the text names too ("Ho Chi Minh", the zone, after Hô Chi Minh Ville).
    std::stable_sort(matches.begin(), matches.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<qsizetype> lastCityOfZone(m_zones.size(), -1);
    for (qsizetype i = 0; i < qsizetype(matches.size()); ++i) {
        const City& city = m_cities[matches[size_t(i)].second];
        if (!city.zoneEntry)
            lastCityOfZone[city.zone] = i;
    }
    std::vector<std::pair<qsizetype, quint32>> waiting; // zone entries, each after the match it waits for
    for (qsizetype i = 0; i < qsizetype(matches.size()); ++i) {
        const quint32 number = matches[size_t(i)].second;
        const City& city = m_cities[number];
        if (city.zoneEntry && lastCityOfZone[city.zone] > i) {
            waiting.push_back({lastCityOfZone[city.zone], number});
            continue;
        }
        if (!take(number))
            return found;
        for (const auto& [after, entry] : waiting) {
            if (after == i && !take(entry))
                return found;
        }
    }

    // Then the cities of the countries the text names, most populous first, those already found aside.
    std::vector<bool> countries(size_t(m_countries.size()) + 1, false);
    bool anyCountry = false;
    const QString wordStart = u' ' + folded;
    for (qsizetype i = 0; i < m_countries.size(); ++i) {
        const Country& country = m_countries[i];
        bool named = folded.size() == 2 && folded.compare(country.code, Qt::CaseInsensitive) == 0;
        for (const QString& key : country.keys)
            named = named || key.startsWith(folded) || key.contains(wordStart);
        countries[size_t(i) + 1] = named;
        anyCountry = anyCountry || named;
    }
    for (size_t i = 0; anyCountry && i < m_cities.size(); ++i) {
        if (countries[m_cities[i].country] && !taken[i] && !take(quint32(i)))
            return found;
    }

    // Last, the names the text begins but for a typing error or two: a text of plain letters (a byte an
    // error), long enough that so many errors leave it meaningful.
    const qsizetype letters = needle.size() - needle.count(' ');
    const int errors = letters >= kTwoErrors ? 2 : letters >= kOneError ? 1 : 0;
    if (errors == 0 || needle.size() > kLongestApproximate ||
        !std::all_of(needle.begin(), needle.end(), [](char c) { return quint8(c) < 0x80; }))
        return found;
    std::vector<Approximate> approximate = approximateMatches(needle, errors);
    std::stable_sort(approximate.begin(), approximate.end(),
                     [](const Approximate& a, const Approximate& b) { return a.errors < b.errors; });
    for (const Approximate& match : approximate) {
        if (!taken[match.city] && !take(match.city))
            return found;
    }
    return found;
}

QStringList CityIndex::zonesOf(QStringView name) const
{
    QStringList zones;
    for (const quint32 city : wholeNameMatches(name)) {
        const QString zone = QString::fromUtf8(zoneId(m_cities[city].zone));
        if (!zones.contains(zone))
            zones.append(zone);
    }
    return zones;
}

std::optional<Coordinates> CityIndex::coordinatesOf(QStringView name, QStringView zone) const
{
    const QByteArray id = zone.toUtf8();
    for (const quint32 number : wholeNameMatches(name)) {
        const City& city = m_cities[number];
        if (zoneId(city.zone) == id)
            return Coordinates{city.latitude / 100.0, city.longitude / 100.0};
    }
    return std::nullopt;
}

std::vector<quint32> CityIndex::wholeNameMatches(QStringView name) const
{
    std::vector<quint32> cities;
    const QString folded = foldForSearch(name);
    if (folded.isEmpty() || folded.contains(u'|') || m_cities.empty())
        return cities;
    const QByteArray needle = folded.toUtf8();
    const QByteArrayView keys(m_contents.constData(), m_keysEnd);
    for (qsizetype at = keys.indexOf(needle, m_keysBegin); at >= 0; at = keys.indexOf(needle, at + 1)) {
        const char before = keys[at - 1], after = keys[at + needle.size()];
        if ((before != '\n' && before != '|') || (after != '\n' && after != '|'))
            continue;
        const quint32 city = cityAt(at);
        if (cities.empty() || cities.back() != city)
            cities.push_back(city);
    }
    return cities;
}

namespace {

// The default list's cities and their former names, folded, with their zones and places.
struct DefaultCity
{
    QString zone;
    Coordinates place;
};

// A line of the default list's table: "Terre-Neuve<tab>America/St_Johns<tab>47.56<tab>-52.71".
bool readDefaultCity(QByteArrayView line, QString& name, DefaultCity& city)
{
    const QList<QByteArrayView> fields = fieldsOf(line);
    qint16 latitude = 0, longitude = 0;
    if (fields.size() != 4 || fields[0].isEmpty() || fields[1].isEmpty() || !readDegrees(fields[2], 9000, latitude) ||
        !readDegrees(fields[3], 18000, longitude))
        return false;
    name = QString::fromUtf8(fields[0]);
    city = {QString::fromUtf8(fields[1]), {latitude / 100.0, longitude / 100.0}};
    return true;
}

const QHash<QString, DefaultCity>& defaultCities()
{
    static const QHash<QString, DefaultCity> cities = [] {
        QHash<QString, DefaultCity> table;
        QFile file(QStringLiteral(":/cities/defaults.tsv"));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            LineReader reader(bytes);
            QByteArrayView line;
            QString name;
            DefaultCity city;
            while (reader.next(line)) {
                if (readDefaultCity(line, name, city))
                    table.insert(foldForSearch(name), city);
            }
        }
        return table;
    }();
    return cities;
}

} // namespace

QString defaultCityZone(QStringView name)
{
    return defaultCities().value(foldForSearch(name)).zone;
}

std::optional<Coordinates> defaultCityCoordinates(QStringView name, QStringView zone)
{
    const auto city = defaultCities().constFind(foldForSearch(name));
    if (city == defaultCities().constEnd() || zone.isEmpty() || city->zone != zone)
        return std::nullopt;
    return city->place;
}

QList<std::optional<Coordinates>> cityCoordinates(const QStringList& names, const QStringList& zones,
                                                  const CityIndex* gazetteer)
{
    std::shared_ptr<const CityIndex> read; // at the first city that needs it, let go at the end
    QList<std::optional<Coordinates>> places;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString zone = zones.value(i);
        std::optional<Coordinates> place;
        if (!zone.isEmpty())
            place = defaultCityCoordinates(names[i], zone);
        if (!zone.isEmpty() && !place) {
            if (!gazetteer)
                gazetteer = (read = CityIndex::shared()).get();
            place = gazetteer->coordinatesOf(names[i], zone);
        }
        places.append(place);
    }
    return places;
}

QString CityIndex::verify(QByteArrayView file)
{
    QByteArrayView digest;
    const QByteArray contents = contentsOf(file, &digest);
    if (contents.isEmpty())
        return QStringLiteral("not a gazetteer, or its compressed contents are damaged or cut short");
    if (QCryptographicHash::hash(contents, QCryptographicHash::Sha256).toHex() != digest)
        return QStringLiteral("its checksum does not match its contents");
    const CityIndex index(file);
    if (index.size() == 0)
        return QStringLiteral("its contents do not hold together (a count, a number or a line)");
    for (qsizetype i = 0; i < index.size(); ++i) {
        const IndexedCity city = index.city(i);
        QStringList keys{foldForSearch(city.name)};
        for (const QString& other : city.otherNames)
            keys.append(foldForSearch(other));
        const QString stored = QString::fromUtf8(index.fieldsAt(index.m_keyLines[size_t(i)]).value(0));
        if (keys.join(u'|') != stored)
            return QStringLiteral("the folded names of %1 are \"%2\", not \"%3\"")
                .arg(city.name, stored, keys.join(u'|'));
        // Every city can be typed in plain letters.
        if (std::none_of(keys.begin(), keys.end(), [](const QString& key) {
                return std::all_of(key.begin(), key.end(), [](QChar c) { return c.unicode() < 0x80; });
            }))
            return QStringLiteral("%1 has no name in plain letters").arg(city.name);
    }
    for (const Country& country : index.m_countries) {
        const QStringList keys = country.keys;
        if (keys.isEmpty() || keys.first() != foldForSearch(country.name))
            return QStringLiteral("the folded names of %1 are not \"%2\"")
                .arg(country.name, foldForSearch(country.name));
    }
    return {};
}

QString CityIndex::verifyDefaultCities(QByteArrayView table) const
{
    LineReader reader(table);
    QByteArrayView line;
    QString name;
    DefaultCity city;
    qsizetype lines = 0;
    while (reader.next(line)) {
        ++lines;
        if (!readDefaultCity(line, name, city))
            return QStringLiteral("line %1 is not a name, a zone, a latitude and a longitude").arg(lines);
        if (coordinatesOf(name, city.zone) != city.place)
            return QStringLiteral("%1 in %2 is not where the gazetteer places it, or not in it").arg(name, city.zone);
    }
    if (!reader.atEnd() || lines == 0)
        return QStringLiteral("it is empty, or its last line has no end");
    return {};
}
