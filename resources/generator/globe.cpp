// The Earth seen from space, centred over Africa and Europe. Each sample point
// of the disc is turned back into a longitude and latitude and looked up in a
// land mask drawn from the coastline outlines; clouds come from a fixed noise
// function, so the picture is the same on every run.
#include "geography.h"
#include "pictures.h"
#include "raster.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdint>

namespace gen {

namespace {

// Equirectangular land mask: 1 on land, 0 at sea, antialiased.
class LandMap
{
public:
    LandMap() : m_image(1440, 720, QImage::Format_ARGB32_Premultiplied)
    {
        m_image.fill(Qt::transparent);
        QPainter p(&m_image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (const Outline& o : landOutlines())
            p.drawPolygon(project(o));
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        for (const Outline& o : lakeOutlines())
            p.drawPolygon(project(o));
    }

    // Bilinear lookup, longitude wrapping around.
    float at(float lon, float lat) const
    {
        const float fx = (lon + 180.f) / 360.f * float(m_image.width()) - 0.5f;
        const float fy = (90.f - lat) / 180.f * float(m_image.height()) - 0.5f;
        const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
        const float tx = fx - float(x0), ty = fy - float(y0);
        auto v = [this](int x, int y) {
            x = ((x % m_image.width()) + m_image.width()) % m_image.width();
            y = std::clamp(y, 0, m_image.height() - 1);
            return float(qAlpha(m_image.pixel(x, y))) / 255.f;
        };
        const float top = v(x0, y0) + (v(x0 + 1, y0) - v(x0, y0)) * tx;
        const float bottom = v(x0, y0 + 1) + (v(x0 + 1, y0 + 1) - v(x0, y0 + 1)) * tx;
        return top + (bottom - top) * ty;
    }

private:
    QPolygonF project(const Outline& o) const
    {
        QPolygonF poly;
        for (const QPointF& ll : o)
            poly << QPointF((ll.x() + 180.0) / 360.0 * m_image.width(), (90.0 - ll.y()) / 180.0 * m_image.height());
        return poly;
    }
    QImage m_image;
};

float lattice(int x, int y, int z)
{
    std::uint32_t h = std::uint32_t(x) * 0x8da6b343u ^ std::uint32_t(y) * 0xd8163841u ^ std::uint32_t(z) * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return float(h & 0xffffff) / float(0xffffff);
}

float valueNoise(float x, float y, float z)
{
    const int ix = int(std::floor(x)), iy = int(std::floor(y)), iz = int(std::floor(z));
    const float fx = x - float(ix), fy = y - float(iy), fz = z - float(iz);
    const float ux = fx * fx * (3 - 2 * fx), uy = fy * fy * (3 - 2 * fy), uz = fz * fz * (3 - 2 * fz);
    auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
    float plane[2];
    for (int k = 0; k < 2; ++k) {
        const float a = lerp(lattice(ix, iy, iz + k), lattice(ix + 1, iy, iz + k), ux);
        const float b = lerp(lattice(ix, iy + 1, iz + k), lattice(ix + 1, iy + 1, iz + k), ux);
        plane[k] = lerp(a, b, uy);
    }
    return lerp(plane[0], plane[1], uz);
}

float fractalNoise(Vec3 p)
{
    float sum = 0, amplitude = 0.5f, norm = 0;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amplitude * valueNoise(p.x, p.y, p.z);
        norm += amplitude;
        amplitude *= 0.5f;
        p = {p.x * 2.03f + 1.7f, p.y * 2.03f - 3.1f, p.z * 2.03f + 0.4f};
    }
    return sum / norm;
}

} // namespace

QImage drawGlobe(int pixels)
{
    static const LandMap land;
    const float size = float(pixels);
    const float radius = size * 15.5f / 32.f;
    const float centre = size / 2.f;
    const float lon0 = 12.f * float(M_PI) / 180.f, lat0 = 16.f * float(M_PI) / 180.f;
    const Vec3 light = normalised({-0.55f, 0.6f, 0.65f}); // x right, y up, z towards us
    const Vec3 halfway = normalised({light.x, light.y, light.z + 1.f});

    const Colour deepSea = hexColour(0x0B3A8A);
    const Colour shallowSea = hexColour(0x2E7FD6);
    const Colour forest = hexColour(0x2F7D32);
    const Colour grass = hexColour(0x6A9E3A);
    const Colour desert = hexColour(0xC09A5B);
    const Colour ice = hexColour(0xF2F6FA);
    const Colour cloud = hexColour(0xFFFFFF);
    const Colour air = hexColour(0x9CCBFF);

    return renderSupersampled(pixels, pixels, 5, [&](float x, float y, Colour& c) {
        const float u = (x - centre) / radius, v = (centre - y) / radius;
        const float r2 = u * u + v * v;
        if (r2 > 1.f)
            return 0.f;
        const float z = std::sqrt(1.f - r2);
        const float lat = std::asin(std::clamp(v * std::cos(lat0) + z * std::sin(lat0), -1.f, 1.f));
        const float lon = lon0 + std::atan2(u, z * std::cos(lat0) - v * std::sin(lat0));
        const float latDeg = lat * 180.f / float(M_PI);
        float lonDeg = lon * 180.f / float(M_PI);
        if (lonDeg > 180.f)
            lonDeg -= 360.f;
        const Vec3 onSphere{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};

        // Ground: sea, or land that is green in wet belts and sandy in the dry ones.
        const float landAmount = land.at(lonDeg, latDeg);
        const float detail = fractalNoise({onSphere.x * 6.f, onSphere.y * 6.f, onSphere.z * 6.f});
        const float dryNorth = std::exp(-std::pow((latDeg - 23.f) / 9.f, 2.f));
        const float drySouth = 0.75f * std::exp(-std::pow((latDeg + 25.f) / 7.f, 2.f));
        const float dryness = clamp01((dryNorth + drySouth) * 1.2f + (detail - 0.5f) * 0.9f);
        Colour ground = mix(mix(forest, grass, detail), desert, dryness);
        ground = mix(ground, ice, smoothstep(66.f, 74.f, std::abs(latDeg)));
        const Colour sea = mix(deepSea, shallowSea, 0.35f + 0.3f * detail);
        Colour surface = mix(sea, ground, landAmount);

        // Clouds: fractal noise stretched east-west, gathered along the
        // equatorial and mid-latitude storm belts and thin over the deserts.
        const float n = fractalNoise({onSphere.x * 2.2f + 5.f, onSphere.y * 2.2f, onSphere.z * 5.5f});
        const float stormy = 0.10f * std::exp(-std::pow(latDeg / 9.f, 2.f)) +
                             0.08f * std::exp(-std::pow((std::abs(latDeg) - 52.f) / 10.f, 2.f));
        const float cover = smoothstep(0.58f, 0.70f, n + stormy - 0.14f * (dryNorth + drySouth));
        surface = mix(surface, cloud, cover * 0.9f);

        // Light from the upper left, a glint on the open sea, and a thin
        // atmosphere glowing at the rim.
        const Vec3 normal{u, v, z};
        const float diffuse = std::max(0.f, dot(normal, light));
        c = scaled(surface, 0.22f + 0.92f * diffuse);
        const float glint = std::pow(std::max(0.f, dot(normal, halfway)), 24.f) * (1.f - landAmount) * (1.f - cover);
        c = added(c, scaled(hexColour(0xCFE4FF), 0.35f * glint));
        const float rim = std::pow(1.f - z, 2.2f);
        c = mix(c, scaled(air, 0.3f + 0.6f * diffuse), clamp01(rim * 0.75f));
        return 1.f;
    });
}

} // namespace gen
