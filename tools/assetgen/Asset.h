#pragma once

#include <string>
#include <vector>

namespace assetgen {

using Bytes = std::vector<unsigned char>;

// Which lane of the generator makes a file.
enum class Group { Picture, Song, Loudness, ModelTexture, Model, Icon };

// Makes a file's bytes for its path; throws std::runtime_error with a clear
// message on failure.
using Maker = Bytes (*)(const std::string& path);

struct Asset {
    const char* path; // relative to the game folder
    Group group;
    Maker make;
};

// Every asset of the game, in the order the generator writes them: the table
// in assetList.inc.
const std::vector<Asset>& allAssets();

Bytes generate(const Asset& asset);

// The MP3 of the song book's song at that path.
Bytes makeSong(const std::string& path);

// How loud the song beside a .loudness path is over its length: one byte
// per 1/60 s (the root mean square of that stretch over both channels, 255 for the song's
// loudest), for the glows that follow the music.
constexpr int loudnessValuesPerSecond = 60;
Bytes makeLoudness(const std::string& path);

// The desktop icon, size × size pixels, as a PNG with an alpha channel.
Bytes makeIcon(int size);

} // namespace assetgen
