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
    refresh(nullptr);
}

void ChannelSlot::refresh(ChannelSlot* leader)
{
    bool shouldPlay = !paused && !(group && group->paused);
    if (audible) {
        source.setGain(group ? group->volume : 1.0f);
        if (shouldPlay && leader && !source.playing()
            && source.startInTimeWith(playback, leader->source, leader->playback))
            return;
        source.run(playback, shouldPlay);
    } else {
        if (shouldPlay && leader && !clock.playing()
            && clock.startInTimeWith(playback, leader->clock, leader->playback))
            return;
        clock.run(playback, shouldPlay);
    }
}

ChannelSlot::Service ChannelSlot::service()
{
    if (!audible)
        return clock.service(playback) ? Service::Fed : Service::Ended;
    switch (source.service(playback)) {
    case SourceVoice::Service::RanDry:
        return Service::RanDry;
    case SourceVoice::Service::Ended:
        return Service::Ended;
    default:
        return Service::Fed;
    }
}

void ChannelSlot::rejoin(ChannelSlot* leader)
{
    if (!audible)
        return;
    if (leader && source.startInTimeWith(playback, leader->source, leader->playback))
        return;
    source.restart();
}

bool ChannelSlot::playing() const
{
    return audible ? source.playing() : clock.playing();
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
