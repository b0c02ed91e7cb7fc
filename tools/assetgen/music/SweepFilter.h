#pragma once

namespace assetgen::music {

// A resonant state-variable filter (trapezoidal, after Zavalishin) that stays
// stable while its cutoff moves every sample: the tool for filter sweeps.
class SweepFilter {
public:
    struct Outputs {
        float low, band, high;
    };

    // resonance 0 is gentle, towards 1 it rings.
    Outputs process(float in, double cutoff, double resonance);
    void reset() { s1 = s2 = 0.0; }

private:
    double s1 = 0.0, s2 = 0.0;
};

} // namespace assetgen::music
