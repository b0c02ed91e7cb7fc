#pragma once

#include "sound/fmod/fmodCommon.h"

namespace FMOD {

class ChannelGroup;
class System;

// A handle to one playback on one of the system's channels. Once that
// playback has been stopped, has ended or the channel has been reused, every
// call answers FMOD_ERR_INVALID_HANDLE; the handle itself stays safe to use
// until the system is released.
class Channel {
public:
    FMOD_RESULT stop();
    FMOD_RESULT setPaused(bool paused);
    // The channel's own pause state; a paused group does not change it.
    FMOD_RESULT getPaused(bool* paused);
    // Not in FMOD Ex: unpauses the channel in time with a playing one. It
    // starts at the place in its loop where that one is (the other's frame
    // modulo this channel's length), in the same mixer update, and from then
    // on the two keep time: whenever either starts again (after a pause, or
    // after running dry on a busy machine) while the other plays, it starts
    // in time with it. While the other is not playing, the channel starts
    // from where it stands. Moving it with setPosition ends the bond.
    // FMOD_ERR_INVALID_HANDLE when either handle is no longer valid.
    FMOD_RESULT startInTimeWith(Channel* playing);
    // Null puts the channel back outside every group.
    FMOD_RESULT setChannelGroup(ChannelGroup* channelgroup);
    // -1 loops without end; 0 plays on to the end and stops; n jumps back n more times.
    FMOD_RESULT setLoopCount(int loopcount);
    FMOD_RESULT setMode(FMOD_MODE mode);
    FMOD_RESULT setPosition(unsigned int position, FMOD_TIMEUNIT postype);
    FMOD_RESULT getPosition(unsigned int* position, FMOD_TIMEUNIT postype);
    FMOD_RESULT isPlaying(bool* isplaying);

private:
    friend class System;

    Channel(System* system, int slot, unsigned int generation) : system(system), slot(slot), generation(generation) {}

    System* system;
    int slot;
    unsigned int generation;
};

} // namespace FMOD
