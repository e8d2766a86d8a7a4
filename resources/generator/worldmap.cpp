// The About picture: a map of the world in blues. The continents are pools of
// lighter, glossy water standing on a darker blue ground that is scattered with
// small droplets. The pools are lit through a height field (their blurred
// outline) and the droplets as little domes, both with the same light.
#include "geography.h"
#include "pictures.h"
#include "raster.h"

#include <QPainter>

#include <cmath>
#include <cstdint>
#include <vector>

namespace gen {

namespace {

constexpr int kWidth = 387;
constexpr int kHeight = 300;
constexpr double kTopLatitude = 83.6;     // north coast of Greenland
constexpr double kBottomLatitude = -56.0; // Cape Horn

double millerY(double latDegrees)
{
    const double phi = latDegrees * M_PI / 180.0;
    return 1.25 * std::log(std::tan(M_PI / 4.0 + 0.4 * phi));
}

// Miller cylindrical projection, scaled to the picture width and centred
// vertically on the land between Greenland and Cape Horn.
QPointF project(QPointF lonLat, double scale)
{
    const double width = kWidth * scale, height = kHeight * scale;
    const double k = width / (2.0 * M_PI);
    const double equator = height / 2.0 + k * (millerY(kTopLatitude) - millerY(-kBottomLatitude)) / 2.0;
    return {(lonLat.x() + 180.0) / 360.0 * width, equator - k * millerY(lonLat.y())};
}

struct Field
{
    int w = 0, h = 0;
    std::vector<float> v;
    Field(int width, int height) : w(width), h(height), v(size_t(width) * size_t(height), 0.f) {}
    float& at(int x, int y) { return v[size_t(y) * size_t(w) + size_t(x)]; }
    float get(int x, int y) const
    {
        x = std::clamp(x, 0, w - 1);
        y = std::clamp(y, 0, h - 1);
        return v[size_t(y) * size_t(w) + size_t(x)];
    }
};

Field gaussianBlur(const Field& src, float sigma)
{
    const int radius = int(std::ceil(sigma * 3.f));
    std::vector<float> kernel(size_t(2 * radius + 1));
    float sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += kernel[size_t(i + radius)] = std::exp(-float(i * i) / (2.f * sigma * sigma));
    for (float& k : kernel)
        k /= sum;
    Field tmp(src.w, src.h), out(src.w, src.h);
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x) {
            float acc = 0;
            for (int i = -radius; i <= radius; ++i)
                acc += kernel[size_t(i + radius)] * src.get(x + i, y);
            tmp.at(x, y) = acc;
        }
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x) {
            float acc = 0;
            for (int i = -radius; i <= radius; ++i)
                acc += kernel[size_t(i + radius)] * tmp.get(x, y + i);
            out.at(x, y) = acc;
        }
    return out;
}

Field landCoverage(double scale)
{
    const int w = int(kWidth * scale), h = int(kHeight * scale);
    QImage mask(w, h, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    auto polygon = [scale](const Outline& o) {
        QPolygonF poly;
        for (const QPointF& ll : o)
            poly << project(ll, scale);
        return poly;
    };
    for (const Outline& o : landOutlines())
        p.drawPolygon(polygon(o));
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    for (const Outline& o : lakeOutlines())
        p.drawPolygon(polygon(o));
    p.end();

    Field f(w, h);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < w; ++x)
            f.at(x, y) = float(qAlpha(line[x])) / 255.f;
    }
    return f;
}

struct Droplet
{
    float x, y, r; // in 1x pixels
};

// A small linear congruential generator with a fixed seed: the droplets land
// in the same places on every run and with every standard library.
class Lcg
{
public:
    explicit Lcg(std::uint32_t seed) : m_state(seed) {}
    float next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return float(m_state >> 8) / float(1u << 24);
    }

private:
    std::uint32_t m_state;
};

std::vector<Droplet> scatterDroplets()
{
    const Field land = landCoverage(1.0);
    std::vector<Droplet> drops;
    Lcg random(0x484f524cu);
    for (int attempt = 0; attempt < 4000 && drops.size() < 110; ++attempt) {
        const float u = random.next();
        Droplet d{random.next() * kWidth, random.next() * kHeight, 1.3f + 3.4f * u * u * u};
        const float gap = 3.5f;
        if (d.x < d.r + 2 || d.y < d.r + 2 || d.x > kWidth - d.r - 2 || d.y > kHeight - d.r - 2)
            continue;
        bool clear = true;
        const int reach = int(std::ceil(d.r + gap + 2));
        for (int y = int(d.y) - reach; clear && y <= int(d.y) + reach; ++y)
            for (int x = int(d.x) - reach; x <= int(d.x) + reach; ++x)
                if (land.get(x, y) > 0.f &&
                    std::hypot(float(x) + 0.5f - d.x, float(y) + 0.5f - d.y) < d.r + gap + 1.f) {
                    clear = false;
                    break;
                }
        for (const Droplet& o : drops)
            if (std::hypot(o.x - d.x, o.y - d.y) < o.r + d.r + 6.f)
                clear = false;
        if (clear)
            drops.push_back(d);
    }
    return drops;
}

