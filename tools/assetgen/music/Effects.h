#pragma once

#include "music/StereoBuffer.h"

#include <cstdint>
#include <functional>

// Our own effects on whole buffers. Everything that moves over time takes its
// position from the loop (cycles per loop), so the movement repeats with it.
namespace assetgen::music {

// sin of the loop phase, for cycles (whole numbers keep it seamless) per loop.
double loopSine(int64_t frame, double cyclesPerLoop, double phase = 0.0);

void lowPass(StereoBuffer& buffer, double frequency, double q = 0.707);
void highPass(StereoBuffer& buffer, double frequency, double q = 0.707);
void peakEq(StereoBuffer& buffer, double frequency, double q, double gainDb);
void lowShelf(StereoBuffer& buffer, double frequency, double gainDb);
void highShelf(StereoBuffer& buffer, double frequency, double gainDb);

// A resonant filter whose cutoff (Hz) follows a function of the frame.
enum class SweepMode { LowPass, BandPass, HighPass };
void sweep(StereoBuffer& buffer, SweepMode mode, const std::function<double(int64_t)>& cutoff, double resonance);

// Echoes bouncing between left and right, each repeat darker.
void pingPongDelay(StereoBuffer& buffer, double delayBeats, double feedback, double mix, double dampHz = 4000.0);
// Two slowly moving delayed copies for a wide, shimmering sound.
void chorus(StereoBuffer& buffer, double depthMs, double cyclesPerLoop, double mix);
// Soft saturation; drive 1 is gentle, higher adds harmonics. Keeps small signals at unit gain.
void saturate(StereoBuffer& buffer, double drive);
// Fewer bits and a lower sample rate for a lo-fi grain.
void bitcrush(StereoBuffer& buffer, int bits, int holdFrames);
// Feed-forward compressor on the louder channel, times in milliseconds.
void compress(StereoBuffer& buffer, double thresholdDb, double ratio, double attackMs, double releaseMs);
// Moves the sound between the speakers, depth 0..1.
void autoPan(StereoBuffer& buffer, double cyclesPerLoop, double depth, double phase = 0.0);
// Mid/side width: 1 unchanged, 0 mono, above 1 wider.
void setWidth(StereoBuffer& buffer, double width);

} // namespace assetgen::music
