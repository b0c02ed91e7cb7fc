#pragma once

#include "music/FluidRenderer.h"
#include "music/StereoBuffer.h"

// The game's sounds, each a finished loop before mastering. The twelve
// instrument tracks are loopFrames long; the laugh and the outro have their
// own lengths (evilLaughBeats, outroBeats).
namespace assetgen::music {

constexpr int evilLaughBeats = 16;
constexpr int outroBeats = 32;

StereoBuffer makeTriphopDrum(FluidRenderer& renderer);
StereoBuffer makeFunkDrum(FluidRenderer& renderer);
StereoBuffer makeDrum1(FluidRenderer& renderer);
StereoBuffer makeTropicalSound(FluidRenderer& renderer);
StereoBuffer makeGuitarSound(FluidRenderer& renderer);
StereoBuffer makeGuitar1(FluidRenderer& renderer);
StereoBuffer makeNoiseSound1();
StereoBuffer makeSynthBass(FluidRenderer& renderer);
StereoBuffer makeCoolSynth(FluidRenderer& renderer);
StereoBuffer makeSmoothSynth(FluidRenderer& renderer);
StereoBuffer makeVoice1();
StereoBuffer makeVoice2();
StereoBuffer makeEvilLaugh(FluidRenderer& renderer);
StereoBuffer makeOutro(FluidRenderer& renderer);

} // namespace assetgen::music
