// The gazetteer's reader given damaged contents: the fuzzer's bytes are the uncompressed contents, packed
// as the program's file is (so that they reach the reader past the compression), and once more as a whole
// file, and as a table of the default list's cities. Whatever they hold, the reader takes them whole or not
// at all, the search (typing errors too) answers within bounds, and every place is on the Earth.
#include <QByteArray>
#include <QCryptographicHash>
#include <QString>
#include <QtEndian>
#include <cmath>

#include "data/cityindex.h"
#include "fuzzcheck.h"

namespace {

QByteArray packed(const QByteArray& contents)
{
    const QByteArray digest = QCryptographicHash::hash(contents, QCryptographicHash::Sha256).toHex();
    return "HORLUNE-GAZETTEER 2\n" + digest + ' ' + QByteArray::number(contents.size()) + '\n' + qCompress(contents, 1);
}

void searchAll(const CityIndex& index, const QByteArray& bytes)
{
    const QString typed = QString::fromUtf8(bytes.left(64));
    for (const QString& text : {typed, typed.left(1), typed.left(9), QStringLiteral("a"), QStringLiteral("paris"),
                                QStringLiteral("pariis"), QStringLiteral("ouagadugu")}) {
        const QList<IndexedCity> found = index.search(text, 12);
        fuzzCheck(found.size() <= 12, "no more cities found than asked for");
        for (const IndexedCity& city : found)
            fuzzCheck(!city.name.isEmpty() && !city.zone.isEmpty(), "every city found has a name and a zone");
        for (const QString& zone : index.zonesOf(text))
            fuzzCheck(index.coordinatesOf(text, zone).has_value(), "a city of a name's zone is placed");
    }
    for (qsizetype i = 0; i < index.size(); ++i) {
        const IndexedCity city = index.city(i);
        fuzzCheck(!city.name.isEmpty(), "every city read has a name");
        fuzzCheck(std::abs(city.latitude) <= 90 && std::abs(city.longitude) <= 180, "every city is on the Earth");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CityIndex fromContents(packed(bytes));
    searchAll(fromContents, bytes);
    const bool sound = CityIndex::verify(packed(bytes)).isEmpty();
    fuzzCheck(!sound || fromContents.size() > 0, "a sound gazetteer is read");
    const CityIndex fromFile(bytes);
    searchAll(fromFile, bytes);
    fromContents.verifyDefaultCities(bytes);
    return 0;
}
