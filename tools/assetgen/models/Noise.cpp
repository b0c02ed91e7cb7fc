#include "Noise.h"

#include <cmath>

namespace assetgen::models::noise {

namespace {

std::int32_t wrap(std::int32_t i, int period)
{
    if (period <= 0)
        return i;
    std::int32_t r = i % period;
    return r < 0 ? r + period : r;
}

} // namespace

std::uint32_t hash(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    std::uint32_t h = seed * 0x9E3779B9u ^ static_cast<std::uint32_t>(x) * 0x85EBCA6Bu
        ^ static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float random(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    return static_cast<float>(hash(x, y, seed) >> 8) / 16777216.0f;
}

float value(glm::vec2 p, std::uint32_t seed, int period)
{
    float fx = std::floor(p.x), fy = std::floor(p.y);
    auto x0 = static_cast<std::int32_t>(fx), y0 = static_cast<std::int32_t>(fy);
    float tx = p.x - fx, ty = p.y - fy;
    tx = tx * tx * (3.0f - 2.0f * tx);
    ty = ty * ty * (3.0f - 2.0f * ty);
    float a = random(wrap(x0, period), wrap(y0, period), seed);
    float b = random(wrap(x0 + 1, period), wrap(y0, period), seed);
    float c = random(wrap(x0, period), wrap(y0 + 1, period), seed);
    float d = random(wrap(x0 + 1, period), wrap(y0 + 1, period), seed);
    return glm::mix(glm::mix(a, b, tx), glm::mix(c, d, tx), ty);
}

float fractal(glm::vec2 p, int octaves, std::uint32_t seed, int period)
{
    float sum = 0.0f, amplitude = 1.0f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * value(p, seed + static_cast<std::uint32_t>(i) * 101u, period);
        total += amplitude;
        amplitude *= 0.5f;
        p *= 2.0f;
        period *= 2;
    }
    return sum / total;
}

Cells cells(glm::vec2 p, std::uint32_t seed, int period)
{
    auto cx = static_cast<std::int32_t>(std::floor(p.x)), cy = static_cast<std::int32_t>(std::floor(p.y));
    Cells result{1e9f, 1e9f, 0};
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            std::int32_t x = cx + dx, y = cy + dy;
            std::int32_t wx = wrap(x, period), wy = wrap(y, period);
            glm::vec2 point(static_cast<float>(x) + 0.15f + 0.7f * random(wx, wy, seed),
                static_cast<float>(y) + 0.15f + 0.7f * random(wx, wy, seed + 7u));
            float d = glm::length(point - p);
            if (d < result.nearest) {
                result.second = result.nearest;
                result.nearest = d;
                result.id = hash(wx, wy, seed + 13u);
            } else if (d < result.second) {
                result.second = d;
            }
        }
    }
    return result;
}

} // namespace assetgen::models::noise
