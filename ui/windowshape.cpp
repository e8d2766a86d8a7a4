#include "windowshape.h"

#include <QHash>
#include <QList>
#include <QPainter>
#include <algorithm>

namespace shape {

namespace {

// Past this share of it inside, a pixel along the outline is taken as wholly inside.
constexpr double kWhole = 0.9;

} // namespace

// The white pixels reached from the picture's edges through white, then the pixels along them. Only they are
// ever looked at: a few hundred pixels of the corners.
Outline readOutline(const QImage& picture, int ratio)
{
    Outline outline;
    outline.size = picture.size();
    outline.ratio = std::max(1, ratio);
    QImage& mask = outline.outside;
    mask = QImage(picture.size(), QImage::Format_Mono);
    mask.fill(0);
    const QRect bounds = picture.rect();
    QList<QPoint> waiting;
    auto reach = [&](int x, int y) {
        if (!bounds.contains(x, y) || mask.pixelIndex(x, y) || (picture.pixel(x, y) & 0xffffffu) != 0xffffffu)
            return;
        mask.setPixel(x, y, 1);
        waiting.append(QPoint(x, y));
        outline.outsidePoints.append(QPoint(x, y));
    };
    for (int x = 0; x < bounds.width(); ++x) {
        reach(x, 0);
        reach(x, bounds.height() - 1);
    }
    for (int y = 0; y < bounds.height(); ++y) {
        reach(0, y);
        reach(bounds.width() - 1, y);
    }
    while (!waiting.isEmpty()) {
        const QPoint at = waiting.takeLast();
        reach(at.x() - 1, at.y());
        reach(at.x() + 1, at.y());
        reach(at.x(), at.y() - 1);
        reach(at.x(), at.y() + 1);
    }

    // The pixels next to the outside, layer by layer inwards (1 touches the outside): the curve's partly covered
    // pixels lie within the first layers, and may run along the edge for several pixels where the curve meets
    // it. Each is read against the darkest of its neighbours one layer deeper: blending with white only lightens.
    const int layers = 3 * std::max(1, ratio) + 2;
    // Kept by place (a few hundred pixels): a picture's worth of depths would be written for nothing.
    QHash<QPoint, int>& layer = outline.depth;
    auto depthAt = [&layer](const QPoint& at) { return layer.value(at, 0); };
    QList<QList<QPoint>> byLayer(layers + 1);
    for (const QPoint& out : std::as_const(outline.outsidePoints))
        layer.insert(out, -1); // the outside itself
    QList<QPoint> front = outline.outsidePoints;
    for (int depth = 1; depth <= layers; ++depth) {
        for (const QPoint& from : std::as_const(front)) {
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const QPoint at(from.x() + dx, from.y() + dy);
                    if (bounds.contains(at) && depthAt(at) == 0) {
                        layer.insert(at, depth);
                        byLayer[depth].append(at);
                    }
                }
            }
        }
        front = byLayer[depth];
    }
    for (int depth = 1; depth < layers; ++depth) {
        for (const QPoint& at : std::as_const(byLayer[depth])) {
            const QRgb shown = picture.pixel(at);
            QRgb own = shown;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const QPoint near(at.x() + dx, at.y() + dy);
                    if (!bounds.contains(near) || depthAt(near) != depth + 1)
                        continue;
                    const QRgb colour = picture.pixel(near);
                    if (std::min({qRed(colour), qGreen(colour), qBlue(colour)}) <
                        std::min({qRed(own), qGreen(own), qBlue(own)}))
                        own = colour;
                }
            }
            // Shown = share × own + (1 - share) × white, read on the channel where own is farthest from white.
            const int darkest = std::min({qRed(own), qGreen(own), qBlue(own)});
            if (255 - darkest < 16)
                continue; // too near white to tell
            const int channel = darkest == qRed(own)     ? qRed(shown)
                                : darkest == qGreen(own) ? qGreen(shown)
                                                         : qBlue(shown);
            const double share = std::clamp((255.0 - channel) / (255.0 - darkest), 0.0, 1.0);
            // A pixel all but covered is the picture's own, as it is.
            if (share < kWhole)
                outline.edges.append({at, share});
        }
    }
    // The outside's own mark in the layers was only for the walk.
    for (const QPoint& out : std::as_const(outline.outsidePoints))
        layer.remove(out);
    return outline;
}

QImage outsideOf(const QImage& picture)
{
    return readOutline(picture, 1).outside;
}

namespace {

// The colour a pixel along the outline would have wholly inside: what is left once the white is taken away.
QRgb ownColour(QRgb shown, double share)
{
    auto own = [share](int channel) { return std::clamp(qRound((channel - (1.0 - share) * 255.0) / share), 0, 255); };
    return qRgb(own(qRed(shown)), own(qGreen(shown)), own(qBlue(shown)));
}

} // namespace

namespace {

// The pixels of `target` (a part of the picture at `offset`) along the outline and outside it, as a desktop
// that composes windows shows them (`composed`), or as the window's shape shows them.
void treatOutline(QImage& target, const QPoint& offset, const QImage& picture, const Outline& outline, bool composed)
{
    const QRect area(offset, target.size());
    if (composed) {
        for (const QPoint& at : outline.outsidePoints) {
            if (area.contains(at))
                target.setPixel(at - offset, 0);
        }
    }
    for (const Outline::Edge& edge : outline.edges) {
        if (!area.contains(edge.at))
            continue;
        const QRgb shown = picture.pixel(edge.at);
        if (composed) {
            const int alpha = qRound(edge.share * 255);
            // What is left of the shown colour once the white's part is taken away.
            auto part = [&](int channel) { return std::clamp(qRound(channel - (1.0 - edge.share) * 255.0), 0, alpha); };
            target.setPixel(edge.at - offset, qRgba(part(qRed(shown)), part(qGreen(shown)), part(qBlue(shown)), alpha));
        } else if (edge.share >= 0.5) {
            target.setPixel(edge.at - offset, ownColour(shown, edge.share));
        }
    }
}

} // namespace

