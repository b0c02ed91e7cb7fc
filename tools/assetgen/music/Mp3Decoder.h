#pragma once

#include "Asset.h"
#include "music/StereoBuffer.h"

namespace assetgen::music {

// Decodes an MP3 held in memory with mpg123's gapless mode into 44.1 kHz
// stereo floats, as the game's player does. Throws on anything it cannot read.
StereoBuffer decodeMp3(const Bytes& mp3);

} // namespace assetgen::music
