#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <optional>

#include "data/cityfile.h"
#include "data/coordinates.h"
#include "data/settings.h"
#include "plan/workhours.h"
#include "save/save.h"

// The configuration as the program holds it: the city list with each city's zone, the marks, the day and
// night hours, the working hours and the window's place. Read once, at the start; handed to the clocks and to
// the configuration panel; after a save, replaced by what the save wrote, without reading the files again.
struct Configuration
{
    // A message about the files, to be shown once.
    struct Notice
    {
        QString title;
        QString text;
    };

    CityFileContents list; // as read; rows only when its status is ReadStatus::Read
    QStringList zones;     // the zone of each record of the list, an id or empty for a city that follows its offsets
    StoredMarks storedMarks;
    RowMarks marks{}; // by row, for the list read
    DayHours hours;   // 0 and 0 where the store holds no number, as the design reads it
    WorkHours workHours;
    // Where each record's city lies, where its name and zone tell it (the default list's table, else the
    // gazetteer); none for a city that follows its offsets.
    QList<std::optional<Coordinates>> places;
    bool sunFaces = false; // the faces light and dark by the sun
    std::optional<QPoint> windowPlace;
    bool alwaysOnTop = false;
    std::optional<bool> highContrast; // the look chosen from the menu; none: the desktop's wish decides
    QList<Notice> notices;

    bool hasList() const { return list.status == ReadStatus::Read; }
};

// Reads the city list of `cityFolder` with its zones (chosen in horlune.zones, or told by the cities' names
// and offsets in `year`) and the settings of `settingsFile`.
Configuration loadConfiguration(const QString& cityFolder, const QString& settingsFile, int year);

// The configuration once a save has run as `outcome` says: the list the plan wrote with the zones the
// panel's lines had, the marks and, when given and stored, the hours. A save whose settings were not
// written keeps the marks and hours stored before, on the new list's cities, as the next start would read
// them; a save that wrote nothing changes nothing.
Configuration configurationAfterSave(const Configuration& before, const SavePlan& plan, const SaveOutcome& outcome,
                                     const std::optional<DayHours>& hours);
