#include "sound/fmod/SourceVoice.h"

#include "sound/fmod/Mp3Decoder.h"

#include <AL/al.h>
#include <AL/alext.h>

namespace FMOD {

FMOD_RESULT SourceVoice::prepare(int resampler)
{
    if (source)
        return FMOD_OK;
    alGetError();
    ALuint name = 0;
    alGenSources(1, &name);
    if (alGetError() != AL_NO_ERROR)
        return FMOD_ERR_CHANNEL_ALLOC;
    alGenBuffers(queueLength, buffers);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteSources(1, &name);
        return FMOD_ERR_MEMORY;
    }
    source = name;
    // Music is not placed in space: at the listener, no distance fall-off,
    // and a stereo file's channels go straight to the left and right outputs
    // instead of being panned as two virtual speakers.
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    if (alIsExtensionPresent("AL_SOFT_direct_channels"))
        alSourcei(source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
    if (resampler >= 0)
        alSourcei(source, AL_SOURCE_RESAMPLER_SOFT, resampler);
    alGetError();
    freeBuffers.assign(buffers, buffers + queueLength);
    return FMOD_OK;
}

void SourceVoice::flush()
{
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    freeBuffers.assign(buffers, buffers + queueLength);
    queue.clear();
    started = false;
}

void SourceVoice::play()
{
    alSourcePlay(source);
    started = true;
}

bool SourceVoice::playing() const
{
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

int SourceVoice::sampleOffset() const
{
    ALint offset = 0;
    alGetSourcei(source, AL_SAMPLE_OFFSET, &offset);
    return offset;
}

unsigned int SourceVoice::queuedFrames() const
{
    unsigned int frames = 0;
    for (const Queued& queued : queue)
        frames += queued.frames;
    return frames;
}

void SourceVoice::seek(Playback& playback, unsigned int frame)
{
    flush();
    playback.decoder().seek(frame);
    decodeEnded = false;
    if (!wantPlaying)
        return;
    fill(playback);
    if (!queue.empty())
        play();
}

void SourceVoice::run(Playback& playback, bool playing)
{
    wantPlaying = playing;
    if (playing) {
        reclaim();
        fill(playback);
        if (!started && !queue.empty())
            play();
        return;
    }
    if (started) {
        ALint state = AL_STOPPED;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING)
            alSourcePause(source);
        started = false;
    }
}

bool SourceVoice::startInTimeWith(Playback& playback, SourceVoice& leader, const Playback& leaderPlayback)
{
    const unsigned int length = playback.length();
    if (length == 0 || leader.queue.empty() || !leader.playing())
        return false;
    wantPlaying = true;
    // OpenAL starts a source at the next mixer update, which can come between
    // reading where the leader is and the start: the check below sees it, and
    // the start is made again. Updates are tens of milliseconds apart, the
    // window a few microseconds wide, so a second try is rare.
    for (int attempt = 0; attempt < 4; ++attempt) {
        // Decoding takes a moment, in which the leader moves on: still
        // within the queue decoded from where it was.
        const unsigned int from = leader.position(leaderPlayback) % length;
        flush();
        if (!playback.decoder().seek(from))
            return false;
        decodeEnded = false;
        fill(playback);
        const int leaderBefore = leader.sampleOffset();
        const unsigned int target = leader.frameAt(leaderPlayback, leaderBefore) % length;
        const unsigned int into = (target + length - from) % length;
        if (into + 1 >= queuedFrames())
            continue;
        alSourcei(source, AL_SAMPLE_OFFSET, static_cast<ALint>(into));
        play();
        // Both offsets from between the same two mixer updates.
        int leaderAfter = leader.sampleOffset();
        int own = sampleOffset();
        for (int read = 0; read < 8 && leader.sampleOffset() != leaderAfter; ++read) {
            leaderAfter = leader.sampleOffset();
            own = sampleOffset();
        }
        // Resampling to another device rate can leave them a frame apart.
        const int drift = (leaderAfter - leaderBefore) - (own - static_cast<int>(into));
        if (drift >= -2 && drift <= 2)
            return true;
    }
    flush();
    return false;
}

void SourceVoice::setGain(float gain)
{
    alSourcef(source, AL_GAIN, gain);
}

void SourceVoice::reclaim()
{
    ALint processed = 0;
    alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0 && !queue.empty(); --processed) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(source, 1, &buffer);
        freeBuffers.push_back(buffer);
        queue.pop_front();
    }
}

void SourceVoice::fill(Playback& playback)
{
    int channels = playback.channels();
    ALenum format = channels == 1 ? AL_FORMAT_MONO_FLOAT32 : AL_FORMAT_STEREO_FLOAT32;
    samples.resize(static_cast<size_t>(framesPerBuffer) * static_cast<size_t>(channels));
    while (!decodeEnded && !freeBuffers.empty()) {
        unsigned int start = playback.decoder().position();
        unsigned int frames = readLooping(playback, samples.data(), framesPerBuffer, decodeEnded);
        if (frames == 0)
            break;
        ALuint buffer = freeBuffers.back();
        freeBuffers.pop_back();
        alBufferData(buffer, format, samples.data(),
            static_cast<ALsizei>(frames * static_cast<unsigned int>(channels) * sizeof(float)), playback.rate());
        alSourceQueueBuffers(source, 1, &buffer);
        queue.push_back({buffer, start, frames});
    }
}

SourceVoice::Service SourceVoice::service(Playback& playback)
{
    reclaim();
    if (!wantPlaying)
        return Service::Fed;
    fill(playback);
    if (queue.empty())
        return decodeEnded ? Service::Ended : Service::Fed;
    if (playing())
        return Service::Fed;
    if (started)
        return Service::RanDry;
    play();
    return Service::Fed;
}

void SourceVoice::restart()
{
    reclaim();
    if (!queue.empty())
        play();
}

unsigned int SourceVoice::position(const Playback& playback)
{
    if (queue.empty()) {
        unsigned int length = playback.length();
        return decodeEnded ? length : playback.decoder().position() % (length ? length : 1);
    }
    return frameAt(playback, sampleOffset());
}

unsigned int SourceVoice::frameAt(const Playback& playback, int offset) const
{
    unsigned int length = playback.length();
    if (queue.empty())
        return 0;
    unsigned int remaining = offset > 0 ? static_cast<unsigned int>(offset) : 0;
    unsigned int frame = queue.back().start + queue.back().frames;
    for (const Queued& queued : queue) {
        if (remaining < queued.frames) {
            frame = queued.start + remaining;
            break;
        }
        remaining -= queued.frames;
    }
    // A buffer can hold the end of the stream and its beginning again.
    return length ? frame % length : frame;
}

unsigned int SourceVoice::lastKnownPosition(const Playback& playback) const
{
    unsigned int length = playback.length();
    unsigned int frame = queue.empty() ? playback.decoder().position() : queue.front().start;
    return length ? frame % length : frame;
}

void SourceVoice::stop()
{
    wantPlaying = false;
    if (source)
        flush();
}

void SourceVoice::destroy()
{
    if (!source)
        return;
    flush();
    alDeleteSources(1, &source);
    alDeleteBuffers(queueLength, buffers);
    source = 0;
}

void SourceVoice::abandon()
{
    source = 0;
    queue.clear();
    freeBuffers.clear();
}

} // namespace FMOD