// Shared look of water under the light: a darker, deeper tint where the
// surface slopes away, diffuse light, a broad sheen and a sharp highlight.
Colour litWater(Vec3 n, Colour body, Colour deep)
{
    static const Vec3 light = normalised({-0.55f, -0.7f, 1.0f}); // image y points down
    static const Vec3 halfway = normalised({light.x, light.y, light.z + 1.f});
    const float diffuse = std::max(0.f, dot(n, light));
    const float nh = std::max(0.f, dot(n, halfway));
    Colour c = mix(body, deep, clamp01((1.f - n.z) * 1.8f));
    c = scaled(c, 0.45f + 0.62f * diffuse);
    c = added(c, scaled(hexColour(0xFFFFFF), 0.85f * std::pow(nh, 60.f) + 0.10f * std::pow(nh, 6.f)));
    return c;
}

} // namespace

QImage drawWorldMap(int scale)
{
    const float s = float(scale);
    const int w = kWidth * scale, h = kHeight * scale;
    static const std::vector<Droplet> drops = scatterDroplets();

    const Field land = landCoverage(scale);
    const Field height = gaussianBlur(land, 2.2f * s);
    const Field depth = gaussianBlur(land, 9.f * s); // where the water stands thickest

    // Droplet coverage and surface normals.
    Field dropCover(w, h);
    std::vector<Vec3> dropNormal(size_t(w) * size_t(h), Vec3{0, 0, 1});
    for (const Droplet& d : drops) {
        const float cx = d.x * s, cy = d.y * s, r = d.r * s;
        for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
            for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x) {
                if (x < 0 || y < 0 || x >= w || y >= h)
                    continue;
                const float dx = float(x) + 0.5f - cx, dy = float(y) + 0.5f - cy;
                const float dist = std::hypot(dx, dy);
                const float cover = clamp01(r - dist + 0.5f);
                if (cover <= 0.f)
                    continue;
                dropCover.at(x, y) = std::max(dropCover.at(x, y), cover);
                const float ux = std::clamp(dx / r, -1.f, 1.f) * 0.92f, uy = std::clamp(dy / r, -1.f, 1.f) * 0.92f;
                dropNormal[size_t(y) * size_t(w) + size_t(x)] =
                    normalised({ux, uy, std::sqrt(std::max(0.02f, 1.f - ux * ux - uy * uy))});
            }
    }

    // Everything that stands on the ground casts a soft shadow to the lower right.
    Field standing(w, h);
    const int shiftX = int(std::lround(1.5f * s)), shiftY = int(std::lround(2.f * s));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            standing.at(x, y) = std::max(land.get(x - shiftX, y - shiftY), dropCover.get(x - shiftX, y - shiftY));
    const Field shadow = gaussianBlur(standing, 1.8f * s);

    const Colour groundCentre = hexColour(0x17408E);
    const Colour groundEdge = hexColour(0x0A2262);
    const Colour pool = hexColour(0x5FA6EC);
    const Colour poolDeep = hexColour(0x1E5BB8);
    const Colour drop = hexColour(0x4C8FDC);
    const Colour dropDeep = hexColour(0x163F93);

    QImage image(w, h, QImage::Format_RGB32);
    const float heightScale = 7.f * s;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const float px = (float(x) + 0.5f) / float(w) - 0.5f, py = (float(y) + 0.5f) / float(h) - 0.42f;
            const float vignette = clamp01(std::sqrt(px * px * 1.1f + py * py * 1.6f) * 1.5f);
            Colour c = mix(groundCentre, groundEdge, vignette);
            c = scaled(c, 1.f - 0.45f * shadow.get(x, y));

            const float dc = dropCover.get(x, y);
            if (dc > 0.f)
                c = mix(c, litWater(dropNormal[size_t(y) * size_t(w) + size_t(x)], drop, dropDeep), dc);

            const float lc = land.get(x, y);
            if (lc > 0.f) {
                const float gx = (height.get(x + 1, y) - height.get(x - 1, y)) * 0.5f;
                const float gy = (height.get(x, y + 1) - height.get(x, y - 1)) * 0.5f;
                const Vec3 n = normalised({-gx * heightScale, -gy * heightScale, 1.f});
                // Pools catch a little more sky towards the top of the picture.
                Colour body = mix(pool, hexColour(0x4A92E0), float(y) / float(h));
                body = mix(body, poolDeep, 0.45f * smoothstep(0.35f, 1.f, depth.get(x, y)));
                c = mix(c, litWater(n, body, poolDeep), lc);
            }
            auto to8 = [](float v) { return int(std::lround(clamp01(v) * 255.f)); };
            line[x] = qRgb(to8(c.r), to8(c.g), to8(c.b));
        }
    }
    return image;
}

} // namespace gen
