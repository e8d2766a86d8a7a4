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

// An offset as a save accepts it: a number of hours from -12 to +14 in whole quarter hours, written with an
// optional sign, digits and at most one "." ("+2", "5.75", "-3.5", " 9 "); nothing for any other text. (The
// city file keeps any text, and a list on disk is read by readNumber as it always was: only a save refuses.)
std::optional<double> savedOffset(QStringView text);

// An hour of the panel as a save accepts it: a whole number from 0 to 24 (24 is midnight, so that night may
// begin then), written with an optional sign and digits, and "." followed by zeros at most; nothing otherwise.
std::optional<int> savedHour(QStringView text);

// A text of the panel that a save refuses, and where it stands.
struct EntryRefusal
{
    enum Kind
    {
        SummerOffset,
        WinterOffset,
        NightHour,
        DayHour,
        NightNotAfterDay // both hours are hours, but night does not come after day
    };
    Kind kind;
    int line = 0;  // the editor's line, counted from 1, for an offset; 0 for the hours
    QString text;  // as typed (the night hour for NightNotAfterDay)
    QString other; // the day hour, for NightNotAfterDay
    friend bool operator==(const EntryRefusal&, const EntryRefusal&) = default;
};

// What a save must refuse among the editor's lines and the two hours, in the order of the panel: line by
// line (summer, then winter), then the night and day hours. A line left wholly empty (its name blank, its
// offsets empty) is a city taken off the list: it is checked for nothing, and saved as the design saves it.
QList<EntryRefusal> entryRefusals(const QList<EditorLine>& lines, const QString& nightText, const QString& dayText);

// The whole message for the refusals, in French: each line named by its number and city with the value
// refused, then what is accepted.
QString entryRefusalText(const QList<EntryRefusal>& refusals, const QList<EditorLine>& lines);

// The hours typed in the panel when night comes after day and both lie within 0 to 24 (compared as typed),
// each rounded to the nearest whole hour, halves to the even one; nothing otherwise.
std::optional<DayHours> acceptedHours(const QString& nightText, const QString& dayText);
