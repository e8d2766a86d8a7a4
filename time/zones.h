#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>

#include "data/cityfile.h"
#include "data/zonestore.h"

class CityIndex;

// Time zones come from the system's tz database through QTimeZone; no change rule is written here.

// Whether `id` names a zone or a link of the system's tz database, as its list spells it.
bool isZoneId(const QString& id);
// The zone of that id; an invalid zone for an id the database does not name.
QTimeZone zoneOf(const QString& id);

// The two offsets the editor shows for a zone: in force during the program's summer (mid-July) and its
// winter (mid-January) of the year.
struct SeasonOffsets
{
    double summer = 0;
    double winter = 0;
};
SeasonOffsets seasonOffsets(const QTimeZone& zone, int year);

// Whether a city's offsets are ones the zone has had: the summer one in mid-July, the winter one in
// mid-January, of some year of the last 25 up to the year after `year`. A city whose offsets were typed
// from an older state of the tz database (Mexico before 2022) still agrees with its zone.
bool offsetsAgree(const QTimeZone& zone, double summer, double winter, int year);

// The zone a city of the list follows, as an id: the user's choice for it when there is one, else that of
// the default list's city of its name, else a city of the gazetteer of its name, whose offsets agree; empty
// when it follows its offsets.
QString derivedZone(const CityRecord& city, const CityIndex& index, int year);
QString cityZone(const CityRecord& city, const QList<ZoneChoice>& choices, const CityIndex& index, int year);
// The zones of the rows of a city file read, in order. The gazetteer is read only for a city that has no
// choice and is not a city of the default list with its offsets.
QStringList cityZones(const QList<CityFileRow>& rows, const QList<ZoneChoice>& choices, int year);

// "UTC+8", "UTC-3:30", "UTC+5:45".
QString utcOffsetText(float hours);
