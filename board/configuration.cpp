#include "configuration.h"

#include "data/cityindex.h"
#include "data/locations.h"
#include "data/messages.h"
#include "data/zonestore.h"
#include "time/zones.h"

namespace {

QList<std::optional<Coordinates>> placesOf(const QList<CityFileRow>& rows, const QStringList& zones)
{
    QStringList names;
    for (const CityFileRow& row : rows)
        names << row.record.name;
    return cityCoordinates(names, zones);
}

} // namespace

Configuration loadConfiguration(const QString& cityFolder, const QString& settingsFile, int year)
{
    Configuration config;
    const SettingsStore settings(settingsFile);
    settings.readHours(config.hours);
    config.workHours = storedWorkHours(settings.readOfficeHours());
    config.storedMarks = settings.readMarks();
    config.windowPlace = settings.readWindowPlace();
    config.alwaysOnTop = settings.readAlwaysOnTop();
    config.sunFaces = settings.readSunFaces();
    config.highContrast = settings.readHighContrast();

    config.list = readCityFile(cityFilePath(cityFolder));
    if (config.hasList()) {
        config.marks = marksForList(config.storedMarks, config.list);
        if (config.list.tooLarge)
            config.notices.append(
                {QStringLiteral("Horlune"), tooLargeFileText(cityFilePath(cityFolder), kMaxCityFileBytes)});
        const StoredZones zones = readZoneStore(zoneStorePath(cityFolder));
        if (zones.tooLarge)
            config.notices.append(
                {QStringLiteral("Horlune"), tooLargeFileText(zoneStorePath(cityFolder), kMaxZoneStoreBytes)});
        config.zones = cityZones(config.list.rows, zones.choices, year);
        config.places = placesOf(config.list.rows, config.zones);
    } else {
        config.marks = config.storedMarks.byRow;
        config.notices.append({unreadCityFileTitle(config.list.status), unreadCityFileText(cityFolder, config.list)});
    }
    if (!settings.problem().isEmpty())
        config.notices.append({QStringLiteral("Horlune"), settings.problem()});
    return config;
}

Configuration configurationAfterSave(const Configuration& before, const SavePlan& plan, const SaveOutcome& outcome,
                                     const std::optional<DayHours>& hours)
{
    if (outcome.step == SaveOutcome::ZonesNotWritten || outcome.step == SaveOutcome::ListNotWritten)
        return before;
    Configuration after = before;
    after.notices.clear();
    after.list = CityFileContents();
    after.list.status = ReadStatus::Read;
    after.list.fingerprint = outcome.listFingerprint;
    after.zones.clear();
    QList<CityRecord> records;
    RowMarks marks{};
    for (int i = 0; i < plan.lines.size() && i < kCityRows; ++i) {
        const EditorLine& line = plan.lines[i];
        const CityRecord record{line.name, line.summer, line.winter};
        after.list.rows.append({record, true});
        // Lines that share their texts share the first one's zone, as the zones' store keeps one choice for them.
        const qsizetype first = records.indexOf(record);
        after.zones.append(first >= 0 ? after.zones[first] : line.zone);
        records.append(record);
        marks[i + 1] = line.marked;
    }
    after.places = placesOf(after.list.rows, after.zones);
    if (outcome.step == SaveOutcome::SettingsNotWritten) {
        after.marks = marksForList(before.storedMarks, after.list);
        return after;
    }
    after.marks = marks;
    after.storedMarks = StoredMarks{marks, outcome.listFingerprint, {}};
    for (int i = 1; i <= kCityRows; ++i) {
        if (marks[i] && i - 1 < records.size())
            after.storedMarks.cities.append(records[i - 1]);
    }
    if (hours)
        after.hours = *hours;
    return after;
}
