#pragma once

namespace assetgen::music {

// A second-order filter section after the well-known audio cookbook formulas;
// coefficients may change between samples for slow sweeps.
class Biquad {
public:
    void setLowPass(double frequency, double q);
    void setHighPass(double frequency, double q);
    void setBandPass(double frequency, double q); // 0 dB at the centre
    void setPeak(double frequency, double q, double gainDb);
    void setLowShelf(double frequency, double gainDb);
    void setHighShelf(double frequency, double gainDb);

    float process(float in)
    {
        double out = b0 * in + z1;
        z1 = b1 * in - a1 * out + z2;
        z2 = b2 * in - a2 * out;
        return static_cast<float>(out);
    }
    void reset() { z1 = z2 = 0.0; }

private:
    void set(double nb0, double nb1, double nb2, double na0, double na1, double na2);

    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
    double z1 = 0.0, z2 = 0.0;
};

} // namespace assetgen::music
