#pragma once

#include <vector>

namespace assetgen::music {

// A channel vocoder: the spectral envelope of a voice (the modulator), measured
// in bands, shapes a synthesizer (the carrier), so the synthesizer speaks with
// the carrier's pitch. Mono in, mono out.
class Vocoder {
public:
    struct Settings {
        int bands = 24;
        double lowHz = 110.0;
        double highHz = 7500.0;
        double formantShift = 1.0;  // below 1: the carrier bands sit lower, a bigger robot
        double sibilance = 0.5;     // how much of the voice's hiss above 5 kHz passes directly
        double releaseMs = 30.0;
    };

    explicit Vocoder(const Settings& settings) : settings(settings) {}

    // Both inputs have the same length; the result has it too.
    std::vector<float> process(const std::vector<float>& modulator, const std::vector<float>& carrier) const;

private:
    Settings settings;
};

} // namespace assetgen::music
