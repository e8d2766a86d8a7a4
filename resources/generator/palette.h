// Reducing antialiased drawings to the on/off transparency and limited
// palettes of GIF and ICO files.
#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace gen {

// A drawing composited over a matte colour. Pixels whose coverage is below one
// half are marked clear; the others keep the matte-blended colour.
struct Flattened
{
    int width = 0;
    int height = 0;
    std::vector<QRgb> colours;       // opaque RGB, one per pixel
    std::vector<std::uint8_t> clear; // 1 where the pixel is transparent
};

Flattened flattenOver(const QImage& drawing, QRgb matte);

// Median-cut reduction of the non-clear pixels to at most maxColours colours.
// If the picture already has few enough colours they are kept exactly.
std::vector<QRgb> medianCut(const Flattened& picture, int maxColours);

// Index of the nearest palette colour for every pixel (clear pixels get
// clearIndex). Palette entries before firstUsable are never chosen.
std::vector<std::uint8_t> mapToPalette(const Flattened& picture, const std::vector<QRgb>& palette, int firstUsable,
                                       int clearIndex);

} // namespace gen
