// metalBox: a tileable panel of brushed steel with riveted, grooved seams
// where the tiles meet.
#include "pictures/Textures.h"

#include "Noise.h"
#include "pictures/Shapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen::pictures {

namespace {

constexpr int size = 512;

void drawRivet(Canvas& canvas, Point at)
{
    const float r = 9.0f;
    canvas.fillShape([&](float x, float y) { return circle({x, y}, {at.x + 2.5f, at.y + 3.0f}, r + 1.0f); },
        at.x - 14, at.y - 14, at.x + 16, at.y + 16, hex(0x1c1e22), 0.5f);
    // A dome lit from the upper left.
    for (int y = static_cast<int>(at.y - r - 1); y <= static_cast<int>(at.y + r + 1); ++y)
        for (int x = static_cast<int>(at.x - r - 1); x <= static_cast<int>(at.x + r + 1); ++x) {
            float dx = (x + 0.5f - at.x) / r, dy = (y + 0.5f - at.y) / r;
            float d = std::hypot(dx, dy);
            float coverage = std::clamp((1.0f - d) * r + 0.5f, 0.0f, 1.0f);
            if (coverage <= 0.0f)
                continue;
            float nz = std::sqrt(std::max(0.0f, 1.0f - d * d));
            float light = std::clamp(0.35f + 0.65f * (-dx * 0.5f - dy * 0.6f + nz * 0.62f), 0.0f, 1.2f);
            canvas.blend(x, y, scaled(hex(0xb9bec6), light), coverage);
        }
}

} // namespace

Canvas makeBrushedMetal()
{
    noise::PeriodicNoise noise(512);
    Canvas canvas(size, size, {0, 0, 0}, true);
    const Color steel = hex(0x8d949c);
    canvas.paint([&](float x, float y) {
        float u = x / size, v = y / size;
        // Brushing: fine streaks along x, each a pixel high.
        float streaks = noise.at(u * 6.0f, v * size, 6, size) * 0.6f + noise.at(u * 24.0f, v * 128.0f, 24, 128) * 0.4f;
        float cloud = noise.fractal(u, v, 3, 4);
        float shade = 0.82f + 0.16f * streaks + 0.12f * (cloud - 0.5f);
        Color c = scaled(steel, shade);
        // A groove where panels meet: dark in the middle, a bright lip below
        // and right of it, so the repeated tiles read as riveted plates.
        float gx = std::min(x, size - x), gy = std::min(y, size - y);
        float g = std::min(gx, gy);
        if (g < 2.5f)
            c = scaled(c, 0.35f);
        else if (g < 5.0f)
            c = scaled(c, (gx < gy ? x : y) < size / 2 ? 1.18f : 0.75f);
        return c;
    });
    const float inset = 22.0f;
    for (float a : {inset, size / 2.0f, size - inset})
        for (Point p : {Point{a, inset}, Point{a, size - inset}, Point{inset, a}, Point{size - inset, a}})
            drawRivet(canvas, p);
    // Shift by half a tile: the grooves then lie inside the picture, where
    // JPEG's blocks treat both sides alike, and the picture's own edges fall
    // on plain brushed steel.
    Canvas shifted(size, size, {0, 0, 0}, true);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            shifted.at(x, y) = canvas.at((x + size / 2) % size, (y + size / 2) % size);
    return shifted;
}

} // namespace assetgen::pictures
