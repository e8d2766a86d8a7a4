#include "save.h"

#include <QCollator>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

#include "data/cityindex.h"
#include "data/locations.h"
#include "data/safefile.h"
#include "time/timerules.h"
#include "time/zones.h"

namespace {

QList<CityRecord> recordsOf(const QList<EditorLine>& lines)
{
    QList<CityRecord> records;
    for (const EditorLine& line : lines)
        records.append({line.name, line.summer, line.winter});
    return records;
}

} // namespace

SavePlan planSave(const QList<EditorLine>& lines, const QString& cityFolder, const QByteArray& openedList,
                  const QDate& today)
{
    SavePlan plan;
    plan.lines = sortForSave(lines, isSummerTime(today), QCollator(QLocale()));
    plan.onDisk = readCityFile(cityFilePath(cityFolder));
    plan.listChangedOnDisk = plan.onDisk.fingerprint != openedList;
    plan.changes = changesOnSaving(recordsOf(plan.lines));
    // A text the reader cut at the file's limit would be saved cut: said too.
    for (const QString& cut : std::as_const(plan.onDisk.cutTexts)) {
        const bool kept = std::any_of(plan.lines.begin(), plan.lines.end(), [&cut](const EditorLine& line) {
            return line.name == cut || line.summer == cut || line.winter == cut;
        });
        if (kept)
            plan.changes.append({QStringLiteral("« %1… » (plus de %2 caractères dans le fichier)")
                                     .arg(cut.left(30))
                                     .arg(QLocale().toString(kMaxFieldBytes)),
                                 QStringLiteral("ses %1 premiers caractères").arg(QLocale().toString(kMaxFieldBytes))});
    }
    // From here on the texts are those the file will give back, so that the zones and the marks are kept under
    // the very names the list will hold.
    for (EditorLine& line : plan.lines) {
        line.name = storedText(line.name);
        line.summer = storedText(line.summer);
        line.winter = storedText(line.winter);
    }
    return plan;
}

SaveOutcome commitSave(const SavePlan& plan, const std::optional<DayHours>& hours, const QString& cityFolder,
                       const QString& settingsFile, const QDate& today)
{
    const QString listPath = cityFilePath(cityFolder);
    const QString zonesPath = zoneStorePath(cityFolder);
    const QList<CityRecord> records = recordsOf(plan.lines);
    RowMarks marks{};
    for (int i = 0; i < plan.lines.size() && i < kCityRows; ++i)
        marks[i + 1] = plan.lines[i].marked;
    const QList<ZoneChoice> choices =
        zoneChoices(plan.lines, readZoneStore(zonesPath).choices, plan.onDisk.rows, *CityIndex::shared(), today.year());
    removeLeftoverTemporaryFiles(listPath);
    removeLeftoverTemporaryFiles(zonesPath);

    SaveOutcome outcome;
    // The zones first: until the city list is replaced they still hold the choices of the list on disk.
    if ((!choices.isEmpty() || QFileInfo::exists(zonesPath)) && !writeZoneStore(zonesPath, choices, &outcome.reason))
        return {SaveOutcome::ZonesNotWritten, zonesPath, outcome.reason, {}};
    const QByteArray bytes = encodeCityFile(records);
    if (!writeWholeFile(listPath, bytes, &outcome.reason))
        return {SaveOutcome::ListNotWritten, listPath, outcome.reason, {}};
    outcome.listFingerprint = cityFileFingerprint(bytes);

    // The marks name the list they belong to: should this write fail, the next start finds them again on their
    // cities in the new order.
    SettingsStore settings(settingsFile);
    settings.writeMarks(marks, records, outcome.listFingerprint);
    if (hours)
        settings.writeHours(*hours);
    if (!settings.sync())
        return {SaveOutcome::SettingsNotWritten, settingsFile, settings.error(), outcome.listFingerprint};
    return outcome;
}

QList<ZoneChoice> zoneChoices(const QList<EditorLine>& lines, const QList<ZoneChoice>& previous,
                              const QList<CityFileRow>& onDisk, const CityIndex& index, int year)
{
    QList<ZoneChoice> choices;
    QList<CityRecord> written;
    for (const EditorLine& line : lines) {
        const CityRecord city{line.name, line.summer, line.winter};
        if (written.contains(city))
            continue;
        written.append(city);
        if (line.zone != derivedZone(city, index, year))
            choices.append({city, line.zone});
    }
    for (const ZoneChoice& choice : previous) {
        const bool inUse = std::any_of(onDisk.begin(), onDisk.end(),
                                       [&choice](const CityFileRow& row) { return row.record == choice.city; });
        if (inUse && !written.contains(choice.city) && !findChoice(choices, choice.city))
            choices.append(choice);
    }
    return choices;
}
