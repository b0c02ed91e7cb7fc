#pragma once

#include "Asset.h"
#include "music/StereoBuffer.h"

namespace assetgen::music {

// Encodes 44.1 kHz stereo as a 192 kbit/s MP3 whose first frame carries the
// encoder's info tag (delay and padding), so a gapless decoder gives back
// exactly the encoded frames and the song loops without a gap.
Bytes encodeMp3(const StereoBuffer& audio);

} // namespace assetgen::music
