#include "citylist.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "data/numbers.h"

QString shortestOffsetText(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QList<EditorLine> sortForSave(const QList<EditorLine>& lines, bool summer, const QCollator& collator)
{
    struct Entry
    {
        double key;
        EditorLine line;
    };
    QCollator caseless = collator;
    caseless.setCaseSensitivity(Qt::CaseInsensitive);
    caseless.setNumericMode(false);

    QList<Entry> entries;
    entries.reserve(lines.size());
    for (const EditorLine& line : lines) {
        const QString& keyText = summer ? line.summer : line.winter;
        entries.append({readNumber(keyText), line});
    }
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.key != b.key)
            return a.key < b.key;
        const QString& otherA = summer ? a.line.winter : a.line.summer;
        const QString& otherB = summer ? b.line.winter : b.line.summer;
        if (const int order = caseless.compare(otherA, otherB))
            return order < 0;
        if (const int order = caseless.compare(a.line.name, b.line.name))
            return order < 0;
        return !a.line.marked && b.line.marked;
    });

    QList<EditorLine> sorted;
    sorted.reserve(entries.size());
    for (Entry& entry : entries) {
        EditorLine line = std::move(entry.line);
        // An offset too large for a number keeps its text: no shorter text would read back the same.
        if (std::isfinite(entry.key))
            (summer ? line.summer : line.winter) = shortestOffsetText(entry.key);
        sorted.append(std::move(line));
    }
    return sorted;
}

std::optional<DayHours> acceptedHours(const QString& nightText, const QString& dayText)
{
    const double night = readNumber(nightText);
    const double day = readNumber(dayText);
    if (!(night > day && night >= 0 && night <= 24 && day >= 0 && day <= 24))
        return std::nullopt;
    return DayHours{static_cast<qint16>(std::nearbyint(day)), static_cast<qint16>(std::nearbyint(night))};
}

std::optional<double> savedOffset(QStringView text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    const QString trimmed = text.trimmed().toString();
    if (!number.match(trimmed).hasMatch())
        return std::nullopt;
    const double value = readNumber(trimmed);
    if (value < -12 || value > 14 || std::floor(value * 4) != value * 4)
        return std::nullopt;
    return value == 0 ? 0.0 : value;
}

std::optional<int> savedHour(QStringView text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+(\\.0*)?$"));
    const QString trimmed = text.trimmed().toString();
    if (!number.match(trimmed).hasMatch())
        return std::nullopt;
    const double value = readNumber(trimmed);
    if (value < 0 || value > 24)
        return std::nullopt;
    return int(value);
}

QList<EntryRefusal> entryRefusals(const QList<EditorLine>& lines, const QString& nightText, const QString& dayText)
{
    QList<EntryRefusal> refusals;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const EditorLine& line = lines[i];
        if (line.name.trimmed().isEmpty() && line.summer.isEmpty() && line.winter.isEmpty())
            continue; // a city taken off the list
        if (!savedOffset(line.summer))
            refusals.append({EntryRefusal::SummerOffset, int(i) + 1, line.summer, {}});
        if (!savedOffset(line.winter))
            refusals.append({EntryRefusal::WinterOffset, int(i) + 1, line.winter, {}});
    }
    const std::optional<int> night = savedHour(nightText);
    const std::optional<int> day = savedHour(dayText);
    if (!night)
        refusals.append({EntryRefusal::NightHour, 0, nightText, {}});
    if (!day)
        refusals.append({EntryRefusal::DayHour, 0, dayText, {}});
    if (night && day && *night <= *day)
        refusals.append({EntryRefusal::NightNotAfterDay, 0, nightText, dayText});
    return refusals;
}

namespace {

// A text short enough for a message (a name may be 32,767 characters long), quoted, or said empty.
QString quoted(const QString& text)
{
    constexpr qsizetype kLongest = 40;
    if (text.trimmed().isEmpty())
        return QStringLiteral("(vide)");
    return QStringLiteral("« %1 »").arg(text.size() <= kLongest ? text : text.left(kLongest - 1) + QStringLiteral("…"));
}

QString lineName(int line, const QList<EditorLine>& lines)
{
    QString name = lines.value(line - 1).name.trimmed();
    if (name.isEmpty())
        return QStringLiteral("ligne %1").arg(line);
    constexpr qsizetype kLongest = 40;
    if (name.size() > kLongest)
        name = name.left(kLongest - 1) + QStringLiteral("…");
    return QStringLiteral("ligne %1, %2").arg(line).arg(name);
}

} // namespace

QString entryRefusalText(const QList<EntryRefusal>& refusals, const QList<EditorLine>& lines)
{
    // A list edited by hand may hold many: the first ones say enough, the boxes are all marked.
    constexpr qsizetype kListed = 12;
    QStringList listed;
    bool offsets = false, hours = false;
    for (const EntryRefusal& refusal : refusals) {
        QString entry;
        switch (refusal.kind) {
        case EntryRefusal::SummerOffset:
        case EntryRefusal::WinterOffset:
            offsets = true;
            entry =
                QStringLiteral("%1 : décalage %2 %3")
                    .arg(lineName(refusal.line, lines),
                         refusal.kind == EntryRefusal::SummerOffset ? QStringLiteral("été") : QStringLiteral("hiver"),
                         quoted(refusal.text));
            break;
        case EntryRefusal::NightHour:
        case EntryRefusal::DayHour:
            hours = true;
            entry = QStringLiteral("heure de %1 %2")
                        .arg(refusal.kind == EntryRefusal::NightHour ? QStringLiteral("nuit") : QStringLiteral("jour"),
                             quoted(refusal.text));
            break;
        case EntryRefusal::NightNotAfterDay:
            hours = true;
            entry = QStringLiteral("heure de nuit %1, qui ne vient pas après l'heure de jour %2")
                        .arg(quoted(refusal.text), quoted(refusal.other));
            break;
        }
        if (listed.size() < kListed)
            listed.append(entry);
    }
    if (refusals.size() > kListed)
        listed.append(QStringLiteral("… et %1 de plus").arg(refusals.size() - kListed));
    QStringList rules;
    if (offsets)
        rules.append(QStringLiteral("Un décalage est un nombre d'heures de -12 à +14, entier ou avec une demi-heure ou "
                                    "un quart d'heure : 2, +5.75, -3.5."));
    if (hours)
        rules.append(QStringLiteral("Une heure de nuit ou de jour est un nombre entier d'heures de 0 à 24, et la nuit "
                                    "commence après le jour."));
    const bool one = refusals.size() == 1;
    return QStringLiteral("%1 :\n\n%2\n\n%3\n\nRien n'a été enregistré. %4")
        .arg(one ? QStringLiteral("Cette valeur ne peut pas être enregistrée")
                 : QStringLiteral("Ces valeurs ne peuvent pas être enregistrées"),
             listed.join(u'\n'), rules.join(u'\n'),
             one ? QStringLiteral("La case est marquée en rouge : corrigez-la, puis enregistrez.")
                 : QStringLiteral("Les cases sont marquées en rouge : corrigez-les, puis enregistrez."));
}
