#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "data/cityfile.h"
#include "data/settings.h"
#include "data/zonestore.h"
#include "save/citylist.h"

class CityIndex;

// The configuration's save as one transaction of the model: planned first (the lines sorted, what the user
// must be asked), then written (the zones, the city list, the settings, in that order). The panel asks the
// questions and turns the outcome into messages.

// Lines that the file would confuse: it would give back the same three texts for each of them (typed so, or
// once it has made them its own: "Алжир" and "Касаб" both become "?????"), while their zones differ, and
// a zone is kept by the city's texts: only the first line's could be. Such a save is refused.
struct NameClash
{
    CityRecord stored;       // the texts the file would give back for each of them
    QList<int> lines;        // the editor's lines, counted from 1
    QList<EditorLine> typed; // those lines as typed
};

// What a save will write, and what the user must be asked before.
struct SavePlan
{
    QList<EditorLine> lines;        // sorted for the season; their texts as the file will give them back
    bool listChangedOnDisk = false; // someone else wrote the list since the panel was filled from it
    QList<TextChange> changes;      // texts the file cannot keep as they are
    QString listPath;               // the city list
    CityFileContents onDisk;        // the list on disk now
    QList<NameClash> clashes;       // lines to tell apart before anything is written
    QString zonesPath;              // where the zone choices are kept (zoneStorePath)
    StoredZones zonesOnDisk;        // the choices kept there now
    QList<ZoneChoice> zoneChoices;  // what the save will keep there
};

// The plan for the editor's lines on `today`, against the list in `cityFolder`; `openedList` is the
// fingerprint of the list the panel was filled from.
SavePlan planSave(const QList<EditorLine>& lines, const QString& cityFolder, const QByteArray& openedList,
                  const QDate& today);

// Why the save must not go on, as the whole message to show, in French: lines the file would confuse (which
// clashingLines() gives, to mark them), or a list on disk too large to have been read whole. Empty when it may.
QString saveRefusal(const SavePlan& plan);
QList<int> clashingLines(const SavePlan& plan);
// The questions to ask, in order, before writing (each "Oui" to go on, "Non" back to the panel): the list
// changed on disk, texts the file cannot keep, a zones file that could not be read whole and would be
// replaced (saying what would be lost).
QStringList saveQuestions(const SavePlan& plan);

struct SaveOutcome
{
    enum Step
    {
        Saved,
        ZonesNotWritten,
        ListNotWritten,
        SettingsNotWritten // the list and its zones are written
    };
    Step step = Saved;
    QString path;               // the file that was not written
    QString reason;             // why, in French
    QByteArray listFingerprint; // of the list written, once it is
};

// Writes what the plan says: first the zones (the choices of the new list with those the list on disk still
// uses, so that a stop between two writes leaves each city of either list with its own zone; only when they
// change, and a zones file that could not be read whole only when there are choices to keep), then the list,
// then the marks (naming the list they belong to) and the hours when given. Stops at the first write that
// fails: what was not written stays as it was. Writes nothing when saveRefusal() refuses.
SaveOutcome commitSave(const SavePlan& plan, const std::optional<DayHours>& hours, const QString& cityFolder,
                       const QString& settingsFile);

// The zone choices a save keeps beside the city list: one for each line whose zone differs from the one its
// name and offsets give, the first where lines share their texts; then the previous choices that the list on
// disk still uses and that no line overrides, so that the list on disk keeps its zones until it is replaced.
QList<ZoneChoice> zoneChoices(const QList<EditorLine>& lines, const QList<ZoneChoice>& previous,
                              const QList<CityFileRow>& onDisk, const CityIndex& index, int year);
