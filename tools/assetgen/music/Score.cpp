#include "music/Score.h"

namespace assetgen::music {

Score repeatedTwice(const Score& score, double periodBeats)
{
    Score result = score;
    for (Part& part : result) {
        std::size_t noteCount = part.notes.size();
        for (std::size_t i = 0; i < noteCount; ++i) {
            Note copy = part.notes[i];
            copy.beat += periodBeats;
            part.notes.push_back(copy);
        }
        std::size_t controlCount = part.controls.size();
        for (std::size_t i = 0; i < controlCount; ++i) {
            Control copy = part.controls[i];
            copy.beat += periodBeats;
            part.controls.push_back(copy);
        }
    }
    return result;
}

} // namespace assetgen::music
