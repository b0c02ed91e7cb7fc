#pragma once

#include <glm/glm.hpp>

#include <cstdint>

// Small painting functions shared by the texture painters: each returns a
// colour for a point (s, t) of a part's rectangle.
namespace assetgen::models::paint {

glm::vec3 rgb(int r, int g, int b);
// 0 outside, 1 inside, with a soft edge `feather` wide.
float disc(glm::vec2 p, glm::vec2 centre, float radius, float feather = 0.004f);
float box(glm::vec2 p, glm::vec2 lo, glm::vec2 hi, float feather = 0.004f);
float roundedBox(glm::vec2 p, glm::vec2 lo, glm::vec2 hi, float radius, float feather = 0.004f);
// Distance from p to the segment a-b.
float segmentDistance(glm::vec2 p, glm::vec2 a, glm::vec2 b);

// Painted metal: base colour with fine grain, seams between `panels`
// panels, and rivets in the panel corners. `scale` is the rectangle's shown
// aspect (width, height) so rivets stay round.
glm::vec3 metalPanel(glm::vec2 st, const glm::vec3& base, glm::ivec2 panels, glm::vec2 aspect, std::uint32_t seed,
    bool rivets = true);
// Brushed, lightly worn metal without seams.
glm::vec3 brushed(glm::vec2 st, const glm::vec3& base, std::uint32_t seed);
// Diagonal warning stripes.
glm::vec3 hazard(glm::vec2 st, const glm::vec3& a, const glm::vec3& b, float count);
// Rubber: dark, matte, with ridges along t.
glm::vec3 rubber(glm::vec2 st, const glm::vec3& base, float ridges, std::uint32_t seed);
// A round speaker grille of holes.
glm::vec3 grille(glm::vec2 p, glm::vec2 centre, float radius, const glm::vec3& plate, const glm::vec3& hole, float pitch);
// A glowing lamp: bright core fading into `around`.
glm::vec3 lamp(glm::vec2 p, glm::vec2 centre, float radius, const glm::vec3& light, const glm::vec3& around);
// Dirt and wear: darkens by up to `amount` in blotches.
glm::vec3 grime(glm::vec2 st, const glm::vec3& colour, float amount, std::uint32_t seed, float frequency = 6.0f);

} // namespace assetgen::models::paint
