#include "sound/fmod/Channel.h"

#include "sound/fmod/ChannelSlot.h"
#include "sound/fmod/System.h"

#include <cstdint>

namespace FMOD {

FMOD_RESULT Channel::stop()
{
    std::lock_guard<std::mutex> lock(system->mutex);
    if (!system->find(*this))
        return FMOD_ERR_INVALID_HANDLE;
    system->freeSlot(slot);
    return FMOD_OK;
}

FMOD_RESULT Channel::setPaused(bool paused)
{
    std::lock_guard<std::mutex> lock(system->mutex);
    ChannelSlot* found = system->find(*this);
    if (!found)
        return FMOD_ERR_INVALID_HANDLE;
    found->paused = paused;
    system->refreshSlot(*found);
    return FMOD_OK;
}

FMOD_RESULT Channel::startInTimeWith(Channel* playing)
{
    std::lock_guard<std::mutex> lock(system->mutex);
    ChannelSlot* found = system->find(*this);
    ChannelSlot* other = playing ? system->find(*playing) : nullptr;
    if (!found || !other)
        return FMOD_ERR_INVALID_HANDLE;
    if (other == found)
        return FMOD_ERR_INVALID_PARAM;
    found->timeline = other->timeline;
    found->paused = false;
    system->refreshSlot(*found);
    return FMOD_OK;
}

FMOD_RESULT Channel::getPaused(bool* paused)
{
    if (!paused)
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(system->mutex);
    ChannelSlot* found = system->find(*this);
    if (!found)
        return FMOD_ERR_INVALID_HANDLE;
    *paused = found->paused;
    return FMOD_OK;
}

FMOD_RESULT Channel::setChannelGroup(ChannelGroup* channelgroup)
{
    std::lock_guard<std::mutex> lock(system->mutex);
    ChannelSlot* found = system->find(*this);
    if (!found)
        return FMOD_ERR_INVALID_HANDLE;
    found->group = channelgroup;
    system->refreshSlot(*found);
    return FMOD_OK;
}

FMOD_RESULT Channel::setLoopCount(int loopcount)
{
    if (loopcount < -1)
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(system->mutex);
    ChannelSlot* found = system->find(*this);
    if (!found)
        return FMOD_ERR_INVALID_HANDLE;
    found->playback.loopCount = loopcount;
    return FMOD_OK;
}

FMOD_RESULT Channel::setMode(FMOD_MODE mode)
{
    std::lock_guard<std::mutex> lock(system->mutex);
    ChannelSlot* found = system->find(*this);
    if (!found)
        return FMOD_ERR_INVALID_HANDLE;
    found->playback.mode = mode;
    return FMOD_OK;
}

FMOD_RESULT Channel::setPosition(unsigned int position, FMOD_TIMEUNIT postype)
{
    if (postype != FMOD_TIMEUNIT_MS && postype != FMOD_TIMEUNIT_PCM)
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(system->mutex);
    ChannelSlot* found = system->find(*this);
    if (!found)
        return FMOD_ERR_INVALID_HANDLE;
    uint64_t frame = position;
    if (postype == FMOD_TIMEUNIT_MS)
        frame = frame * static_cast<uint64_t>(found->playback.rate()) / 1000u;
    if (frame > found->playback.length())
        return FMOD_ERR_INVALID_POSITION;
    // Sent elsewhere, it no longer keeps time with the others.
    found->timeline = system->newTimeline();
    found->setPosition(static_cast<unsigned int>(frame));
    return FMOD_OK;
}

FMOD_RESULT Channel::getPosition(unsigned int* position, FMOD_TIMEUNIT postype)
{
    if (!position || (postype != FMOD_TIMEUNIT_MS && postype != FMOD_TIMEUNIT_PCM))
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(system->mutex);
    ChannelSlot* found = system->find(*this);
    if (!found)
        return FMOD_ERR_INVALID_HANDLE;
    uint64_t frame = found->position();
    if (postype == FMOD_TIMEUNIT_MS)
        frame = frame * 1000u / static_cast<uint64_t>(found->playback.rate());
    *position = static_cast<unsigned int>(frame);
    return FMOD_OK;
}

FMOD_RESULT Channel::isPlaying(bool* isplaying)
{
    if (!isplaying)
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(system->mutex);
    ChannelSlot* found = system->find(*this);
    if (!found)
        return FMOD_ERR_INVALID_HANDLE;
    *isplaying = !found->finished;
    return FMOD_OK;
}

} // namespace FMOD
