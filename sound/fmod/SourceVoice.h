#pragma once

#include "sound/fmod/fmodCommon.h"
#include "sound/fmod/Playback.h"

#include <deque>
#include <vector>

namespace FMOD {

// A channel heard through one OpenAL source, fed from a short queue of
// buffers that the stream thread keeps full. Needs the system's OpenAL
// context to be current; every call is made under the system's lock.
class SourceVoice {
public:
    static constexpr int queueLength = 6;
    static constexpr unsigned int framesPerBuffer = 2048;

    // Creates the source and its buffers the first time.
    FMOD_RESULT prepare(int resampler);
    void seek(Playback& playback, unsigned int frame);
    void run(Playback& playback, bool playing);
    void setGain(float gain);
    // Returns the heard buffers, decodes the next ones and restarts a source
    // that ran dry. False once the stream has played to its end.
    bool service(Playback& playback);
    unsigned int position(const Playback& playback);
    // The start of the buffer being heard, known without asking OpenAL.
    unsigned int lastKnownPosition(const Playback& playback) const;
    void stop();
    void destroy();
    void abandon();

private:
    struct Queued {
        unsigned int buffer;
        unsigned int start;
        unsigned int frames;
    };

    void flush();
    void reclaim();
    void fill(Playback& playback);

    unsigned int source = 0;
    unsigned int buffers[queueLength] = {};
    std::vector<unsigned int> freeBuffers;
    std::deque<Queued> queue;
    std::vector<float> samples;
    bool wantPlaying = false;
    bool decodeEnded = false;
};

} // namespace FMOD
