#include "music/LoopRendering.h"

#include "music/MusicalTime.h"

#include <stdexcept>

namespace assetgen::music {

StereoBuffer renderTwice(FluidRenderer& renderer, const Score& score, int periodBeats)
{
    return renderer.render(repeatedTwice(score, periodBeats), 2 * framesPerBeat * periodBeats);
}

StereoBuffer secondPass(const StereoBuffer& twice)
{
    if (twice.frames() % 2 != 0)
        throw std::runtime_error("a loop rendered twice must have an even length");
    return twice.slice(twice.frames() / 2, twice.frames() / 2);
}

} // namespace assetgen::music
