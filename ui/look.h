#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <functional>

class QObject;

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
// The same, decoded anew and kept by nobody: for the window's background, which is drawn from its border
// and colour, not kept whole.
QPixmap pictureOnce(const QString& name);

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

// The look in force: the design's, or the high-contrast one (Contrast::High), in which every text and hand
// stands out from what lies behind it by 4.5 to 1 at least. It can change while the program runs.
Contrast contrast();
inline bool highContrast()
{
    return contrast() == Contrast::High;
}
// Changes the look: whatever follows it (followContrast) applies it at once.
void setContrast(Contrast contrast);
// Runs `apply` now, and again each time the look changes while `context` lives.
void followContrast(QObject* context, std::function<void()> apply);

// The pictures and colours of the look in force, where the two looks differ.
// A face: the design's shaded spheres; in high contrast a flat white day face and a black night face ringed in
// grey, so that it shows on the black panel.
QPixmap facePicture(Face face);
// A button's pill; lit in high contrast, it turns yellow.
QPixmap buttonPicture(bool lit);
// A lit button's caption: red; black on the yellow pill in high contrast.
QColor litCaption();
// The shift line and the signs of changes coming: dark blue on the grey panel; light blue on the black one.
QColor noteColour();
// The winter offsets and their heading in the panel's white boxes: red; a darker red in high contrast.
QColor winterColour();
// The panel the clocks lie on in high contrast, and its rim along the window's outline.
const QColor kHighContrastPanel(0x00, 0x00, 0x00);
const QColor kHighContrastRim(0xC0, 0xC0, 0xC0);
// The date line on it: amber, which no text of the window has.
const QColor kHighContrastDateLine(0xFF, 0xA0, 0x00);

// A rectangle of the container, given in twips.
QRect twipsRect(int left, int top, int width, int height);

} // namespace look
