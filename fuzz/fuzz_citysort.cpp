// The save's sort on random grids: it never fails, every name, other offset and mark comes back with its
// line, the offset in force comes back as the shortest text of its value, and the lines come out in order.
#include <fuzzer/FuzzedDataProvider.h>

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <cmath>

#include "data/numbers.h"
#include "fuzzcheck.h"
#include "save/citylist.h"

namespace {

QString text(FuzzedDataProvider& data)
{
    const std::string bytes = data.ConsumeRandomLengthString(24);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

// Offsets are mostly number-like, so that equal keys and the order among them get exercised.
QString offset(FuzzedDataProvider& data)
{
    switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return QString::number(data.ConsumeIntegralInRange(-16, 16));
    case 1:
        return QString::number(data.ConsumeIntegralInRange(-64, 64) / 4.0);
    default:
        return text(data);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    static const QCollator collator = [] {
        QCollator french{QLocale(QLocale::French, QLocale::France)};
        french.setCaseSensitivity(Qt::CaseInsensitive);
        return french;
    }();
    FuzzedDataProvider data(bytes, size);
    const bool summer = data.ConsumeBool();
    QList<EditorLine> lines;
    const int count = data.ConsumeIntegralInRange(0, 59);
    for (int i = 0; i < count; ++i)
        lines.append({text(data), offset(data), offset(data), data.ConsumeBool()});

    const QList<EditorLine> sorted = sortForSave(lines, summer, collator);
    fuzzCheck(sorted.size() == lines.size(), "as many lines out as in");

    auto key = [summer](const EditorLine& line) -> const QString& { return summer ? line.summer : line.winter; };
    auto other = [summer](const EditorLine& line) -> const QString& { return summer ? line.winter : line.summer; };

    // Each input line is found once in the output, its key written as the shortest text of its value.
    QList<bool> used(sorted.size(), false);
    for (const EditorLine& line : lines) {
        const double value = readNumber(key(line));
        const QString expectedKey = std::isfinite(value) ? shortestOffsetText(value) : key(line);
        bool found = false;
        for (int j = 0; j < sorted.size() && !found; ++j) {
            const EditorLine& out = sorted[j];
            if (!used[j] && out.name == line.name && other(out) == other(line) && out.marked == line.marked &&
                key(out) == expectedKey) {
                used[j] = true;
                found = true;
            }
        }
        fuzzCheck(found, "each line comes out once, its key as the shortest text of its value");
        if (std::isfinite(value))
            fuzzCheck(readNumber(expectedKey) == value, "the key text reads back as its value");
    }

    // Ascending key value; equal values by other offset, then name, then mark.
    for (int j = 1; j < sorted.size(); ++j) {
        const EditorLine& a = sorted[j - 1];
        const EditorLine& b = sorted[j];
        const double ka = readNumber(key(a));
        const double kb = readNumber(key(b));
        fuzzCheck(ka <= kb, "ascending key values");
        if (ka < kb)
            continue;
        const int byOther = collator.compare(other(a), other(b));
        fuzzCheck(byOther <= 0, "equal keys: by other offset");
        if (byOther < 0)
            continue;
        const int byName = collator.compare(a.name, b.name);
        fuzzCheck(byName <= 0, "equal offsets: by name");
        if (byName == 0)
            fuzzCheck(!a.marked || b.marked, "equal names: unmarked first");
    }
    return 0;
}
