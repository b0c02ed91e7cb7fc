#include "music/Oscillator.h"

#include "music/MusicalTime.h"

#include <cmath>

namespace assetgen::music {

namespace {

// Smooths the step of a jump at phase 0 over one sample either side.
double polyBlep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

} // namespace

float Oscillator::next(double frequency)
{
    double dt = frequency / sampleRate;
    double value;
    if (shape == Shape::Saw) {
        value = 2.0 * phase - 1.0 - polyBlep(phase, dt);
    } else {
        value = (phase < 0.5 ? 1.0 : -1.0) + polyBlep(phase, dt) - polyBlep(std::fmod(phase + 0.5, 1.0), dt);
    }
    phase += dt;
    if (phase >= 1.0)
        phase -= 1.0;
    return static_cast<float>(value);
}

} // namespace assetgen::music
