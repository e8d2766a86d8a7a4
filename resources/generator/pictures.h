// The drawings. Each returns a premultiplied ARGB image whose alpha channel is
// the antialiased coverage; scale 2 draws the same picture natively at twice
// the pixel size.
#pragma once

#include <QImage>

namespace gen {

QImage drawBackground(int scale);              // 981 x 529, opaque
QImage drawFace(bool day, int scale);          // 48 x 48 disc
QImage drawButton(bool pressed, int scale);    // 104 x 24 pill
QImage drawMantelClock(int pixels);            // square, any size (below 32, the 32 reduced)
bool writeMantelClockSvg(const QString& path); // the same clock, scalable
QImage drawPointingHand(int pixels);           // square, 32 or 64
QImage drawGlobe(int pixels);                  // square, 32 or 64
QImage drawWorldMap(int scale);                // 387 x 300, opaque

} // namespace gen
