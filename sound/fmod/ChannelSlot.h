#pragma once

#include "sound/fmod/ClockVoice.h"
#include "sound/fmod/Playback.h"
#include "sound/fmod/SourceVoice.h"

namespace FMOD {

class ChannelGroup;

// One of the system's channels: the playback it runs, its own pause state and
// group, and the voice that makes it advance (heard or on a clock). A channel
// handle is valid while the slot is in use with the handle's generation.
// Slots of one timeline keep time with each other: whenever one of them
// starts to play while another plays, it starts in time with that one.
// Guarded by the system's lock.
class ChannelSlot {
public:
    enum class Service { Fed, RanDry, Ended };

    unsigned int generation = 0;
    unsigned int timeline = 0;
    bool inUse = false;
    bool finished = false; // played to its end; System::update frees it
    bool paused = false;
    ChannelGroup* group = nullptr;
    Playback playback;

    // Begins playing the sound from its first frame, paused; heard through
    // OpenAL when audible.
    FMOD_RESULT begin(Sound& sound, bool audible, int resampler);
    void setPosition(unsigned int frame);
    // Applies the pause state and volume of the channel and its group; a
    // start goes in time with the leader, a playing slot of its timeline,
    // when there is one.
    void refresh(ChannelSlot* leader);
    // Keeps the voice going and says whether it ran dry or reached its end.
    Service service();
    // Plays on after running dry: in time with the leader, or from where it stopped.
    void rejoin(ChannelSlot* leader);
    bool playing() const;
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
