#include "Asset.h"

#include "music/Mp3Decoder.h"
#include "music/Mp3Encoder.h"
#include "music/SongBook.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen {

Bytes makeSong(const std::string& path)
{
    if (!music::SongBook::makes(path))
        throw std::runtime_error("the song book has no song for this path");
    const music::StereoBuffer& audio = music::SongBook::instance().song(path);
    Bytes mp3 = music::encodeMp3(audio);
    // A song that does not decode to exactly its frames would click or gap at every loop.
    int64_t decoded = music::decodeMp3(mp3).frames();
    if (decoded != audio.frames())
        throw std::runtime_error("the MP3 decodes to " + std::to_string(decoded) + " frames instead of "
            + std::to_string(audio.frames()) + ": gapless looping would fail");
    return mp3;
}

Bytes makeLoudness(const std::string& path)
{
    const std::string suffix = ".loudness";
    if (path.size() <= suffix.size() || path.compare(path.size() - suffix.size(), suffix.size(), suffix) != 0)
        throw std::runtime_error("a loudness file's name ends in .loudness");
    const std::string song = path.substr(0, path.size() - suffix.size()) + ".mp3";
    if (!music::SongBook::makes(song))
        throw std::runtime_error("the song book has no song " + song);
    const music::StereoBuffer& audio = music::SongBook::instance().song(song);
    const int64_t window = 44100 / loudnessValuesPerSecond;
    std::vector<double> levels;
    double loudest = 0.0;
    for (int64_t first = 0; first < audio.frames(); first += window) {
        const int64_t end = std::min(audio.frames(), first + window);
        double sum = 0.0;
        for (int64_t i = first; i < end; ++i)
            sum += static_cast<double>(audio.left[i]) * audio.left[i] + static_cast<double>(audio.right[i]) * audio.right[i];
        levels.push_back(std::sqrt(sum / static_cast<double>(2 * (end - first))));
        loudest = std::max(loudest, levels.back());
    }
    Bytes bytes;
    for (double level : levels)
        bytes.push_back(static_cast<unsigned char>(loudest > 0.0 ? std::lround(255.0 * level / loudest) : 0));
    return bytes;
}

} // namespace assetgen
