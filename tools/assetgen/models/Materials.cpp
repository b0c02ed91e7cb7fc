#include "Materials.h"

#include "../Noise.h"

#include <cmath>

namespace assetgen::models::materials {

Bond runningBond(glm::vec2 p, glm::ivec2 blocks, float joint)
{
    float y = p.y * static_cast<float>(blocks.y);
    float row = std::floor(y);
    int rowIndex = static_cast<int>(row);
    float x = p.x * static_cast<float>(blocks.x) + ((rowIndex & 1) ? 0.5f : 0.0f);
    float column = std::floor(x);
    glm::vec2 local(x - column, y - row);
    // Distances to the block's edges, in units of the row height.
    float edgeX = std::fmin(local.x, 1.0f - local.x) * static_cast<float>(blocks.y) / static_cast<float>(blocks.x);
    float edgeY = std::fmin(local.y, 1.0f - local.y);
    float mortar = 1.0f - glm::smoothstep(joint * 0.6f, joint, std::fmin(edgeX, edgeY));
    int c = static_cast<int>(column) % blocks.x;
    int r = rowIndex % blocks.y;
    return {local, glm::ivec2(c < 0 ? c + blocks.x : c, r < 0 ? r + blocks.y : r), mortar};
}

glm::vec3 stoneBlock(glm::vec2 p, const Bond& bond, const glm::vec3& base, const glm::vec3& mortarColour,
    std::uint32_t seed, int period)
{
    float tint = noise::random(bond.block.x, bond.block.y, seed) - 0.5f;
    float warm = noise::random(bond.block.x, bond.block.y, seed + 1u) - 0.5f;
    float grain = noise::fractal(p * 8.0f, 4, seed + 2u, period * 8);
    float pits = noise::value(p * 40.0f, seed + 3u, period * 40);
    glm::vec3 colour = base * (1.0f + 0.25f * tint) + glm::vec3(0.05f, 0.02f, -0.02f) * warm;
    colour *= 0.8f + 0.35f * grain - 0.12f * glm::smoothstep(0.75f, 0.95f, pits);
    // Edges of each block catch less light.
    glm::vec2 e = glm::min(bond.local, 1.0f - bond.local);
    colour *= 0.85f + 0.15f * glm::smoothstep(0.0f, 0.12f, std::fmin(e.x, e.y));
    glm::vec3 joint = mortarColour * (0.85f + 0.3f * grain);
    return glm::mix(colour, joint, bond.mortar);
}

glm::vec3 woodGrain(glm::vec2 p, const glm::vec3& base, std::uint32_t seed, int period)
{
    float warp = noise::fractal(glm::vec2(p.x * 2.0f, p.y * 0.5f), 3, seed, period * 2);
    float rings = std::sin((p.y * 14.0f + warp * 6.0f) * 6.2831853f);
    float fibre = noise::value(glm::vec2(p.x * 60.0f, p.y * 3.0f), seed + 1u, period * 60);
    float shade = 0.82f + 0.1f * rings + 0.12f * fibre;
    return base * shade;
}

glm::vec3 planks(glm::vec2 st, int count, const glm::vec3& base, std::uint32_t seed)
{
    float x = st.x * static_cast<float>(count);
    int plank = static_cast<int>(std::floor(x));
    float local = x - static_cast<float>(plank);
    float tint = noise::random(plank % count, 0, seed) - 0.5f;
    glm::vec3 wood = woodGrain(glm::vec2(st.y * 4.0f, local + static_cast<float>(plank) * 3.1f), base * (1.0f + 0.25f * tint),
        seed + static_cast<std::uint32_t>(plank % count), 4);
    float gap = 1.0f - glm::smoothstep(0.0f, 0.04f, std::fmin(local, 1.0f - local));
    return glm::mix(wood, base * 0.25f, gap);
}

glm::vec3 flagstones(glm::vec2 st, int cells, const glm::vec3& base, std::uint32_t seed)
{
    glm::vec2 p = st * static_cast<float>(cells);
    noise::Cells c = noise::cells(p, seed, cells);
    float joint = 1.0f - glm::smoothstep(0.04f, 0.09f, c.second - c.nearest);
    float tint = static_cast<float>(c.id & 0xFF) / 255.0f - 0.5f;
    float grain = noise::fractal(st * 16.0f, 4, seed + 9u, 16);
    glm::vec3 stone = base * (1.0f + 0.3f * tint) * (0.8f + 0.35f * grain);
    stone += glm::vec3(0.03f, 0.02f, 0.0f) * (static_cast<float>((c.id >> 8) & 0xFF) / 255.0f - 0.5f);
    return glm::mix(stone, base * 0.3f, joint);
}

glm::vec3 carpet(glm::vec2 st, const glm::vec3& base, std::uint32_t seed)
{
    float fuzz = noise::value(st * 256.0f, seed, 256);
    float soft = noise::fractal(st * 8.0f, 3, seed + 1u, 8);
    return base * (0.86f + 0.14f * fuzz + 0.12f * (soft - 0.5f));
}

glm::vec3 clouds(glm::vec2 st, const glm::vec3& sky, std::uint32_t seed, int period)
{
    float n = noise::fractal(st * static_cast<float>(period), 5, seed, period);
    float cover = glm::smoothstep(0.45f, 0.75f, n);
    return glm::mix(sky, glm::vec3(1.0f), cover * 0.9f);
}

glm::vec3 stars(glm::vec2 st, const glm::vec3& sky, std::uint32_t seed, float density)
{
    glm::vec2 cell = st * density;
    glm::ivec2 index(static_cast<int>(std::floor(cell.x)), static_cast<int>(std::floor(cell.y)));
    glm::vec2 local = cell - glm::floor(cell);
    glm::vec2 at(noise::random(index.x, index.y, seed), noise::random(index.x, index.y, seed + 1u));
    float bright = noise::random(index.x, index.y, seed + 2u);
    float size = 0.05f + 0.12f * bright * bright;
    float star = 1.0f - glm::smoothstep(0.0f, size, glm::length(local - at));
    glm::vec3 tint = glm::mix(glm::vec3(0.8f, 0.85f, 1.0f), glm::vec3(1.0f, 0.9f, 0.7f), noise::random(index.x, index.y, seed + 3u));
    return glm::mix(sky, tint, star * (0.4f + 0.6f * bright));
}

} // namespace assetgen::models::materials
