#include "sound/Song.h"

#include "sound/SoundSystem.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace SFMOD {

Song::Song(const std::string& path, FMOD::ChannelGroup* group)
{
    // The file is read in 64 KiB blocks: several seconds of music per read.
    system->system->setStreamBufferSize(65536, FMOD_TIMEUNIT_RAWBYTES);
    FMOD::Sound* opened = nullptr;
    SoundSystem::checkResult(system->system->createStream(path.c_str(), FMOD_LOOP_NORMAL, nullptr, &opened));
    sound = opened;
    channelGroup = group;
    channel = nullptr;
    const std::string mp3 = ".mp3";
    if (path.size() > mp3.size() && path.compare(path.size() - mp3.size(), mp3.size(), mp3) == 0) {
        std::ifstream file(path.substr(0, path.size() - mp3.size()) + ".loudness", std::ios::binary);
        loudnessSteps.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
}

Song& Song::operator=(Song&& source)
{
    if (this == &source)
        return *this;
    SimpleFMODResource::operator=(std::move(source));
    channel = source.channel;
    channelGroup = source.channelGroup;
    loudnessSteps = std::move(source.loudnessSteps);
    return *this;
}

FMOD::Channel* Song::play()
{
    // Paused first, so the track is in its group, looping and at its start
    // before a single sample is heard.
    SoundSystem::checkResult(system->system->playSound(FMOD_CHANNEL_FREE, sound, true, &channel));
    if (channelGroup)
        channel->setChannelGroup(channelGroup);
    channel->setLoopCount(-1);
    channel->setMode(FMOD_LOOP_NORMAL);
    channel->setPosition(0, FMOD_TIMEUNIT_MS);
    channel->setPaused(false);
    return channel;
}

FMOD::Channel* Song::playInTimeWith(const Song& playing)
{
    SoundSystem::checkResult(system->system->playSound(FMOD_CHANNEL_FREE, sound, true, &channel));
    if (channelGroup)
        channel->setChannelGroup(channelGroup);
    channel->setLoopCount(-1);
    channel->setMode(FMOD_LOOP_NORMAL);
    if (!playing.channel || channel->startInTimeWith(playing.channel) != FMOD_OK)
        channel->setPaused(false);
    return channel;
}

void Song::stop()
{
    if (channel)
        channel->stop();
    channel = nullptr;
}

float Song::loudness() const
{
    unsigned int position = 0;
    if (!channel || loudnessSteps.empty() || channel->getPosition(&position, FMOD_TIMEUNIT_MS) != FMOD_OK)
        return -1.0f;
    const size_t step = static_cast<size_t>(position) * 60 / 1000;
    return loudnessSteps[std::min(step, loudnessSteps.size() - 1)] / 255.0f;
}

bool Song::isPaused()
{
    bool paused = false;
    if (!channel || channel->getPaused(&paused) != FMOD_OK)
        return false;
    return paused;
}

} // namespace SFMOD
