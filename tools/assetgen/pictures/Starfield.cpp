// stars: a tileable night sky of stars of many sizes and colours over faint
// nebulae.
#include "pictures/Textures.h"

#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace assetgen::pictures {

Canvas makeStarfield()
{
    constexpr int size = 1024;
    noise::PeriodicNoise noise(77);
    Canvas canvas(size, size, {0, 0, 0}, true);
    const Color night = hex(0x03040c), violet = hex(0x3a1d5c), teal = hex(0x0f3c52);
    canvas.paint([&](float x, float y) {
        float u = x / size, v = y / size;
        float a = noise.fractal(u, v, 3, 6, 0.55f), b = noise.fractal(u + 0.5f, v + 0.25f, 4, 6, 0.55f);
        Color c = mix(night, violet, std::clamp((a - 0.5f) * 1.6f, 0.0f, 0.6f));
        return mix(c, teal, std::clamp((b - 0.55f) * 1.8f, 0.0f, 0.5f));
    });
    for (int i = 0; i < 2200; ++i) {
        float x = noise.hash(i, 1) * size, y = noise.hash(i, 2) * size;
        float brightness = std::pow(noise.hash(i, 3), 7.0f);
        float sigma = 0.45f + 1.4f * brightness;
        float temperature = noise.hash(i, 4);
        Color tint = temperature < 0.3f ? hex(0xaec8ff) : temperature > 0.85f ? hex(0xffd2a0) : hex(0xffffff);
        float peak = 0.25f + 0.75f * std::sqrt(brightness);
        int reach = static_cast<int>(std::ceil(sigma * 3.5f));
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                float px = std::floor(x) + dx + 0.5f - x, py = std::floor(y) + dy + 0.5f - y;
                float glow = std::exp(-(px * px + py * py) / (2 * sigma * sigma));
                canvas.blend(static_cast<int>(std::floor(x)) + dx, static_cast<int>(std::floor(y)) + dy, tint, peak * glow);
            }
        if (brightness > 0.8f)
            for (int k = -18; k <= 18; ++k) {
                float fade = peak * 0.5f * std::exp(-std::fabs(static_cast<float>(k)) / 5.0f);
                canvas.blend(static_cast<int>(x) + k, static_cast<int>(y), tint, fade);
                canvas.blend(static_cast<int>(x), static_cast<int>(y) + k, tint, fade);
            }
    }
    return canvas;
}

} // namespace assetgen::pictures
