#pragma once

#include <glm/glm.hpp>

#include <cstdint>

// Deterministic procedural noise for the texture painters. Every function
// takes a seed, so two surfaces never share a pattern by accident; the
// periodic variants repeat after a whole number of cells, so tiles meet.
namespace assetgen::models::noise {

std::uint32_t hash(std::int32_t x, std::int32_t y, std::uint32_t seed);
// Uniform in [0, 1).
float random(std::int32_t x, std::int32_t y, std::uint32_t seed);
// Smooth value noise in [0, 1), repeating every `period` cells (0: never).
float value(glm::vec2 p, std::uint32_t seed, int period = 0);
// Sum of octaves of value noise, normalised to [0, 1).
float fractal(glm::vec2 p, int octaves, std::uint32_t seed, int period = 0);

// Distance to the nearest and second-nearest cell point (Worley noise),
// with the id of the nearest cell.
struct Cells {
    float nearest, second;
    std::uint32_t id;
};
Cells cells(glm::vec2 p, std::uint32_t seed, int period = 0);

} // namespace assetgen::models::noise
