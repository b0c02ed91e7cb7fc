#pragma once

#include <glm/glm.hpp>

#include <cstdint>

// Tileable building materials for the room's looks. Each takes a point in
// tile units; `period` is the tile's size in those units, so a tile
// repeats without seams.
namespace assetgen::models::materials {

// A running bond: rows of blocks, every other row shifted by half a block.
struct Bond {
    glm::vec2 local;   // position inside the block, 0..1
    glm::ivec2 block;  // block index (wrapped into the period)
    float mortar;      // 1 in the joints, 0 on the blocks
};
Bond runningBond(glm::vec2 p, glm::ivec2 blocks, float joint);

glm::vec3 stoneBlock(glm::vec2 p, const Bond& bond, const glm::vec3& base, const glm::vec3& mortarColour,
    std::uint32_t seed, int period);
glm::vec3 woodGrain(glm::vec2 p, const glm::vec3& base, std::uint32_t seed, int period);
// Planks along t, `count` across the tile.
glm::vec3 planks(glm::vec2 st, int count, const glm::vec3& base, std::uint32_t seed);
glm::vec3 flagstones(glm::vec2 st, int cells, const glm::vec3& base, std::uint32_t seed);
glm::vec3 carpet(glm::vec2 st, const glm::vec3& base, std::uint32_t seed);
glm::vec3 clouds(glm::vec2 st, const glm::vec3& sky, std::uint32_t seed, int period);
// Starry night or space: stars scattered with a little colour.
glm::vec3 stars(glm::vec2 st, const glm::vec3& sky, std::uint32_t seed, float density);

} // namespace assetgen::models::materials