QImage cutOut(const QImage& picture, const Outline& outline)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    result.setDevicePixelRatio(1);
    treatOutline(result, QPoint(), picture, outline, true);
    return result;
}

QImage cutOut(const QImage& picture, int ratio)
{
    return cutOut(picture, readOutline(picture, ratio));
}

QRegion insideRegion(const Outline& outline)
{
    const int ratio = outline.ratio;
    QRegion cut;
    for (const QPoint& at : outline.outsidePoints)
        cut += QRect(at.x() / ratio, at.y() / ratio, 1, 1);
    for (const Outline::Edge& edge : outline.edges) {
        if (edge.share < 0.5)
            cut += QRect(edge.at.x() / ratio, edge.at.y() / ratio, 1, 1);
    }
    return QRegion(0, 0, outline.size.width() / ratio, outline.size.height() / ratio) - cut;
}

Shaped shaped(const QImage& picture, const Outline& outline)
{
    Shaped result{picture.convertToFormat(QImage::Format_RGB32), insideRegion(outline)};
    result.picture.setDevicePixelRatio(1);
    treatOutline(result.picture, QPoint(), picture, outline, false);
    return result;
}

Shaped shaped(const QImage& picture, int ratio)
{
    return shaped(picture, readOutline(picture, ratio));
}

QList<Patch> cornerPatches(const QImage& picture, const Outline& outline, bool composed)
{
    // Each corner's outline within the quarter of the picture it lies in.
    const QSize half = outline.size / 2;
    QList<Patch> patches;
    for (const QPoint& quarter : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
        const QRect area(QPoint(quarter.x() * half.width(), quarter.y() * half.height()),
                         QSize(quarter.x() ? outline.size.width() - half.width() : half.width(),
                               quarter.y() ? outline.size.height() - half.height() : half.height()));
        QRect bounds;
        for (const QPoint& at : outline.outsidePoints) {
            if (area.contains(at))
                bounds |= QRect(at, QSize(1, 1));
        }
        for (const Outline::Edge& edge : outline.edges) {
            if (area.contains(edge.at))
                bounds |= QRect(edge.at, QSize(1, 1));
        }
        if (bounds.isEmpty())
            continue;
        QImage part = picture.copy(bounds).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        part.setDevicePixelRatio(1);
        treatOutline(part, bounds.topLeft(), picture, outline, composed);
        patches.append({bounds.topLeft(), part});
    }
    return patches;
}

Framed framed(const QImage& source, int ratio)
{
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    const int width = picture.width(), height = picture.height();
    Framed result;
    if (width == 0 || height == 0)
        return result;
    result.colour = picture.pixel(width / 2, height / 2);
    // The border is as deep as the farthest from its nearest edge of the pixels of another colour.
    int depth = 0;
    for (int y = 0; y < height; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (line[x] != result.colour)
                depth = std::max(depth, std::min({x, y, width - 1 - x, height - 1 - y}) + 1);
        }
    }
    const int step = std::max(1, ratio);
    depth = (depth + step - 1) / step * step;
    if (2 * depth >= width || 2 * depth >= height) {
        result.strips.append({QPoint(), picture});
        return result;
    }
    result.inside = QRect(depth, depth, width - 2 * depth, height - 2 * depth);
    for (const QRect& strip :
         {QRect(0, 0, width, depth), QRect(0, height - depth, width, depth), QRect(0, depth, depth, height - 2 * depth),
          QRect(width - depth, depth, depth, height - 2 * depth)}) {
        if (!strip.isEmpty())
            result.strips.append({strip.topLeft(), picture.copy(strip)});
    }
    return result;
}

QImage recoloured(const Outline& outline, QRgb inside, QRgb rim, int rimWidth)
{
    QImage result(outline.size, QImage::Format_RGB32);
    result.fill(inside);
    const int width = outline.size.width(), height = outline.size.height();
    // Along the picture's straight edges, then along the curves.
    QPainter painter(&result);
    painter.fillRect(0, 0, width, rimWidth, QColor::fromRgb(rim));
    painter.fillRect(0, height - rimWidth, width, rimWidth, QColor::fromRgb(rim));
    painter.fillRect(0, 0, rimWidth, height, QColor::fromRgb(rim));
    painter.fillRect(width - rimWidth, 0, rimWidth, height, QColor::fromRgb(rim));
    painter.end();
    for (auto it = outline.depth.cbegin(); it != outline.depth.cend(); ++it) {
        if (it.value() <= rimWidth)
            result.setPixel(it.key(), rim);
    }
    for (const QPoint& at : outline.outsidePoints)
        result.setPixel(at, qRgb(255, 255, 255));
    for (const Outline::Edge& edge : outline.edges) {
        const QRgb own = result.pixel(edge.at);
        auto blend = [&](int channel) { return qRound(edge.share * channel + (1.0 - edge.share) * 255.0); };
        result.setPixel(edge.at, qRgb(blend(qRed(own)), blend(qGreen(own)), blend(qBlue(own))));
    }
    return result;
}

} // namespace shape
