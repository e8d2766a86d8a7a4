#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>

#include "rows/clockrow.h"

namespace look {

// Registers the bundled sans-serif fonts once; the program and the tests call it before building any window.
void loadFonts();

// The design's look for the whole application, whatever the desktop around it: the bundled fonts, one style
// (Fusion) and its light palette, and the default font at its fixed size. A dark or high-contrast theme, a
// GTK platform theme or a larger system font would otherwise turn the buttons' captions light grey on light
// pictures and the panel's boxes black. Called before any window is built, by the program and the tests.
void applyDesignLook();

// The bundled sans-serif (Liberation Sans, drawn to Arial's metrics) at a pixel height: the design's "Arial"
// 8.25 pt = 11, 9 pt = 12, 9.75 pt = 13, 11.25 pt = 15, 12 pt = 16 pixels.
QFont sans(int pixelSize, bool bold = false, bool underline = false);
// The windows' default font, "MS Sans Serif" 8.25 pt.
QFont defaultFont();
// The bundled Comic Neue, for the design's "Comic Sans MS", at a pixel height.
QFont comic(int pixelSize);

// The pictures shipped with the program.
QPixmap picture(const QString& name); // e.g. "jour.gif"

inline QColor toColor(const Rgb& rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}
const QColor kWhite = toColor(colours::kWhite);
const QColor kBlack = toColor(colours::kBlack);
const QColor kYellow = toColor(colours::kYellow);
const QColor kRed = toColor(colours::kRed);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kDarkBlue(0x00, 0x00, 0xC0);
const QColor kMaroon(0x80, 0x00, 0x00);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kLightGrey(0xE0, 0xE0, 0xE0);

// A rectangle of the container, given in twips.
QRect twipsRect(int left, int top, int width, int height);

} // namespace look
