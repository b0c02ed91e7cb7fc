#pragma once

#include "music/FluidRenderer.h"
#include "music/Score.h"
#include "music/StereoBuffer.h"

#include <cstdint>

namespace assetgen::music {

// Renders a score of periodBeats twice in a row (2 × period frames), so that
// effects run over both passes and the second pass holds the first one's tails.
StereoBuffer renderTwice(FluidRenderer& renderer, const Score& score, int periodBeats);

// The second half of a buffer rendered twice: the seamless loop.
StereoBuffer secondPass(const StereoBuffer& twice);

} // namespace assetgen::music
