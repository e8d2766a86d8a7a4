#pragma once

#include <QPoint>

#include "data/citycount.h"

// Counts and geometry shared by the windows and their tests. Positions are designed in twips, 15 to a
// logical pixel; Qt's high-DPI scaling keeps that design sharp on denser screens.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(double twips)
{
    return static_cast<int>(twips >= 0 ? twips / kTwipsPerPixel + 0.5 : twips / kTwipsPerPixel - 0.5);
}

// The main window's client area, 981 x 529 pixels.
inline constexpr int kMainWidth = 14715;
inline constexpr int kMainHeight = 7935;

// The grid of clocks on the main window: 5 lines of 12 rows, filled like text, Universal Time first.
namespace grid {

inline constexpr int kColumns = 12;
inline constexpr int kLeft = 500; // left edge of the first column
inline constexpr int kColumnStep = 1200;
inline constexpr int kLineStep = 1420;
inline constexpr int kNameTop = 780; // tops in the first line
inline constexpr int kFaceTop = 1000;
inline constexpr int kTimeBelowFace = 750;
inline constexpr int kFaceSize = 720;
inline constexpr int kLabelWidth = 705; // the time label's width, and the name label's before it fits its text
inline constexpr int kNameHeight = 210;
inline constexpr int kTimeHeight = 285;
// The date line stands in the gap before a face, from above its name label into its time label.
inline constexpr int kDateLineBeforeFace = 250;
inline constexpr int kDateLineAbove = 300;
inline constexpr int kDateLineBelow = 1000;

constexpr int left(int row)
{
    return kLeft + kColumnStep * (row % kColumns);
}
constexpr int nameTop(int row)
{
    return kNameTop + kLineStep * (row / kColumns);
}
constexpr int faceTop(int row)
{
    return kFaceTop + kLineStep * (row / kColumns);
}
constexpr int timeTop(int row)
{
    return faceTop(row) + kTimeBelowFace;
}
// The widest a name label may grow: up to the next column's name, or to the window's edge in the last
// column.
constexpr int nameRoom(int row)
{
    return left(row) + kColumnStep <= kMainWidth ? kColumnStep : kMainWidth - left(row);
}

} // namespace grid

// A clock's hands, in twips: drawn from the centre of its face, 2 pixels wide.
inline constexpr int kMinuteHandLength = 315;
inline constexpr int kHourHandLength = 200;
inline constexpr int kHandWidth = 2;

// The city editor of the configuration panel: line i (1 to kCityRows) stands in column group i / 20, line
// i % 20 of it, so the first place of the first group is left empty for the Universal Time row.
namespace editor {

inline constexpr int kLinesPerGroup = 20;
inline constexpr int kGroupStep = 3000;
inline constexpr int kLineStep = 300;
inline constexpr int kTop = 795;
inline constexpr int kNameLeft = 315, kNameWidth = 1470;
inline constexpr int kSummerLeft = 1800, kWinterLeft = 2340, kOffsetWidth = 525;
inline constexpr int kBoxHeight = 285;
inline constexpr int kMarkBeforeName = 250, kMarkSize = 255;

constexpr int groupLeft(int line)
{
    return kGroupStep * (line / kLinesPerGroup);
}
constexpr int top(int line)
{
    return kTop + kLineStep * (line % kLinesPerGroup);
}

} // namespace editor
