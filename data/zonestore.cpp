#include "zonestore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "data/safefile.h"

StoredZones readZoneStore(const QString& path)
{
    StoredZones store;
    const FileRead file = readRegularFile(path, kMaxZoneStoreBytes);
    store.tooLarge = file.tooLarge;
    QList<ZoneChoice>& choices = store.choices;
    const QJsonArray entries = QJsonDocument::fromJson(file.bytes).object().value("zones").toArray();
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        const QJsonValue zone = entry.value("zone");
        if (!entry.value("name").isString() || !zone.isString())
            continue;
        choices.append(
            {{entry.value("name").toString(), entry.value("summer").toString(), entry.value("winter").toString()},
             zone.toString()});
    }
    return store;
}

const ZoneChoice* findChoice(const QList<ZoneChoice>& choices, const CityRecord& city)
{
    for (const ZoneChoice& choice : choices) {
        if (choice.city == city)
            return &choice;
    }
    return nullptr;
}

bool writeZoneStore(const QString& path, const QList<ZoneChoice>& choices, QString* error)
{
    QJsonArray entries;
    for (const ZoneChoice& choice : choices)
        entries.append(QJsonObject{{"name", choice.city.name},
                                   {"summer", choice.city.summer},
                                   {"winter", choice.city.winter},
                                   {"zone", choice.zone}});
    return writeWholeFile(path, QJsonDocument(QJsonObject{{"zones", entries}}).toJson(), error);
}
