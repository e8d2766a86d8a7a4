#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QRegion>

// The window's outline, read from its background picture: the picture is a rounded panel on white, and the
// white reached from the picture's edges (through white alone) lies outside the window. Nothing guesses the
// corners' radius: a picture drawn otherwise gives its own outline. The pixels along the outline blend the
// panel with that white; each is read as a share of its own colour and the rest white.
namespace shape {

struct Outline
{
    // A pixel along the outline, and the share of it that is inside.
    struct Edge
    {
        QPoint at;
        double share;
    };
    QSize size;
    int ratio = 0;            // device pixels to a logical pixel
    QImage outside;           // 1 outside
    QHash<QPoint, int> depth; // how many pixels from the outside (1 touches it), for the few nearest
    QList<QPoint> outsidePoints;
    QList<Edge> edges;
};

// The outline of a picture of `ratio` device pixels to a logical pixel (1, or 2 for the double-size picture).
Outline readOutline(const QImage& picture, int ratio);
// The pixels outside: a mask of the picture's size, 1 outside.
QImage outsideOf(const QImage& picture);

// For a desktop that composes windows: a picture of that outline (the background, or one recoloured from it)
// with its outside transparent and each pixel along the outline its own colour with its share as its opacity,
// so that no white fringe is left. Every other pixel is the picture's. Premultiplied ARGB.
QImage cutOut(const QImage& picture, const Outline& outline);
QImage cutOut(const QImage& picture, int ratio);

// For a desktop that composes nothing: the window's shape and what it shows. A logical pixel is kept where
// none of its device pixels lies outside or is less than half inside; the pixels along the outline that are
// kept show their own colour, the white taken away.
struct Shaped
{
    QImage picture;
    QRegion region; // in logical pixels
};
Shaped shaped(const QImage& picture, const Outline& outline);
Shaped shaped(const QImage& picture, int ratio);

// The window's shape alone.
QRegion insideRegion(const Outline& outline);

// What the window draws over a picture of that outline, so that it never copies the whole of it: in each
// corner, the smallest part that holds the outline's pixels, as a composing desktop shows it (`composed`,
// premultiplied, to be drawn as it is, alpha and all) or as the window's shape shows it. At device pixels.
struct Patch
{
    QPoint at;
    QImage picture;
};
QList<Patch> cornerPatches(const QImage& picture, const Outline& outline, bool composed);

// A picture held without keeping it whole: the one colour of its inside and the four strips of its border
// around it, each pixel the picture's own. `inside` is the rectangle inset alike from every edge, by a
// multiple of `ratio` device pixels, beyond which every pixel is `colour`; a picture with no such inside is
// kept as one strip. At device pixels.
struct Framed
{
    QRect inside;
    QRgb colour = 0;
    QList<Patch> strips;
};
Framed framed(const QImage& picture, int ratio);

// A picture of the same outline in other colours: `inside` within, `rim` in a band `rimWidth` device pixels
// wide along the outline and the picture's edges, blended with the white outside as the original is.
QImage recoloured(const Outline& outline, QRgb inside, QRgb rim, int rimWidth);

} // namespace shape
