#include "sound/fmod/ChannelGroup.h"

#include "sound/fmod/System.h"

#include <cmath>

namespace FMOD {

FMOD_RESULT ChannelGroup::setPaused(bool pause)
{
    std::lock_guard<std::mutex> lock(owner->mutex);
    paused = pause;
    owner->refreshGroup(*this);
    return FMOD_OK;
}

FMOD_RESULT ChannelGroup::getPaused(bool* pause)
{
    if (!pause)
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(owner->mutex);
    *pause = paused;
    return FMOD_OK;
}

FMOD_RESULT ChannelGroup::setVolume(float level)
{
    if (!std::isfinite(level))
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(owner->mutex);
    volume = level < 0.0f ? 0.0f : level;
    owner->refreshGroup(*this);
    return FMOD_OK;
}

FMOD_RESULT ChannelGroup::getVolume(float* level)
{
    if (!level)
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(owner->mutex);
    *level = volume;
    return FMOD_OK;
}

} // namespace FMOD
