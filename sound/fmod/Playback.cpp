#include "sound/fmod/Playback.h"

#include "sound/fmod/Sound.h"

namespace FMOD {

Mp3Decoder& Playback::decoder() const
{
    return sound->decoder;
}

int Playback::rate() const
{
    return sound->decoder.rate();
}

int Playback::channels() const
{
    return sound->decoder.channels();
}

unsigned int Playback::length() const
{
    return sound->decoder.length();
}

unsigned int readLooping(Playback& playback, float* out, unsigned int maxFrames, bool& ended)
{
    Mp3Decoder& decoder = playback.decoder();
    unsigned int channels = static_cast<unsigned int>(decoder.channels());
    unsigned int filled = 0;
    // A stream that gives nothing right after a jump back would loop forever.
    bool justWrapped = false;
    while (filled < maxFrames) {
        unsigned int got = decoder.read(out + filled * channels, maxFrames - filled);
        filled += got;
        if (got > 0)
            justWrapped = false;
        if (!decoder.atEnd())
            continue;
        if (!playback.loops() || justWrapped || !decoder.seek(0)) {
            ended = true;
            break;
        }
        playback.countLoop();
        justWrapped = true;
    }
    return filled;
}

} // namespace FMOD
