#include "music/Biquad.h"

#include "music/MusicalTime.h"

#include <algorithm>
#include <cmath>

namespace assetgen::music {

namespace {

double omega(double frequency)
{
    double nyquistSafe = std::clamp(frequency, 10.0, sampleRate * 0.49);
    return 2.0 * M_PI * nyquistSafe / sampleRate;
}

} // namespace

void Biquad::set(double nb0, double nb1, double nb2, double na0, double na1, double na2)
{
    b0 = nb0 / na0;
    b1 = nb1 / na0;
    b2 = nb2 / na0;
    a1 = na1 / na0;
    a2 = na2 / na0;
}

void Biquad::setLowPass(double frequency, double q)
{
    double w = omega(frequency), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::setHighPass(double frequency, double q)
{
    double w = omega(frequency), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::setBandPass(double frequency, double q)
{
    double w = omega(frequency), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::setPeak(double frequency, double q, double gainDb)
{
    double w = omega(frequency), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    double a = std::pow(10.0, gainDb / 40.0);
    set(1 + alpha * a, -2 * c, 1 - alpha * a, 1 + alpha / a, -2 * c, 1 - alpha / a);
}

void Biquad::setLowShelf(double frequency, double gainDb)
{
    double w = omega(frequency), c = std::cos(w), s = std::sin(w);
    double a = std::pow(10.0, gainDb / 40.0);
    double alpha = s / 2.0 * std::sqrt(2.0);
    double r = 2.0 * std::sqrt(a) * alpha;
    set(a * ((a + 1) - (a - 1) * c + r), 2 * a * ((a - 1) - (a + 1) * c), a * ((a + 1) - (a - 1) * c - r),
        (a + 1) + (a - 1) * c + r, -2 * ((a - 1) + (a + 1) * c), (a + 1) + (a - 1) * c - r);
}

void Biquad::setHighShelf(double frequency, double gainDb)
{
    double w = omega(frequency), c = std::cos(w), s = std::sin(w);
    double a = std::pow(10.0, gainDb / 40.0);
    double alpha = s / 2.0 * std::sqrt(2.0);
    double r = 2.0 * std::sqrt(a) * alpha;
    set(a * ((a + 1) + (a - 1) * c + r), -2 * a * ((a - 1) + (a + 1) * c), a * ((a + 1) + (a - 1) * c - r),
        (a + 1) - (a - 1) * c + r, 2 * ((a - 1) - (a + 1) * c), (a + 1) - (a - 1) * c - r);
}

} // namespace assetgen::music
