#pragma once

#include <QCollator>
#include <QList>
#include <QString>
#include <optional>

#include "data/settings.h"

// One line of the city editor as the save sees it.
struct EditorLine
{
    QString name;
    QString summer;
    QString winter;
    bool marked = false;
    QString zone = {}; // the city's time zone, empty when it follows its offsets
    friend bool operator==(const EditorLine&, const EditorLine&) = default;
};

// The lines in the order a save writes them, west to east by the offset in force (the summer offset when
// `summer` is true, otherwise the winter one): ascending value of that offset; equal values by the other
// offset's text, then by the name (the collator decides, letter case aside), then unmarked before marked.
// Lines that still tie keep their order. The offset in force comes back as the shortest text of the value
// read from it (+2 and 02 give 2, 2.50 gives 2.5, an empty text or abc gives 0); every other text, and the
// mark, travel unchanged with their line.
QList<EditorLine> sortForSave(const QList<EditorLine>& lines, bool summer, const QCollator& collator);

// The shortest text that reads back as `value`, with "." and never an exponent: 2, 2.5, -3.5, 0.1.
QString shortestOffsetText(double value);

// The hours typed in the panel when night comes after day and both lie within 0 to 24 (compared as typed),
// each rounded to the nearest whole hour, halves to the even one; nothing otherwise.
std::optional<DayHours> acceptedHours(const QString& nightText, const QString& dayText);
