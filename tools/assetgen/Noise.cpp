#include "Noise.h"

#include <cmath>

namespace assetgen::noise {

namespace {

std::int32_t wrap(std::int32_t i, int period)
{
    if (period <= 0)
        return i;
    std::int32_t r = i % period;
    return r < 0 ? r + period : r;
}

float quinticCorner(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x27d4eb2du) ^ (static_cast<std::uint32_t>(y) * 0x165667b1u);
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return (h >> 8) * (1.0f / 16777216.0f);
}

float smoothstepFade(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

float quinticFade(float t)
{
    return t * t * t * (t * (t * 6 - 15) + 10);
}

float mixBlend(float a, float b, float t)
{
    return glm::mix(a, b, t);
}

float stepBlend(float a, float b, float t)
{
    return a + (b - a) * t;
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

const Lattice smooth{random, smoothstepFade, mixBlend, {0.0f, 0.0f}, 101u};
const Lattice quintic{quinticCorner, quinticFade, stepBlend, {17.0f, 31.0f}, 0u};

float value(const Lattice& lattice, glm::vec2 p, std::uint32_t seed, glm::ivec2 period)
{
    float fx = std::floor(p.x), fy = std::floor(p.y);
    auto x0 = static_cast<std::int32_t>(fx), y0 = static_cast<std::int32_t>(fy);
    float tx = lattice.fade(p.x - fx), ty = lattice.fade(p.y - fy);
    std::int32_t left = wrap(x0, period.x), right = wrap(x0 + 1, period.x);
    std::int32_t bottom = wrap(y0, period.y), top = wrap(y0 + 1, period.y);
    float a = lattice.blend(lattice.corner(left, bottom, seed), lattice.corner(right, bottom, seed), tx);
    float b = lattice.blend(lattice.corner(left, top, seed), lattice.corner(right, top, seed), tx);
    return lattice.blend(a, b, ty);
}

float fractal(const Lattice& lattice, glm::vec2 p, int octaves, std::uint32_t seed, int period, float persistence)
{
    float sum = 0.0f, amplitude = 1.0f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        glm::vec2 at = p + lattice.octaveShift * static_cast<float>(i);
        sum += amplitude * value(lattice, at, seed + static_cast<std::uint32_t>(i) * lattice.octaveSeedStep, glm::ivec2(period));
        total += amplitude;
        amplitude *= persistence;
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

} // namespace assetgen::noise
