// Any bytes as the store of zones beside the city list, as a zone id and as a name typed in the editor: the
// store reads without a crash, every choice it gives is kept by the rule, an id is a zone only when the
// database names it, and the index's search never offers more than it is asked for, nor a city without a
// zone.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

#include "data/cityindex.h"
#include "data/locations.h"
#include "data/zonestore.h"
#include "fuzzcheck.h"
#include "time/zones.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    static QTemporaryDir folder;
    QFile file(zoneStorePath(folder.path()));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
        file.close();
    }
    const QList<ZoneChoice> choices = readZoneStore(file.fileName()).choices;
    for (const ZoneChoice& choice : choices) {
        const QString zone = cityZone(choice.city, choices, CityIndex::builtIn(), 2026);
        fuzzCheck(zone.isEmpty() || zone == findChoice(choices, choice.city)->zone,
                  "the first stored choice for a city decides its zone");
    }

    // Any text as a zone id: taken only when the database names it, and never as a path.
    const QString id = QString::fromUtf8(bytes.left(200));
    if (isZoneId(id)) {
        fuzzCheck(!id.contains(QLatin1Char('.')) && !id.startsWith(QLatin1Char('/')), "no path is a zone id");
        fuzzCheck(zoneOf(id).isValid(), "a zone id of the database gives a zone");
    } else {
        fuzzCheck(!zoneOf(id).isValid(), "no zone for an id the database does not name");
    }

    const QString typed = QString::fromUtf8(bytes.left(2000));
    const QList<IndexedCity> offered = CityIndex::builtIn().search(typed, 12);
    fuzzCheck(offered.size() <= 12, "no more cities offered than asked for");
    for (const IndexedCity& city : offered)
        fuzzCheck(!city.name.isEmpty() && !city.zone.isEmpty(), "every city offered has a name and a zone");
    return 0;
}
