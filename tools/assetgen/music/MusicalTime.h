#pragma once

#include <cmath>
#include <cstdint>

// The common clock of every instrument track: one tempo and one loop length,
// so that any set of pillars plays in time with any other.
namespace assetgen::music {

constexpr int sampleRate = 44100;
constexpr double tempoBpm = 120.0;
constexpr int beatsPerBar = 4;
constexpr int loopBars = 8;
constexpr int loopBeats = loopBars * beatsPerBar;

constexpr double secondsPerBeat = 60.0 / tempoBpm;
// 120 beats per minute at 44.1 kHz: exactly 22,050 frames per beat.
constexpr int64_t framesPerBeat = static_cast<int64_t>(sampleRate * secondsPerBeat);
constexpr int64_t loopFrames = framesPerBeat * loopBeats;

inline int64_t frameAtBeat(double beat)
{
    return static_cast<int64_t>(std::llround(beat * static_cast<double>(framesPerBeat)));
}

inline double beatAtFrame(int64_t frame)
{
    return static_cast<double>(frame) / static_cast<double>(framesPerBeat);
}

} // namespace assetgen::music
