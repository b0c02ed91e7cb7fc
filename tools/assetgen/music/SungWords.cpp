#include "music/SungWords.h"

#include "music/MusicalTime.h"

#include <algorithm>
#include <cmath>

namespace assetgen::music {

double keyFrequency(double key)
{
    return 440.0 * std::pow(2.0, (key - 69.0) / 12.0);
}

std::vector<float> placeWords(const std::vector<SungWord>& words, const Speech::Voice& voice, int64_t periodFrames)
{
    std::vector<float> track(static_cast<size_t>(2 * periodFrames), 0.0f);
    for (const SungWord& word : words) {
        std::vector<float> spoken = Speech::instance().say(word.text, voice);
        int64_t length = std::min<int64_t>(static_cast<int64_t>(spoken.size()), frameAtBeat(word.beats));
        int64_t fade = std::min<int64_t>(length, 600);
        int64_t fadeIn = std::min<int64_t>(length / 2, 88);
        for (int64_t pass = 0; pass < 2; ++pass) {
            int64_t start = pass * periodFrames + frameAtBeat(word.beat);
            for (int64_t i = 0; i < length; ++i) {
                double gain = i >= length - fade ? double(length - i) / fade : 1.0;
                if (i < fadeIn)
                    gain *= double(i) / fadeIn;
                track[static_cast<size_t>((start + i) % (2 * periodFrames))] += static_cast<float>(spoken[i] * gain);
            }
        }
    }
    return track;
}

double sungKey(const std::vector<SungWord>& words, int64_t frame, double periodBeats)
{
    double beat = std::fmod(beatAtFrame(frame), periodBeats);
    size_t current = words.size() - 1;
    for (size_t i = 0; i < words.size(); ++i)
        if (words[i].beat <= beat)
            current = i;
    size_t previous = current > 0 ? current - 1 : words.size() - 1;
    double since = beat - words[current].beat;
    if (since < 0)
        since += periodBeats;
    double glide = std::clamp(since / 0.12, 0.0, 1.0);
    return words[previous].key + (words[current].key - words[previous].key) * glide;
}

} // namespace assetgen::music
