#pragma once

#include <glm/glm.hpp>

#include <cstdint>

// Deterministic procedural noise for the painters of pictures and model
// textures. Every function takes a seed, so two surfaces never share a
// pattern by accident; the periodic variants repeat after a whole number of
// cells, so tiles meet.
namespace assetgen::noise {

std::uint32_t hash(std::int32_t x, std::int32_t y, std::uint32_t seed);
// Uniform in [0, 1).
float random(std::int32_t x, std::int32_t y, std::uint32_t seed);

// What tells one value noise from another: the value at each lattice point,
// the ease and the blend between them, and how the octaves of a fractal sum
// are kept from lining up (octave o samples at p·2^o + o·octaveShift with
// seed + o·octaveSeedStep).
struct Lattice {
    float (*corner)(std::int32_t x, std::int32_t y, std::uint32_t seed); // in [0, 1)
    float (*fade)(float t);
    // The two ways of writing a linear blend round differently, and each
    // lattice keeps its own so its textures keep their pixels.
    float (*blend)(float a, float b, float t);
    glm::vec2 octaveShift;
    std::uint32_t octaveSeedStep;
};

// random() at the corners, a smoothstep ease, each octave re-seeded: the
// model textures' noise, and the one for new painters.
extern const Lattice smooth;
// Its own hash at the corners, a quintic ease that shows no grid in the
// gradients, each octave shifted: the pictures' noise.
extern const Lattice quintic;

// Value noise in [0, 1): the lattice's values blended across the cell around
// p, repeating every period.x cells along x and period.y along y (0: never).
float value(const Lattice& lattice, glm::vec2 p, std::uint32_t seed, glm::ivec2 period);
// Octaves of value noise, each twice as fine as the last and `persistence`
// times as strong, normalised to [0, 1).
float fractal(const Lattice& lattice, glm::vec2 p, int octaves, std::uint32_t seed, int period, float persistence);

// The smooth lattice, octaves halving in strength.
inline float value(glm::vec2 p, std::uint32_t seed, int period = 0)
{
    return value(smooth, p, seed, glm::ivec2(period));
}
inline float fractal(glm::vec2 p, int octaves, std::uint32_t seed, int period = 0)
{
    return fractal(smooth, p, octaves, seed, period, 0.5f);
}

// Distance to the nearest and second-nearest cell point (Worley noise),
// with the id of the nearest cell.
struct Cells {
    float nearest, second;
    std::uint32_t id;
};
Cells cells(glm::vec2 p, std::uint32_t seed, int period = 0);

// A picture's noise on the quintic lattice under one seed. Coordinates are in
// lattice cells and every pattern repeats after its period, so a texture
// built from it tiles without a seam.
class PeriodicNoise {
public:
    explicit PeriodicNoise(std::uint32_t seed) : seed(seed) {}

    // In [0, 1].
    float at(float x, float y, int period) const { return at(x, y, period, period); }
    // With its own period along each axis, for stretched patterns like brushed metal.
    float at(float x, float y, int periodX, int periodY) const
    {
        return value(quintic, {x, y}, seed, {periodX, periodY});
    }

    // u and v run over [0, 1) for one tile, `cells` lattice cells across the
    // first octave.
    float fractal(float u, float v, int cells, int octaves, float persistence = 0.5f) const
    {
        return noise::fractal(quintic, {u * cells, v * cells}, octaves, seed, cells, persistence);
    }

    // The lattice's value at a point, in [0, 1).
    float hash(int x, int y) const { return quintic.corner(x, y, seed); }

private:
    std::uint32_t seed;
};

} // namespace assetgen::noise
