#include "Paint.h"

#include "../Noise.h"

#include <cmath>

namespace assetgen::models::paint {

glm::vec3 rgb(int r, int g, int b) { return glm::vec3(r, g, b) / 255.0f; }

float disc(glm::vec2 p, glm::vec2 centre, float radius, float feather)
{
    return 1.0f - glm::smoothstep(radius - feather, radius + feather, glm::length(p - centre));
}

float box(glm::vec2 p, glm::vec2 lo, glm::vec2 hi, float feather)
{
    glm::vec2 inside = glm::smoothstep(lo - feather, lo + feather, p) * (1.0f - glm::smoothstep(hi - feather, hi + feather, p));
    return inside.x * inside.y;
}

float roundedBox(glm::vec2 p, glm::vec2 lo, glm::vec2 hi, float radius, float feather)
{
    glm::vec2 centre = (lo + hi) * 0.5f, half = (hi - lo) * 0.5f - radius;
    glm::vec2 q = glm::abs(p - centre) - half;
    float d = glm::length(glm::max(q, 0.0f)) + std::fmin(std::fmax(q.x, q.y), 0.0f) - radius;
    return 1.0f - glm::smoothstep(-feather, feather, d);
}

float segmentDistance(glm::vec2 p, glm::vec2 a, glm::vec2 b)
{
    glm::vec2 ab = b - a;
    float t = glm::clamp(glm::dot(p - a, ab) / glm::max(glm::dot(ab, ab), 1e-12f), 0.0f, 1.0f);
    return glm::length(p - (a + t * ab));
}

glm::vec3 brushed(glm::vec2 st, const glm::vec3& base, std::uint32_t seed)
{
    float streak = noise::value(glm::vec2(st.x * 3.0f, st.y * 180.0f), seed, 0);
    float blotch = noise::fractal(st * 5.0f, 3, seed + 5u);
    return base * (0.9f + 0.12f * streak + 0.08f * (blotch - 0.5f));
}

glm::vec3 metalPanel(glm::vec2 st, const glm::vec3& base, glm::ivec2 panels, glm::vec2 aspect, std::uint32_t seed,
    bool rivets)
{
    glm::vec2 cell = st * glm::vec2(panels);
    glm::vec2 index = glm::floor(cell);
    glm::vec2 local = cell - index;
    float tint = noise::random(static_cast<int>(index.x), static_cast<int>(index.y), seed) - 0.5f;
    glm::vec3 colour = brushed(st, base, seed) * (1.0f + 0.08f * tint);
    // Seams: distance to the panel border in shown units.
    glm::vec2 toEdge = glm::min(local, 1.0f - local) * aspect / glm::vec2(panels);
    float edge = std::fmin(toEdge.x, toEdge.y);
    float seam = 1.0f - glm::smoothstep(0.002f, 0.006f, edge);
    float bevel = glm::smoothstep(0.006f, 0.014f, edge);
    colour *= 0.78f + 0.22f * bevel;
    colour = glm::mix(colour, base * 0.25f, seam);
    if (rivets) {
        glm::vec2 cellSize = aspect / glm::vec2(panels);
        glm::vec2 shown = local * cellSize;
        float inset = 0.025f * std::fmin(1.0f, std::fmin(cellSize.x, cellSize.y) * 4.0f);
        float r = inset * 0.35f;
        glm::vec2 corners[4] = {{inset, inset}, {cellSize.x - inset, inset}, {inset, cellSize.y - inset},
            {cellSize.x - inset, cellSize.y - inset}};
        for (const glm::vec2& c : corners) {
            float d = disc(shown, c, r, r * 0.3f);
            if (d > 0.0f) {
                float light = glm::clamp(0.5f + (shown.x - c.x - (shown.y - c.y)) / (2.0f * r), 0.0f, 1.0f);
                colour = glm::mix(colour, base * (0.55f + 0.8f * (1.0f - light)), d);
            }
        }
    }
    return colour;
}

glm::vec3 hazard(glm::vec2 st, const glm::vec3& a, const glm::vec3& b, float count)
{
    float stripe = std::fmod((st.x + st.y) * count, 1.0f);
    return stripe < 0.5f ? a : b;
}

glm::vec3 rubber(glm::vec2 st, const glm::vec3& base, float ridges, std::uint32_t seed)
{
    float ridge = 0.5f + 0.5f * std::cos(st.y * ridges * 6.2831853f);
    float grain = noise::fractal(st * 40.0f, 2, seed);
    return base * (0.75f + 0.35f * ridge) * (0.9f + 0.2f * grain);
}

glm::vec3 grille(glm::vec2 p, glm::vec2 centre, float radius, const glm::vec3& plate, const glm::vec3& hole, float pitch)
{
    glm::vec2 d = p - centre;
    if (glm::length(d) > radius)
        return plate;
    glm::vec2 cell = d / pitch;
    glm::vec2 local = cell - glm::floor(cell) - 0.5f;
    float h = disc(local, glm::vec2(0.0f), 0.3f, 0.08f);
    return glm::mix(plate * 0.8f, hole, h);
}

glm::vec3 lamp(glm::vec2 p, glm::vec2 centre, float radius, const glm::vec3& light, const glm::vec3& around)
{
    float d = glm::length(p - centre) / radius;
    if (d >= 1.0f)
        return around;
    float core = 1.0f - glm::smoothstep(0.0f, 0.6f, d);
    glm::vec3 c = glm::mix(light * 0.7f, glm::mix(light, glm::vec3(1.0f), 0.6f), core);
    return glm::mix(c, around, glm::smoothstep(0.85f, 1.0f, d));
}

glm::vec3 grime(glm::vec2 st, const glm::vec3& colour, float amount, std::uint32_t seed, float frequency)
{
    float n = noise::fractal(st * frequency, 4, seed);
    return colour * (1.0f - amount * glm::smoothstep(0.45f, 0.8f, n));
}

} // namespace assetgen::models::paint
