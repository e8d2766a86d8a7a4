#pragma once

#include <QImage>
#include <QRegion>

// The window's outline, read from its background picture: the picture is a rounded panel on white, and the
// white reached from the picture's edges (through white alone) lies outside the window. Nothing guesses the
// corners' radius: a picture drawn otherwise gives its own outline. The pixels along the outline blend the
// panel with that white; each is read as a share of its own colour (that of the pixels just inside) and the
// rest white.
namespace shape {

// The picture's pixels outside the outline: a mask of the picture's size, 1 outside.
QImage outsideOf(const QImage& picture);

// For a desktop that composes windows: the picture (of `ratio` device pixels to a logical pixel) with its
// outside transparent and each pixel along the outline its own colour with its share as its opacity, so that
// no white fringe is left. Every other pixel is the picture's. Premultiplied ARGB.
QImage cutOut(const QImage& picture, int ratio);

// For a desktop that composes nothing: the window's shape and what it shows. A logical pixel is kept where none
// of its device pixels (`ratio` to a side: 1, or 2 for the double-size picture) lies outside or is less than
// half inside; the pixels along the outline that are kept show their own colour, unblended from the white.
struct Shaped
{
    QImage picture;
    QRegion region; // in logical pixels
};
Shaped shaped(const QImage& picture, int ratio);

} // namespace shape
