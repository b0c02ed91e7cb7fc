#pragma once

#include <cmath>

// Shapes of motion over one clip, phase 0 to 1. Every clip of the game's
// robots starts and ends in the robot's neutral pose, so each shape here is
// 0 at both ends and a looping clip never jumps.
namespace assetgen::models::dance {

constexpr double tau = 6.283185307179586;

// 0 → 1 → 0 once per beat.
inline float pulse(double phase, int beats) { return static_cast<float>(0.5 - 0.5 * std::cos(tau * beats * phase)); }
// A sine with whole cycles over the clip.
inline float wave(double phase, int cycles) { return static_cast<float>(std::sin(tau * cycles * phase)); }
// The positive and negative halves of a wave, squared: two limbs taking turns.
inline float firstHalf(double phase, int cycles)
{
    double s = std::sin(tau * cycles * phase);
    return static_cast<float>(s > 0 ? s * s : 0.0);
}
inline float secondHalf(double phase, int cycles)
{
    double s = std::sin(tau * cycles * phase);
    return static_cast<float>(s < 0 ? s * s : 0.0);
}
// Rises at the start of the clip, holds, and falls at its end.
inline float hold(double phase, double ramp = 0.15)
{
    auto smooth = [](double x) { return x <= 0 ? 0.0 : x >= 1 ? 1.0 : x * x * (3 - 2 * x); };
    return static_cast<float>(smooth(phase / ramp) * smooth((1.0 - phase) / ramp));
}
// One full turn, easing in and out: 0 at the start, 360 at the end.
inline float turn(double phase) { return static_cast<float>(360.0 * (phase - std::sin(tau * phase) / tau)); }

} // namespace assetgen::models::dance
