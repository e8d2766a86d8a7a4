#include "save.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cerrno>

#include "data/cityindex.h"
#include "data/locations.h"
#include "data/messages.h"
#include "data/reasons.h"
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

// A text short enough for a message: a name may be 32,767 characters long.
QString shown(const QString& text)
{
    constexpr qsizetype kLongest = 60;
    return text.size() <= kLongest ? text : text.left(kLongest - 1) + QStringLiteral("…");
}

QString zoneText(const QString& zone)
{
    return zone.isEmpty() ? QStringLiteral("sans fuseau, suit ses décalages") : QStringLiteral("fuseau ") + zone;
}

// The editor's lines (numbered as the user sees them) that the file would give back with the same texts: the
// offset in force as the save writes it ("+1" is "1"), every text as the file keeps it.
QList<NameClash> nameClashes(const QList<EditorLine>& lines, bool summer, const QCollator& collator)
{
    QList<NameClash> groups;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const EditorLine saved = sortForSave({lines[i]}, summer, collator).constFirst();
        const CityRecord stored{storedText(saved.name), storedText(saved.summer), storedText(saved.winter)};
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&stored](const NameClash& clash) { return clash.stored == stored; });
        if (group == groups.end())
            group = groups.insert(groups.end(), NameClash{stored, {}, {}});
        group->lines.append(int(i) + 1);
        group->typed.append(lines[i]);
    }
    QList<NameClash> clashes;
    for (const NameClash& group : std::as_const(groups)) {
        // Lines that agree on their zone lose nothing by sharing their texts (a short list repeats its last).
        const bool oneZone = std::all_of(group.typed.begin(), group.typed.end(), [&group](const EditorLine& line) {
            return line.zone == group.typed.first().zone;
        });
        if (!oneZone)
            clashes.append(group);
    }
    return clashes;
}

} // namespace

SavePlan planSave(const QList<EditorLine>& lines, const QString& cityFolder, const QByteArray& openedList,
                  const QDate& today)
{
    SavePlan plan;
    const QCollator collator{QLocale()};
    plan.clashes = nameClashes(lines, isSummerTime(today), collator);
    plan.lines = sortForSave(lines, isSummerTime(today), collator);
    plan.listPath = cityFilePath(cityFolder);
    plan.onDisk = readCityFile(plan.listPath);
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
    plan.zonesPath = zoneStorePath(cityFolder);
    plan.zonesOnDisk = readZoneStore(plan.zonesPath);
    plan.zoneChoices =
        zoneChoices(plan.lines, plan.zonesOnDisk.choices, plan.onDisk.rows, *CityIndex::shared(), today.year());
    return plan;
}

QString saveRefusal(const SavePlan& plan)
{
    if (plan.onDisk.tooLarge)
        return QStringLiteral("Les villes n'ont pas été enregistrées dans le fichier %1 (%2).\n\nIl n'a pas été "
                              "modifié, et vos modifications restent dans le panneau de configuration.")
            .arg(plan.listPath, tooLargeToReplaceReason(kMaxCityFileBytes));
    if (plan.clashes.isEmpty())
        return {};
    QStringList groups;
    for (const NameClash& clash : plan.clashes) {
        QStringList lines;
        for (qsizetype i = 0; i < clash.lines.size(); ++i)
            lines.append(QStringLiteral("ligne %1, %2 : %3")
                             .arg(clash.lines[i])
                             .arg(shown(clash.typed[i].name), zoneText(clash.typed[i].zone)));
        groups.append(QStringLiteral("« %1 », %2, %3 :\n%4")
                          .arg(shown(clash.stored.name), shown(clash.stored.summer), shown(clash.stored.winter),
                               lines.join(u'\n')));
    }
    return QStringLiteral("Ces villes seraient enregistrées avec les mêmes nom et décalages, mais n'ont pas le même "
                          "fuseau horaire : le fichier des villes les confondrait, et toutes prendraient le fuseau de "
                          "la première.\n\n%1\n\nRien n'a été enregistré. Les lignes sont marquées : donnez-leur des "
                          "noms différents que le fichier peut garder (en lettres latines), puis enregistrez.")
        .arg(groups.join(QStringLiteral("\n\n")));
}

