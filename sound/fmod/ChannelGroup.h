#pragma once

#include "sound/fmod/fmodCommon.h"

namespace FMOD {

class System;

// A set of channels whose volume and pause apply on top of each channel's own.
class ChannelGroup {
public:
    FMOD_RESULT setPaused(bool paused);
    FMOD_RESULT getPaused(bool* paused);
    FMOD_RESULT setVolume(float volume);
    FMOD_RESULT getVolume(float* volume);

private:
    friend class System;
    friend class ChannelSlot;

    explicit ChannelGroup(System& owner) : owner(&owner) {}

    System* owner;
    bool paused = false;
    float volume = 1.0f;
};

} // namespace FMOD
