#pragma once

#include "sound/fmod/Playback.h"

#include <chrono>

namespace FMOD {

// A channel without a device: nothing is decoded or heard, but its position
// advances with the wall clock and loops like a heard one, so the game runs
// the same without speakers.
class ClockVoice {
public:
    void seek(Playback& playback, unsigned int frame);
    void run(Playback& playback, bool playing);
    // False once a playback that does not loop has reached its end.
    bool service(Playback& playback);
    unsigned int position(Playback& playback);
    void stop();

private:
    using Clock = std::chrono::steady_clock;

    void advance(Playback& playback);

    double frame = 0.0;
    bool running = false;
    bool ended = false;
    Clock::time_point since = Clock::now();
};

} // namespace FMOD