QList<int> clashingLines(const SavePlan& plan)
{
    QList<int> lines;
    for (const NameClash& clash : plan.clashes)
        lines.append(clash.lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

QStringList saveQuestions(const SavePlan& plan)
{
    QStringList questions;
    // Someone else wrote the list while the panel was open (by hand, another program).
    if (plan.listChangedOnDisk)
        questions.append(QStringLiteral("Le fichier des villes %1 a été modifié depuis l'ouverture du panneau. "
                                        "Le remplacer par la liste du panneau ?")
                             .arg(plan.listPath));
    if (!plan.changes.isEmpty()) {
        QStringList lines;
        for (const TextChange& change : plan.changes)
            lines.append(shown(change.before) + QStringLiteral(" → ") + shown(change.after));
        questions.append(QStringLiteral("Le fichier des villes ne peut pas garder ces textes tels quels :\n\n%1"
                                        "\n\nEnregistrer quand même ? (Non : retour au panneau, pour les "
                                        "modifier.)")
                             .arg(lines.join(u'\n')));
    }
    // The zones file could not be read whole, and the save has choices to keep: it would be replaced.
    if (!plan.zonesOnDisk.unread.isEmpty() && !plan.zoneChoices.isEmpty()) {
        QStringList kept;
        for (const ZoneChoice& choice : plan.zoneChoices)
            kept.append(QStringLiteral("%1 (%2)").arg(shown(choice.city.name), zoneText(choice.zone)));
        questions.append(QStringLiteral("Le fichier des fuseaux horaires %1 n'a pas pu être lu en entier (%2). Pour "
                                        "garder le fuseau de ces villes, l'enregistrement doit le remplacer :\n\n%3"
                                        "\n\nLes fuseaux choisis qu'il contient sans avoir pu être lus seront "
                                        "perdus. Le remplacer quand même ? (Non : retour au panneau ; réparez ou "
                                        "déplacez ce fichier pour garder ses choix.)")
                             .arg(plan.zonesPath, plan.zonesOnDisk.unread, kept.join(u'\n')));
    }
    return questions;
}

SaveOutcome commitSave(const SavePlan& plan, const std::optional<DayHours>& hours, const QString& cityFolder,
                       const QString& settingsFile)
{
    const QString listPath = cityFilePath(cityFolder);
    const QString zonesPath = plan.zonesPath.isEmpty() ? zoneStorePath(cityFolder) : plan.zonesPath;
    // Never the part read of a list in place of the whole, nor lines that would lose their zones.
    if (plan.onDisk.tooLarge || QFileInfo(listPath).size() > kMaxCityFileBytes)
        return {SaveOutcome::ListNotWritten, listPath, tooLargeToReplaceReason(kMaxCityFileBytes), {}};
    if (!plan.clashes.isEmpty())
        return {SaveOutcome::ListNotWritten,
                listPath,
                QStringLiteral("des lignes auraient les mêmes nom et décalages, et des fuseaux différents"),
                {}};
    const QList<CityRecord> records = recordsOf(plan.lines);
    RowMarks marks{};
    for (int i = 0; i < plan.lines.size() && i < kCityRows; ++i)
        marks[i + 1] = plan.lines[i].marked;
    removeLeftoverTemporaryFiles(listPath);
    removeLeftoverTemporaryFiles(zonesPath);

    SaveOutcome outcome;
    // The zones first: until the city list is replaced they still hold the choices of the list on disk. A store
    // that could not be read whole is left as it is unless there are choices to keep (the user was asked).
    const bool zonesChange =
        plan.zonesOnDisk.unread.isEmpty() ? plan.zoneChoices != plan.zonesOnDisk.choices : !plan.zoneChoices.isEmpty();
    if (zonesChange && (!QDir().mkpath(QFileInfo(zonesPath).absolutePath()) ||
                        !writeZoneStore(zonesPath, plan.zoneChoices, &outcome.reason))) {
        if (outcome.reason.isEmpty())
            outcome.reason = frenchReason(ENOENT);
        return {SaveOutcome::ZonesNotWritten, zonesPath, outcome.reason, {}};
    }
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
