#pragma once

#include "music/StereoBuffer.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace assetgen::music {

// Every song of the game, rendered and mastered together on first use: the
// instrument tracks share one headroom gain, and completeSong2 is built from
// its four parts. Rendering runs once per process; later calls (from any
// thread) wait for it and then share the result.
class SongBook {
public:
    static const SongBook& instance();

    // The mastered audio of a song path of the asset list; throws for others.
    const StereoBuffer& song(const std::string& path) const;

    // Which song paths the book makes, and how many frames each one has,
    // known without rendering anything.
    static bool makes(const std::string& path);
    static int64_t framesOf(const std::string& path);

    // The twelve instrument tracks, in the order of the pillars' stop list.
    static const std::vector<std::string>& instrumentTracks();
    // The parts mixed into completeSong2.
    static const std::vector<std::string>& completeSong2Parts();

    // How loud any combination of the instrument tracks may get.
    static constexpr double combinationCeiling = 0.85;

private:
    SongBook();
    std::map<std::string, StereoBuffer> songs;
};

} // namespace assetgen::music
