#include "music/Vocoder.h"

#include "music/Biquad.h"
#include "music/MusicalTime.h"

#include <cmath>
#include <stdexcept>

namespace assetgen::music {

std::vector<float> Vocoder::process(const std::vector<float>& modulator, const std::vector<float>& carrier) const
{
    if (modulator.size() != carrier.size())
        throw std::runtime_error("vocoder inputs differ in length");
    const size_t n = modulator.size();
    std::vector<float> out(n, 0.0f);
    const double ratio = std::pow(settings.highHz / settings.lowHz, 1.0 / (settings.bands - 1));
    const double q = 1.0 / (std::sqrt(ratio) - 1.0 / std::sqrt(ratio)) * 1.2;
    const double attack = std::exp(-1.0 / (0.002 * sampleRate));
    const double release = std::exp(-1.0 / (settings.releaseMs * 0.001 * sampleRate));
    std::vector<float> carrierBand(n);
    for (int band = 0; band < settings.bands; ++band) {
        double frequency = settings.lowHz * std::pow(ratio, band);
        double carrierFrequency = frequency * settings.formantShift;
        // Two sections per band give steeper skirts and clearer words.
        Biquad m1, m2, c1, c2;
        m1.setBandPass(frequency, q);
        m2.setBandPass(frequency, q);
        c1.setBandPass(carrierFrequency, q);
        c2.setBandPass(carrierFrequency, q);
        double envelope = 0.0;
        // Higher bands carry less energy in speech; lift them a little.
        double tilt = std::pow(frequency / settings.lowHz, 0.4);
        for (size_t i = 0; i < n; ++i) {
            double level = std::fabs(m2.process(m1.process(modulator[i])));
            double coefficient = level > envelope ? attack : release;
            envelope = coefficient * envelope + (1.0 - coefficient) * level;
            float c = c2.process(c1.process(carrier[i]));
            out[i] += static_cast<float>(c * envelope * tilt);
        }
    }
    if (settings.sibilance > 0.0) {
        Biquad h1, h2;
        h1.setHighPass(5000.0, 0.707);
        h2.setHighPass(5000.0, 0.707);
        double energyOut = 0.0, energyVoice = 0.0;
        for (size_t i = 0; i < n; ++i) {
            energyOut += double(out[i]) * out[i];
            energyVoice += double(modulator[i]) * modulator[i];
        }
        // Keep the hiss in proportion to the vocoded level.
        double match = energyVoice > 0.0 ? std::sqrt(energyOut / energyVoice) : 0.0;
        for (size_t i = 0; i < n; ++i)
            out[i] += static_cast<float>(h2.process(h1.process(modulator[i])) * settings.sibilance * match * 3.0);
    }
    return out;
}

} // namespace assetgen::music
