#pragma once

#include "music/StereoBuffer.h"

#include <cstddef>
#include <vector>

namespace assetgen::music {

// A room made of parallel damped comb filters and serial all-passes per
// channel, the right channel slightly detuned for width (Schroeder and
// Moorer's design as popularised by Freeverb).
class Reverb {
public:
    struct Settings {
        double roomSize = 0.7;  // 0..1, longer tail
        double damping = 0.4;   // 0..1, darker tail
        double wet = 0.25;      // level of the room added to the dry signal
        double width = 1.0;     // 0 mono .. 1 wide
        double lowCut = 200.0;  // Hz, keeps the bass out of the room
        double preDelayMs = 12.0;
    };

    explicit Reverb(const Settings& settings);

    // Adds the room to the buffer in place.
    void process(StereoBuffer& buffer);

private:
    struct Comb {
        std::vector<float> line;
        std::size_t index = 0;
        double store = 0.0;
    };
    struct AllPass {
        std::vector<float> line;
        std::size_t index = 0;
    };
    struct Channel {
        std::vector<Comb> combs;
        std::vector<AllPass> allPasses;
    };

    float processChannel(Channel& channel, float in);

    Settings settings;
    Channel leftChannel, rightChannel;
    double feedback, damp;
};

} // namespace assetgen::music
