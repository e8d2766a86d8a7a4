#pragma once

#include <QList>
#include <QString>

#include "data/cityfile.h"

// What the user chose for a city of the city list where its zone cannot be told from its name and offsets:
// a zone of the tz database, or none (the city follows the offsets typed). A choice belongs to the city
// whose three texts are those of `city`, wherever it stands in the list.
struct ZoneChoice
{
    CityRecord city;
    QString zone; // empty: no zone
    friend bool operator==(const ZoneChoice&, const ZoneChoice&) = default;
};

// The choices are kept beside the city list, in horlune.zones (JSON, zoneStorePath()), so that they travel
// with it.
struct StoredZones
{
    QList<ZoneChoice> choices;
    bool tooLarge = false; // only the beginning of the file was read, which holds no whole store
    // What kept the file from being read whole, in French ("il dépasse 4 Mo"), when it may hold choices that
    // were not read: a save must not replace it without asking. Empty when every choice it holds was read (a
    // missing file, a pipe in its place).
    QString unread;
};

// A store written by the program is a few kilobytes; of a much larger one only the beginning is read.
inline constexpr qint64 kMaxZoneStoreBytes = 4 * 1024 * 1024;

// The choices read; a store that is missing, unreadable or damaged holds none, and a damaged entry is
// skipped.
StoredZones readZoneStore(const QString& path);

// The choice for that city, if any; the first one where two share its texts.
const ZoneChoice* findChoice(const QList<ZoneChoice>& choices, const CityRecord& city);

// Writes the whole store, or leaves the previous one untouched; on failure `error` says why.
bool writeZoneStore(const QString& path, const QList<ZoneChoice>& choices, QString* error);
