#include "music/SweepFilter.h"

#include "music/MusicalTime.h"

#include <algorithm>
#include <cmath>

namespace assetgen::music {

SweepFilter::Outputs SweepFilter::process(float in, double cutoff, double resonance)
{
    double g = std::tan(M_PI * std::clamp(cutoff, 20.0, sampleRate * 0.45) / sampleRate);
    double k = 2.0 - 1.96 * std::clamp(resonance, 0.0, 1.0);
    double high = (in - (k + g) * s1 - s2) / (1.0 + g * (k + g));
    double band = g * high + s1;
    s1 = g * high + band;
    double low = g * band + s2;
    s2 = g * band + low;
    return {static_cast<float>(low), static_cast<float>(band), static_cast<float>(high)};
}

} // namespace assetgen::music
