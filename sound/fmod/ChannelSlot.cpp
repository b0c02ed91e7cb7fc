#include "sound/fmod/ChannelSlot.h"

#include "sound/fmod/ChannelGroup.h"
#include "sound/fmod/Sound.h"

namespace FMOD {

FMOD_RESULT ChannelSlot::begin(Sound& sound, bool heard, int resampler)
{
    audible = heard;
    if (audible) {
        FMOD_RESULT result = source.prepare(resampler);
        if (result != FMOD_OK)
            return result;
    }
    inUse = true;
    finished = false;
    paused = true;
    group = nullptr;
    playback = Playback{&sound, sound.mode, -1};
    setPosition(0);
    return FMOD_OK;
}

void ChannelSlot::setPosition(unsigned int frame)
{
    finished = false;
    if (audible)
        source.seek(playback, frame);
    else
        clock.seek(playback, frame);
    refresh();
}

void ChannelSlot::refresh()
{
    bool playing = !paused && !(group && group->paused);
    if (audible) {
        source.setGain(group ? group->volume : 1.0f);
        source.run(playback, playing);
    } else {
        clock.run(playback, playing);
    }
}

bool ChannelSlot::service()
{
    return audible ? source.service(playback) : clock.service(playback);
}

unsigned int ChannelSlot::position()
{
    return audible ? source.position(playback) : clock.position(playback);
}

void ChannelSlot::end()
{
    if (audible)
        source.stop();
    else
        clock.stop();
    inUse = false;
    finished = false;
    group = nullptr;
    playback = Playback{};
    ++generation;
}

void ChannelSlot::destroyVoice()
{
    source.destroy();
}

void ChannelSlot::continueSilently()
{
    if (!audible)
        return;
    unsigned int frame = inUse ? source.lastKnownPosition(playback) : 0;
    source.abandon();
    audible = false;
    if (inUse) {
        clock.seek(playback, frame);
        clock.run(playback, !paused && !(group && group->paused));
    }
}

} // namespace FMOD
