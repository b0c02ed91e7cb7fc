#pragma once

#include "sound/fmod/Mp3Decoder.h"
#include "sound/fmod/fmodCommon.h"

#include <string>

namespace FMOD {

class System;

// A stream: one MP3 file with one decoder, so it plays on one channel at a
// time; playing it again moves it to a new channel from the start.
class Sound {
public:
    // Stops its channel, closes the file and frees the sound.
    FMOD_RESULT release();

private:
    friend class System;
    friend class ChannelSlot;
    friend struct Playback;

    Sound(System& owner, FMOD_MODE mode, const char* path) : owner(&owner), mode(mode), path(path) {}
    ~Sound() = default;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    System* owner;
    FMOD_MODE mode;
    std::string path;
    Mp3Decoder decoder;
    int slot = -1; // the channel now playing this stream, -1 when none
};

} // namespace FMOD
