#pragma once

#include "music/Speech.h"

#include <cstdint>
#include <vector>

namespace assetgen::music {

// One word of a robot line, placed on the beat and sung on a note.
struct SungWord {
    const char* text;
    double beat;  // where the word starts in its loop
    double beats; // longest it may last
    int key;      // the note it is sung on (used by carriers that follow the words)
};

// The spoken words laid out in a buffer of two loop periods (periodFrames
// each), every word faded in over two milliseconds and out before its time is up.
std::vector<float> placeWords(const std::vector<SungWord>& words, const Speech::Voice& voice, int64_t periodFrames);

// The key sung at a frame: the latest word's note, with a short glide from
// the word before; the words wrap around periodBeats.
double sungKey(const std::vector<SungWord>& words, int64_t frame, double periodBeats);

double keyFrequency(double key);

} // namespace assetgen::music
