#pragma once

#include "music/FluidRenderer.h"
#include "music/StereoBuffer.h"

#include <vector>

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
// The robots' lines as espeak-ng speaks them, laid out over two passes of
// their loop. espeak-ng's sound depends on everything it said before, so
// these are made first, on one thread, in a fixed order; the rand() it draws
// on is that thread's own (Speech.cpp).
std::vector<float> speakVoice1();
std::vector<float> speakVoice2();
std::vector<float> speakEvilLaugh();

// The lines sung through the vocoder.
StereoBuffer makeVoice1(const std::vector<float>& speech);
StereoBuffer makeVoice2(const std::vector<float>& speech);
StereoBuffer makeEvilLaugh(FluidRenderer& renderer, const std::vector<float>& speech);
StereoBuffer makeOutro(FluidRenderer& renderer);

} // namespace assetgen::music
