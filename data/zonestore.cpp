#include "zonestore.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "data/safefile.h"

StoredZones readZoneStore(const QString& path)
{
    StoredZones store;
    const FileRead file = readRegularFile(path, kMaxZoneStoreBytes);
    store.tooLarge = file.tooLarge;
    if (file.status == ReadStatus::Unreadable) {
        // A regular file that cannot be read may hold choices; a pipe or a device under the name holds none.
        if (QFileInfo(path).isFile())
            store.unread = file.error;
        return store;
    }
    if (file.tooLarge) {
        store.unread = QStringLiteral("il dépasse %1 Mo").arg(kMaxZoneStoreBytes / (1024 * 1024));
        return store;
    }
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(file.bytes, &parsed);
    const QJsonValue zones = document.object().value("zones");
    if (parsed.error != QJsonParseError::NoError || !document.isObject() || !zones.isArray()) {
        if (!file.bytes.trimmed().isEmpty())
            store.unread = QStringLiteral("il est abîmé");
        return store;
    }
    int damaged = 0;
    for (const QJsonValue& value : zones.toArray()) {
        const QJsonObject entry = value.toObject();
        const QJsonValue zone = entry.value("zone");
        if (!entry.value("name").isString() || !zone.isString()) {
            ++damaged;
            continue;
        }
        store.choices.append(
            {{entry.value("name").toString(), entry.value("summer").toString(), entry.value("winter").toString()},
             zone.toString()});
    }
    if (damaged > 0)
        store.unread = damaged == 1 ? QStringLiteral("un de ses choix est abîmé")
                                    : QStringLiteral("%1 de ses choix sont abîmés").arg(damaged);
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
