// container04: a tileable, corrugated side of a shipping container: ribbed
// steel in faded red paint with dirt runs, rust and a worn stencil.
#include "pictures/Textures.h"

#include "Noise.h"
#include "pictures/Font.h"

#include <algorithm>
#include <cmath>

namespace assetgen::pictures {

namespace {

constexpr int size = 1024;
constexpr float rib = 128.0f; // one corrugation, a whole number per tile

// Brightness of the corrugation across one rib: an outer face, a slope
// turned to the light, the inner face and the slope turned away.
float corrugation(float x)
{
    float t = std::fmod(x, rib) / rib;
    const float edges[] = {0.0f, 0.32f, 0.5f, 0.82f, 1.0f};
    const float shades[] = {1.0f, 1.18f, 0.84f, 0.62f, 1.0f};
    for (int i = 0; i < 4; ++i)
        if (t < edges[i + 1]) {
            float local = (t - edges[i]) / (edges[i + 1] - edges[i]);
            // Rounded bends between the faces.
            float blend = std::clamp((local - 0.85f) / 0.15f, 0.0f, 1.0f);
            return shades[i] + (shades[i + 1] - shades[i]) * blend * blend * (3 - 2 * blend);
        }
    return 1.0f;
}

} // namespace

Canvas makeContainerPanel()
{
    noise::PeriodicNoise noise(404);
    Canvas canvas(size, size, {0, 0, 0}, true);
    const Color paint = hex(0xa23b26), rust = hex(0x6b3a1c), grime = hex(0x3a2a22);
    canvas.paint([&](float x, float y) {
        float u = x / size, v = y / size;
        Color c = scaled(paint, 0.9f + 0.15f * (noise.fractal(u, v, 4, 5) - 0.5f));
        // Runs of dirt down the ribs.
        float runs = noise.at(u * 32.0f, v * 3.0f, 32, 3) * noise.fractal(u, v, 8, 3);
        c = mix(c, grime, std::clamp((runs - 0.25f) * 1.4f, 0.0f, 0.45f));
        // Rust where a coarse noise is high, with a ragged edge.
        float rustField = noise.fractal(u + 0.37f, v + 0.11f, 5, 6, 0.55f);
        float rusty = std::clamp((rustField - 0.58f) * 9.0f, 0.0f, 1.0f);
        c = mix(c, scaled(rust, 0.8f + 0.4f * noise.at(u * 128.0f, v * 128.0f, 128)), rusty);
        return scaled(c, corrugation(x));
    });
    // A worn stencil, kept clear of the edges so the tile still repeats cleanly.
    Canvas stencil(size, size, {0, 0, 0});
    Font big("DejaVuSansCondensed-Bold.ttf", 120);
    Font small("DejaVuSansMono-Bold.ttf", 44);
    big.drawCentred(stencil, "CLANKORA", size / 2.0f, 470.0f, {1, 1, 1});
    small.drawCentred(stencil, "CLKU 041 0804  22G1", size / 2.0f, 560.0f, {1, 1, 1});
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float ink = stencil.at(x, y).r;
            if (ink <= 0.0f)
                continue;
            float wear = noise.fractal(x / 256.0f, y / 256.0f, 16, 3);
            float alpha = ink * std::clamp((wear - 0.3f) * 2.5f, 0.0f, 0.85f);
            canvas.blend(x, y, scaled(hex(0xe8e2d0), corrugation(static_cast<float>(x))), alpha);
        }
    return canvas;
}

} // namespace assetgen::pictures
