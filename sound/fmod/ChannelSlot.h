#pragma once

#include "sound/fmod/ClockVoice.h"
#include "sound/fmod/Playback.h"
#include "sound/fmod/SourceVoice.h"

namespace FMOD {

class ChannelGroup;

// One of the system's channels: the playback it runs, its own pause state and
// group, and the voice that makes it advance (heard or on a clock). A channel
// handle is valid while the slot is in use with the handle's generation.
// Guarded by the system's lock.
class ChannelSlot {
public:
    unsigned int generation = 0;
    bool inUse = false;
    bool finished = false; // played to its end; System::update frees it
    bool paused = false;
    ChannelGroup* group = nullptr;
    Playback playback;

    // Begins playing the sound from its first frame, paused; heard through
    // OpenAL when audible.
    FMOD_RESULT begin(Sound& sound, bool audible, int resampler);
    void setPosition(unsigned int frame);
    // Applies the pause state and volume of the channel and its group.
    void refresh();
    // Keeps the voice going; false once the playback has reached its end.
    bool service();
    unsigned int position();
    // Stops the playback; the slot is free and old handles become invalid.
    void end();
    void destroyVoice();
    // After a fork the device belongs to the parent: go on silently.
    void continueSilently();

private:
    bool audible = false;
    SourceVoice source;
    ClockVoice clock;
};

} // namespace FMOD
