#include "citylist.h"

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
