#include "cityindex.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr QByteArrayView kMagic = "HORLUNE-GAZETTEER 1";
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

// Whether the text at `at` in `keys` begins a word: the start of a line, of a name or of a word in it.
bool beginsWord(QByteArrayView keys, qsizetype at)
{
    if (at == 0)
        return true;
    const char before = keys[at - 1];
    return before == '\n' || before == '|' || before == ' ';
}

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
    for (const QChar c : decomposed) {
        if (c.isMark())
            continue;
        if (c.isSpace() || c == u'-' || c == u'\'' || c == QChar(0x2019)) {
            if (!folded.isEmpty() && !folded.endsWith(u' '))
                folded += u' ';
            continue;
        }
        folded += c.toCaseFolded();
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

    if (!readSectionHead(reader, "countries", count))
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
        if (!reader.next(line) || line.isEmpty())
            return false;
        m_zones.append(line);
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
        if (fields.size() != 6 || fields[0].isEmpty() ||
            !readNumber(fields[1], quint64(m_countries.size()) + 1, country) ||
            !readNumber(fields[2], quint64(m_zones.size()), zone) || !readNumber(fields[3], 1ull << 32, population))
            return false;
        m_cities.push_back({record, 0, quint32(population), quint16(zone), quint16(country)});
    }
    if (!readSectionHead(reader, "keys", count) || count != cities)
        return false;
    m_keysBegin = reader.position();
    m_keyLines.reserve(cities);
    for (City& city : m_cities) {
        city.keys = quint32(reader.position());
        m_keyLines.push_back(city.keys);
        if (!reader.next(line) || line.isEmpty())
            return false;
    }
    m_keysEnd = reader.position();
    return reader.atEnd();
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

QList<QByteArrayView> CityIndex::fieldsAt(quint32 offset) const
{
    const char* begin = m_contents.constData() + offset;
    const char* end = static_cast<const char*>(std::memchr(begin, '\n', size_t(m_contents.size() - offset)));
    return fieldsOf(QByteArrayView(begin, end - begin));
}

IndexedCity CityIndex::city(qsizetype i) const
{
    const City& city = m_cities[size_t(i)];
    const QList<QByteArrayView> fields = fieldsAt(city.record); // six, as the reading checked
    IndexedCity found;
    found.name = QString::fromUtf8(fields[0]);
    found.zone = QString::fromUtf8(m_zones[city.zone]);
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
    return found;
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

    // Each city found once, with how well it matched; the keys are scanned front to back, so that a city's
    // matches come together.
    std::vector<std::pair<int, quint32>> matches; // how well, the city's number
    for (qsizetype at = keys.indexOf(needle, m_keysBegin); at >= 0; at = keys.indexOf(needle, at + 1)) {
        if (!beginsWord(keys, at))
            continue;
        const auto line = std::upper_bound(m_keyLines.begin(), m_keyLines.end(), quint32(at)) - 1;
        const quint32 city = quint32(line - m_keyLines.begin());
        const QByteArrayView before = keys.sliced(*line, at - *line);
        const bool inName = !before.contains('|');
        const bool atNameStart = at == qsizetype(*line) || keys[at - 1] == '|';
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
    // The best first, then the most populous, which the gazetteer's order is.
    std::stable_sort(matches.begin(), matches.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [match, city] : matches) {
        if (found.size() >= limit)
            return found;
        found.append(this->city(city));
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
    if (!anyCountry)
        return found;
    std::vector<bool> taken(m_cities.size(), false);
    for (const auto& match : matches)
        taken[match.second] = true;
    for (size_t i = 0; i < m_cities.size() && found.size() < limit; ++i) {
        if (countries[m_cities[i].country] && !taken[i])
            found.append(city(qsizetype(i)));
    }
    return found;
}

QStringList CityIndex::zonesOf(QStringView name) const
{
    QStringList zones;
    QString folded = foldForSearch(name);
    if (folded.isEmpty() || folded.contains(u'|') || m_cities.empty())
        return zones;
    const QByteArray needle = folded.toUtf8();
    const QByteArrayView keys(m_contents.constData(), m_keysEnd);
    for (qsizetype at = keys.indexOf(needle, m_keysBegin); at >= 0; at = keys.indexOf(needle, at + 1)) {
        const char before = keys[at - 1], after = keys[at + needle.size()];
        if ((before != '\n' && before != '|') || (after != '\n' && after != '|'))
            continue;
        const auto line = std::upper_bound(m_keyLines.begin(), m_keyLines.end(), quint32(at)) - 1;
        const QString zone = QString::fromUtf8(m_zones[m_cities[size_t(line - m_keyLines.begin())].zone]);
        if (!zones.contains(zone))
            zones.append(zone);
    }
    return zones;
}

QString defaultCityZone(QStringView name)
{
    static const QHash<QString, QString> zones = [] {
        QHash<QString, QString> table;
        QFile file(QStringLiteral(":/cities/defaults.tsv"));
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : file.readAll().split('\n')) {
                const QList<QByteArray> fields = line.split('\t');
                if (fields.size() == 2 && !fields[0].isEmpty())
                    table.insert(foldForSearch(QString::fromUtf8(fields[0])), QString::fromUtf8(fields[1]));
            }
        }
        return table;
    }();
    return zones.value(foldForSearch(name));
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
        const QString stored = QString::fromUtf8(index.fieldsAt(index.m_cities[size_t(i)].keys).value(0));
        if (keys.join(u'|') != stored)
            return QStringLiteral("the folded names of %1 are \"%2\", not \"%3\"")
                .arg(city.name, stored, keys.join(u'|'));
    }
    for (const Country& country : index.m_countries) {
        const QStringList keys = country.keys;
        if (keys.isEmpty() || keys.first() != foldForSearch(country.name))
            return QStringLiteral("the folded names of %1 are not \"%2\"")
                .arg(country.name, foldForSearch(country.name));
    }
    return {};
}
