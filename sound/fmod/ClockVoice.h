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
    // Runs on from the leader's place (its frame modulo this playback's
    // length) and the same moment, so both count the same time from here.
    // False when the leader is not running.
    bool startInTimeWith(Playback& playback, ClockVoice& leader, Playback& leaderPlayback);
    bool playing() const { return running; }
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
