// The gazetteer's reader given damaged contents: the fuzzer's bytes are the uncompressed contents, packed
// as the program's file is (so that they reach the reader past the compression), and once more as a whole
// file. Whatever they hold, the reader takes them whole or not at all, and the search answers within
// bounds.
#include <QByteArray>
#include <QCryptographicHash>
#include <QString>
#include <QtEndian>

#include "data/cityindex.h"
#include "fuzzcheck.h"

namespace {

QByteArray packed(const QByteArray& contents)
{
    const QByteArray digest = QCryptographicHash::hash(contents, QCryptographicHash::Sha256).toHex();
    return "HORLUNE-GAZETTEER 1\n" + digest + ' ' + QByteArray::number(contents.size()) + '\n' + qCompress(contents, 1);
}

void searchAll(const CityIndex& index, const QByteArray& bytes)
{
    const QString typed = QString::fromUtf8(bytes.left(64));
    for (const QString& text : {typed, typed.left(1), QStringLiteral("a"), QStringLiteral("paris")}) {
        const QList<IndexedCity> found = index.search(text, 12);
        fuzzCheck(found.size() <= 12, "no more cities found than asked for");
        for (const IndexedCity& city : found)
            fuzzCheck(!city.name.isEmpty() && !city.zone.isEmpty(), "every city found has a name and a zone");
        index.zonesOf(text);
    }
    for (qsizetype i = 0; i < index.size(); ++i)
        fuzzCheck(!index.city(i).name.isEmpty(), "every city read has a name");
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
    return 0;
}
