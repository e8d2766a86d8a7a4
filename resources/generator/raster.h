// Small helpers shared by the per-pixel drawings: a float colour type, a
// three-component vector and a supersampling renderer.
#pragma once

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gen {

struct Colour
{
    float r = 0, g = 0, b = 0;
};

constexpr Colour hexColour(std::uint32_t rgb)
{
    return {float((rgb >> 16) & 0xff) / 255.f, float((rgb >> 8) & 0xff) / 255.f, float(rgb & 0xff) / 255.f};
}

inline Colour mix(Colour a, Colour b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline Colour scaled(Colour c, float k)
{
    return {c.r * k, c.g * k, c.b * k};
}
inline Colour added(Colour a, Colour b)
{
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}

inline float clamp01(float v)
{
    return std::clamp(v, 0.f, 1.f);
}

inline float smoothstep(float e0, float e1, float x)
{
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.f - 2.f * t);
}

struct Vec3
{
    float x = 0, y = 0, z = 0;
};

inline float dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vec3 normalised(Vec3 v)
{
    const float l = std::sqrt(dot(v, v));
    return l > 0 ? Vec3{v.x / l, v.y / l, v.z / l} : Vec3{0, 0, 1};
}

// Renders a w x h premultiplied ARGB image. For each pixel, grid x grid sample
// points are passed to shader(x, y, colour), which sets the colour at that point
// and returns its coverage (0 outside the shape, 1 inside).
template <class Shader> QImage renderSupersampled(int w, int h, int grid, Shader&& shader)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    const float step = 1.f / float(grid);
    const float count = float(grid * grid);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < grid; ++j) {
                for (int i = 0; i < grid; ++i) {
                    Colour c;
                    const float cover =
                        shader(float(x) + (float(i) + 0.5f) * step, float(y) + (float(j) + 0.5f) * step, c);
                    r += clamp01(c.r) * cover;
                    g += clamp01(c.g) * cover;
                    b += clamp01(c.b) * cover;
                    a += cover;
                }
            }
            auto to8 = [count](float v) { return int(std::lround(std::clamp(v / count, 0.f, 1.f) * 255.f)); };
            line[x] = qRgba(to8(r), to8(g), to8(b), to8(a));
        }
    }
    return image;
}

} // namespace gen
