#pragma once

#include <cstdint>

namespace assetgen::pictures {

// Smooth value noise that repeats: coordinates are in lattice cells and the
// pattern wraps every `period` cells in both directions, so a texture built
// from it tiles without a seam.
class PeriodicNoise {
public:
    explicit PeriodicNoise(uint32_t seed) : seed(seed) {}

    // In [0, 1].
    float at(float x, float y, int period) const { return at(x, y, period, period); }
    // With its own period along each axis, for stretched patterns like brushed metal.
    float at(float x, float y, int periodX, int periodY) const;

    // Octaves of noise, each twice as fine and half as strong; u and v run
    // over [0, 1) for one tile, `cells` lattice cells across the first octave.
    float fractal(float u, float v, int cells, int octaves, float persistence = 0.5f) const;

    // An integer hash of a lattice point, in [0, 1).
    float hash(int x, int y) const;

private:
    uint32_t seed;
};

} // namespace assetgen::pictures
