// The bevelled silver panel behind the clock faces and the two button states.
// Both are computed per pixel from a signed distance to a rounded rectangle, so
// the bevel follows the rounded corners smoothly.
#include "pictures.h"
#include "raster.h"

namespace gen {

namespace {

struct EdgeInfo
{
    float inside; // distance to the outline, positive inside
    float nx, ny; // outward normal of the nearest part of the outline
};

// Rounded rectangle covering (0,0)-(w,h) with corner radius r.
EdgeInfo roundedBox(float px, float py, float w, float h, float r)
{
    const float dx = px - w / 2, dy = py - h / 2;
    const float qx = std::abs(dx) - (w / 2 - r);
    const float qy = std::abs(dy) - (h / 2 - r);
    const float sx = dx < 0 ? -1.f : 1.f, sy = dy < 0 ? -1.f : 1.f;
    if (qx > 0 && qy > 0) {
        const float l = std::hypot(qx, qy);
        if (l < 1e-6f)
            return {r, sx * 0.7071f, sy * 0.7071f};
        return {r - l, sx * qx / l, sy * qy / l};
    }
    if (qx > qy)
        return {r - qx, sx, 0};
    return {r - qy, 0, sy};
}

// How much a surface facing along (nx, ny) catches the light from the upper
// left: +1 for top and left edges, -1 for bottom and right ones.
float lightFacing(float nx, float ny)
{
    return std::clamp(-(nx + ny), -1.f, 1.f);
}

Colour bevelShade(Colour face, Colour light, Colour dark, float facing, float strength)
{
    return facing >= 0 ? mix(face, light, facing * strength) : mix(face, dark, -facing * strength);
}

} // namespace

QImage drawBackground(int scale)
{
    const float w = 981.f * float(scale), h = 529.f * float(scale);
    const float radius = 12.f * float(scale);
    const float bevel = 10.f * float(scale);
    const Colour silver = hexColour(0xC0C0C0);
    const Colour light = hexColour(0xE0E0E0);
    const Colour dark = hexColour(0x5A5A5A);
    const Colour white = hexColour(0xFFFFFF);
    return renderSupersampled(int(w), int(h), 4, [&](float x, float y, Colour& c) {
        const EdgeInfo e = roundedBox(x, y, w, h, radius);
        if (e.inside < 0) {
            c = white;
            return 1.f;
        }
        // A quarter-round edge: its tilt, and so its shading, fades linearly
        // inwards; the power keeps the outermost pixels crisp.
        // The outermost pixel row gets the full light or dark tone.
        const float t = std::pow(clamp01(1.f - std::max(0.f, e.inside - float(scale)) / (bevel - float(scale))), 1.6f);
        c = bevelShade(silver, light, dark, lightFacing(e.nx, e.ny), t);
        return 1.f;
    });
}

QImage drawButton(bool pressed, int scale)
{
    const float s = float(scale);
    const float w = 104.f * s, h = 24.f * s;
    const float radius = h / 2;
    const float bevel = 3.5f * s;
    const Colour light = hexColour(0xFFFFFF);
    const Colour dark = hexColour(0x606060);
    const Colour rim = hexColour(0x4A4A4A);
    return renderSupersampled(int(w), int(h), 6, [&](float x, float y, Colour& c) {
        const EdgeInfo e = roundedBox(x, y, w, h, radius);
        if (e.inside < 0)
            return 0.f;
        const float v = y / h;
        // The face itself is gently convex when raised, concave when pressed.
        const Colour face = pressed ? mix(hexColour(0xB8B8B8), hexColour(0xD0D0D0), v)
                                    : mix(hexColour(0xE6E6E6), hexColour(0xCDCDCD), v);
        float facing = lightFacing(e.nx, e.ny);
        if (pressed)
            facing = -facing;
        const float t = std::pow(clamp01(1.f - e.inside / bevel), 1.4f);
        c = bevelShade(face, light, dark, facing, t);
        // A fine dark rim keeps the outline readable on the silver panel.
        const float rimWidth = 0.9f * s;
        if (e.inside < rimWidth)
            c = mix(c, rim, 0.55f * (1.f - e.inside / rimWidth));
        return 1.f;
    });
}

} // namespace gen
