#pragma once

#include "Asset.h"
#include "music/StereoBuffer.h"

namespace assetgen::music {

// Encodes 44.1 kHz stereo as a 192 kbit/s MP3 made to loop: the encoder is
// fed the audio's own tail before it and its head after it, so neither end
// is an edge to the encoder (an edge leaves a burst of high frequencies at
// the join, a tick at every loop). The first frame carries the encoder's info
// tag with those extra frames added to its delay and padding, so a gapless
// decoder gives back exactly the audio's frames, and nothing more.
Bytes encodeMp3(const StereoBuffer& audio);

// Frames of wrapped-around audio encoded before and after the loop: two MP3
// frames, enough to settle the encoder at both ends. The info tag keeps delay
// and padding in 12 bits each; LAME's own 576 and 577 to 1728 frames leave
// room for this much at any length.
constexpr int64_t loopWrapFrames = 2304;

} // namespace assetgen::music
