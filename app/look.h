#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>

// The window is designed in twips at 15 twips per pixel; Qt's high-DPI scaling keeps that design sharp on
// denser screens.
constexpr int twipsToPixels(double twips)
{
    return static_cast<int>(twips >= 0 ? twips / 15.0 + 0.5 : twips / 15.0 - 0.5);
}
inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

namespace look {

// Registers the bundled fonts once; the program and the tests call it before building any window.
void loadFonts();

// "Arial" at a pixel height (8.25 pt = 11, 9 pt = 12, 9.75 pt = 13, 11.25 pt = 15, 12 pt = 16 pixels).
QFont arial(int pixelSize, bool bold = false, bool underline = false);
// The windows' default font, "MS Sans Serif" 8.25 pt.
QFont defaultFont();
// "Comic Sans MS" at a pixel height.
QFont comic(int pixelSize);

// The pictures shipped with the program.
QPixmap picture(const QString& name); // e.g. "jour.gif"

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kSilver(0xC0, 0xC0, 0xC0);

} // namespace look
