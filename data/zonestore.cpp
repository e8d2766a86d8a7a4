#include "zonestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A store written by this program is a few kilobytes; one much larger is not read.
constexpr qint64 kMaxStoreBytes = 4 * 1024 * 1024;

} // namespace

QString zoneStorePath(const QString& cityFolder)
{
    return QDir(cityFolder).filePath(QStringLiteral("horlune.zones"));
}

QList<ZoneChoice> readZoneStore(const QString& path)
{
    QList<ZoneChoice> choices;
    QFile file(path);
    // Only a regular file: a pipe would never end.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxStoreBytes)
        return choices;
    const QJsonArray entries = QJsonDocument::fromJson(file.readAll()).object().value("zones").toArray();
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        const QJsonValue zone = entry.value("zone");
        if (!entry.value("name").isString() || !zone.isString())
            continue;
        choices.append(
            {{entry.value("name").toString(), entry.value("summer").toString(), entry.value("winter").toString()},
             zone.toString()});
    }
    return choices;
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
