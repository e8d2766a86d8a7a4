#include "palette.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace gen {

Flattened flattenOver(const QImage& drawing, QRgb matte)
{
    const QImage src = drawing.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Flattened out;
    out.width = src.width();
    out.height = src.height();
    out.colours.reserve(size_t(out.width) * size_t(out.height));
    out.clear.reserve(out.colours.capacity());
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb p = line[x];
            const int a = qAlpha(p);
            auto over = [a](int premultiplied, int background) {
                return std::min(255, premultiplied + (background * (255 - a) + 127) / 255);
            };
            out.colours.push_back(
                qRgb(over(qRed(p), qRed(matte)), over(qGreen(p), qGreen(matte)), over(qBlue(p), qBlue(matte))));
            out.clear.push_back(a < 128 ? 1 : 0);
        }
    }
    return out;
}

namespace {

struct Entry
{
    std::array<int, 3> c;
    long count;
};

struct Box
{
    std::vector<Entry> entries;
    long total() const
    {
        long t = 0;
        for (const Entry& e : entries)
            t += e.count;
        return t;
    }
    int widestChannel(int* range) const
    {
        int best = 0;
        *range = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (const Entry& e : entries) {
                lo = std::min(lo, e.c[ch]);
                hi = std::max(hi, e.c[ch]);
            }
            if (hi - lo > *range) {
                *range = hi - lo;
                best = ch;
            }
        }
        return best;
    }
};

} // namespace

std::vector<QRgb> medianCut(const Flattened& picture, int maxColours)
{
    std::map<QRgb, long> histogram;
    for (size_t i = 0; i < picture.colours.size(); ++i) {
        if (!picture.clear[i])
            ++histogram[picture.colours[i] | 0xff000000u];
    }

    std::vector<QRgb> palette;
    if (int(histogram.size()) <= maxColours) {
        for (const auto& [colour, count] : histogram)
            palette.push_back(colour);
        return palette;
    }

    std::vector<Box> boxes(1);
    for (const auto& [colour, count] : histogram)
        boxes[0].entries.push_back({{qRed(colour), qGreen(colour), qBlue(colour)}, count});

    while (int(boxes.size()) < maxColours) {
        // Split the box with the largest (range x population); ties go to the
        // earliest box so that the result never depends on anything but the input.
        int chosen = -1;
        double bestScore = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[i].entries.size() < 2)
                continue;
            int range = 0;
            boxes[i].widestChannel(&range);
            const double score = double(range) * std::sqrt(double(boxes[i].total()));
            if (score > bestScore) {
                bestScore = score;
                chosen = i;
            }
        }
        if (chosen < 0)
            break;

        Box& box = boxes[chosen];
        int range = 0;
        const int ch = box.widestChannel(&range);
        std::sort(box.entries.begin(), box.entries.end(), [ch](const Entry& a, const Entry& b) {
            if (a.c[ch] != b.c[ch])
                return a.c[ch] < b.c[ch];
            return a.c < b.c;
        });
        const long half = box.total() / 2;
        long running = 0;
        size_t cut = 1;
        for (size_t i = 0; i + 1 < box.entries.size(); ++i) {
            running += box.entries[i].count;
            cut = i + 1;
            if (running >= half)
                break;
        }
        Box upper;
        upper.entries.assign(box.entries.begin() + long(cut), box.entries.end());
        box.entries.resize(cut);
        boxes.push_back(std::move(upper));
    }

    for (const Box& box : boxes) {
        double r = 0, g = 0, b = 0, n = 0;
        for (const Entry& e : box.entries) {
            r += double(e.c[0]) * double(e.count);
            g += double(e.c[1]) * double(e.count);
            b += double(e.c[2]) * double(e.count);
            n += double(e.count);
        }
        palette.push_back(qRgb(int(std::lround(r / n)), int(std::lround(g / n)), int(std::lround(b / n))));
    }
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    return palette;
}

std::vector<std::uint8_t> mapToPalette(const Flattened& picture, const std::vector<QRgb>& palette, int firstUsable,
                                       int clearIndex)
{
    std::map<QRgb, std::uint8_t> cache;
    std::vector<std::uint8_t> indices(picture.colours.size());
    for (size_t i = 0; i < picture.colours.size(); ++i) {
        if (picture.clear[i]) {
            indices[i] = std::uint8_t(clearIndex);
            continue;
        }
        const QRgb c = picture.colours[i];
        auto found = cache.find(c);
        if (found == cache.end()) {
            long best = -1;
            int bestIndex = firstUsable;
            for (int k = firstUsable; k < int(palette.size()); ++k) {
                const long dr = qRed(c) - qRed(palette[k]);
                const long dg = qGreen(c) - qGreen(palette[k]);
                const long db = qBlue(c) - qBlue(palette[k]);
                // Weighted distance: the eye is most sensitive to green, least to blue.
                const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (best < 0 || d < best) {
                    best = d;
                    bestIndex = k;
                }
            }
            found = cache.emplace(c, std::uint8_t(bestIndex)).first;
        }
        indices[i] = found->second;
    }
    return indices;
}

} // namespace gen
