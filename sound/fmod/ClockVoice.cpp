#include "sound/fmod/ClockVoice.h"

#include <cmath>

namespace FMOD {

void ClockVoice::advance(Playback& playback)
{
    Clock::time_point now = Clock::now();
    if (running && !ended)
        frame += std::chrono::duration<double>(now - since).count() * playback.rate();
    since = now;
    double length = playback.length();
    if (length <= 0.0) {
        ended = true;
        running = false;
        return;
    }
    while (frame >= length) {
        if (!playback.loops()) {
            frame = length;
            ended = true;
            running = false;
            return;
        }
        if (playback.loopCount < 0) {
            frame = std::fmod(frame, length);
            return;
        }
        playback.countLoop();
        frame -= length;
    }
}

void ClockVoice::seek(Playback& playback, unsigned int target)
{
    advance(playback);
    frame = target;
    ended = false;
}

void ClockVoice::run(Playback& playback, bool playing)
{
    advance(playback);
    running = playing && !ended;
}

bool ClockVoice::startInTimeWith(Playback& playback, ClockVoice& leader, Playback& leaderPlayback)
{
    leader.advance(leaderPlayback);
    double length = playback.length();
    if (!leader.running || length <= 0.0)
        return false;
    frame = std::fmod(leader.frame, length);
    since = leader.since;
    ended = false;
    running = true;
    return true;
}

bool ClockVoice::service(Playback& playback)
{
    advance(playback);
    return !ended;
}

unsigned int ClockVoice::position(Playback& playback)
{
    advance(playback);
    return static_cast<unsigned int>(frame);
}

void ClockVoice::stop()
{
    running = false;
    ended = false;
    frame = 0.0;
}

} // namespace FMOD
