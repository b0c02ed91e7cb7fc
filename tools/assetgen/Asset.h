#pragma once

#include <optional>
#include <string>
#include <vector>

namespace assetgen {

using Bytes = std::vector<unsigned char>;

// Which part of the generator makes a file.
enum class Group { Picture, Song, ModelTexture, Model, Icon };

struct Asset {
    const char* path; // relative to the game folder
    Group group;
};

// Every asset of the game, in the order the generator writes them.
const std::vector<Asset>& allAssets();

// Each group renders the file's bytes for one of its paths. They throw
// std::runtime_error with a clear message on failure and return nothing for a
// path the group does not make yet.
std::optional<Bytes> generatePicture(const std::string& path);
std::optional<Bytes> generateSong(const std::string& path);
std::optional<Bytes> generateModelTexture(const std::string& path);
std::optional<Bytes> generateModel(const std::string& path);
// The desktop icon at each size, under icons/ beside the game's own files.
std::optional<Bytes> generateIcon(const std::string& path);

std::optional<Bytes> generate(const Asset& asset);

} // namespace assetgen
