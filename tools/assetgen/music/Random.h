#pragma once

#include <cstdint>

namespace assetgen::music {

// A small seeded generator (xorshift32): the same numbers on every run and
// every platform, unlike the standard distributions.
class Random {
public:
    explicit Random(uint32_t seed) : state(seed ? seed : 0x9e3779b9u) {}

    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // Uniform in [0, 1).
    double unit() { return (next() >> 8) * (1.0 / 16777216.0); }
    // Uniform in [-1, 1).
    double bipolar() { return unit() * 2.0 - 1.0; }
    // Uniform integer in [low, high].
    int range(int low, int high) { return low + static_cast<int>(unit() * (high - low + 1)); }

private:
    uint32_t state;
};

} // namespace assetgen::music
