#pragma once

#include <string>
#include <vector>

namespace assetgen::music {

// Speech from espeak-ng at 44.1 kHz, mono. espeak-ng keeps global state, so
// there is one instance, used from one thread at a time.
class Speech {
public:
    struct Voice {
        std::string name = "en";
        int wordsPerMinute = 140;
        int pitch = 50;      // 0..100
        int pitchRange = 50; // 0 speaks on one note
    };

    static Speech& instance();

    // The spoken text with the silence before and after trimmed.
    std::vector<float> say(const std::string& text, const Voice& voice);

    Speech(const Speech&) = delete;
    Speech& operator=(const Speech&) = delete;

private:
    Speech();
    int nativeRate = 0;
};

// Doubles the sample rate with a windowed-sinc half-band interpolator.
std::vector<float> upsampleTwice(const std::vector<float>& in);

} // namespace assetgen::music
