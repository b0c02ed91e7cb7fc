#include "pictures/PeriodicNoise.h"

#include <cmath>

namespace assetgen::pictures {

float PeriodicNoise::hash(int x, int y) const
{
    uint32_t h = seed ^ (static_cast<uint32_t>(x) * 0x27d4eb2du) ^ (static_cast<uint32_t>(y) * 0x165667b1u);
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return (h >> 8) * (1.0f / 16777216.0f);
}

float PeriodicNoise::at(float x, float y, int periodX, int periodY) const
{
    float fx = std::floor(x), fy = std::floor(y);
    float tx = x - fx, ty = y - fy;
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    auto wrap = [](int i, int period) { return ((i % period) + period) % period; };
    int x0 = wrap(ix, periodX), x1 = wrap(ix + 1, periodX), y0 = wrap(iy, periodY), y1 = wrap(iy + 1, periodY);
    // Quintic fade: no visible grid in the gradients.
    float sx = tx * tx * tx * (tx * (tx * 6 - 15) + 10);
    float sy = ty * ty * ty * (ty * (ty * 6 - 15) + 10);
    float a = hash(x0, y0) + (hash(x1, y0) - hash(x0, y0)) * sx;
    float b = hash(x0, y1) + (hash(x1, y1) - hash(x0, y1)) * sx;
    return a + (b - a) * sy;
}

float PeriodicNoise::fractal(float u, float v, int cells, int octaves, float persistence) const
{
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    int period = cells;
    for (int o = 0; o < octaves; ++o) {
        sum += at(u * period + o * 17.0f, v * period + o * 31.0f, period) * weight;
        total += weight;
        weight *= persistence;
        period *= 2;
    }
    return sum / total;
}

} // namespace assetgen::pictures
