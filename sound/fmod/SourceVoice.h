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

    enum class Service { Fed, RanDry, Ended };

    // Creates the source and its buffers the first time.
    FMOD_RESULT prepare(int resampler);
    void seek(Playback& playback, unsigned int frame);
    void run(Playback& playback, bool playing);
    // Starts playing at the frame of this playback that lines up with where
    // the leader is heard (the leader's frame modulo this playback's length),
    // so that the mixer plays both side by side from then on. False, with
    // the voice left stopped, when the leader is not playing or no start
    // lined up.
    bool startInTimeWith(Playback& playback, SourceVoice& leader, const Playback& leaderPlayback);
    bool playing() const;
    void setGain(float gain);
    // Returns the heard buffers and decodes the next ones. A source that
    // played its queue out before the stream thread came round is reported,
    // not restarted: where it goes on depends on what else is playing.
    Service service(Playback& playback);
    // Plays the queue again after it ran dry, from where decoding stands.
    void restart();
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
    unsigned int queuedFrames() const;
    int sampleOffset() const;
    // The frame of the stream at an offset into the queue.
    unsigned int frameAt(const Playback& playback, int offset) const;
    void play();

    unsigned int source = 0;
    unsigned int buffers[queueLength] = {};
    std::vector<unsigned int> freeBuffers;
    std::deque<Queued> queue;
    std::vector<float> samples;
    bool wantPlaying = false;
    bool started = false; // played and not paused or stopped since
    bool decodeEnded = false;
};

} // namespace FMOD
