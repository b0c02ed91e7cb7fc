#pragma once

#include "sound/fmod/fmodCommon.h"

namespace FMOD {

class Mp3Decoder;
class Sound;

// What a channel plays and how it loops; both kinds of voice read it.
struct Playback {
    Sound* sound = nullptr;
    FMOD_MODE mode = FMOD_LOOP_NORMAL;
    int loopCount = -1; // loops still to play; -1 loops without end

    bool loops() const { return (mode & FMOD_LOOP_NORMAL) != 0 && loopCount != 0; }
    void countLoop()
    {
        if (loopCount > 0)
            --loopCount;
    }
    Mp3Decoder& decoder() const;
    int rate() const;
    int channels() const;
    unsigned int length() const;
};

// Decodes up to maxFrames frames of the playback's stream into out, jumping
// back to the first frame at the end while the playback loops, so that the
// frames on either side of the join sit next to each other. Sets ended when
// the stream has no more frames to give.
unsigned int readLooping(Playback& playback, float* out, unsigned int maxFrames, bool& ended);

} // namespace FMOD
