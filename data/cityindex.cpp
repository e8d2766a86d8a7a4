#include "cityindex.h"

#include <QFile>

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

CityIndex::CityIndex(QByteArrayView tsv)
{
    for (const QByteArrayView line : QByteArray::fromRawData(tsv.data(), tsv.size()).split('\n')) {
        const QStringList fields = QString::fromUtf8(line).split(u'\t');
        if (fields.size() < 2 || fields[0].isEmpty() || fields[1].isEmpty())
            continue;
        IndexedCity city{fields[0], fields[1], fields.value(2), {}};
        if (!fields.value(3).isEmpty())
            city.otherNames = fields[3].split(u'|');
        QStringList keys{foldForSearch(city.name)};
        for (const QString& other : std::as_const(city.otherNames))
            keys.append(foldForSearch(other));
        m_cities.append(city);
        m_keys.append(keys);
    }
}

std::shared_ptr<const CityIndex> CityIndex::shared()
{
    static std::weak_ptr<const CityIndex> kept;
    std::shared_ptr<const CityIndex> index = kept.lock();
    if (!index) {
        QFile file(QStringLiteral(":/cities/index.tsv"));
        index = std::make_shared<const CityIndex>(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        kept = index;
    }
    return index;
}

const CityIndex& CityIndex::builtIn()
{
    static const std::shared_ptr<const CityIndex> index = shared();
    return *index;
}

QList<const IndexedCity*> CityIndex::search(QStringView typed, qsizetype limit) const
{
    QList<const IndexedCity*> found;
    const QString prefix = foldForSearch(typed);
    if (prefix.isEmpty())
        return found;
    const QString wordPrefix = u' ' + prefix;
    for (qsizetype i = 0; i < m_cities.size() && found.size() < limit; ++i) {
        for (const QString& key : m_keys[i]) {
            if (key.startsWith(prefix) || key.contains(wordPrefix)) {
                found.append(&m_cities[i]);
                break;
            }
        }
    }
    return found;
}

QStringList CityIndex::zonesOf(QStringView name) const
{
    QStringList zones;
    const QString folded = foldForSearch(name);
    if (folded.isEmpty())
        return zones;
    for (qsizetype i = 0; i < m_cities.size(); ++i) {
        if (m_keys[i].contains(folded) && !zones.contains(m_cities[i].zone))
            zones.append(m_cities[i].zone);
    }
    return zones;
}
