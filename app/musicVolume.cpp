#include "app/musicVolume.h"

#include "sound/SoundSystem.h"

#include <iostream>

int musicVolume = 100;
bool musicMuted = false;

namespace {

void applyToMusicGroup()
{
    const float level = musicMuted ? 0.0f : static_cast<float>(musicVolume) / 100.0f;
    SFMOD::SoundSystem::checkResult(soundSystem.musicGroup->setVolume(level));
}

void printVolume()
{
    if (musicMuted)
        std::cout << "Music muted" << std::endl;
    else
        std::cout << "Music volume: " << musicVolume << " %" << std::endl;
}

} // namespace

void setMusicVolume(int percent)
{
    musicVolume = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    musicMuted = false;
    applyToMusicGroup();
}

void toggleMusicMute()
{
    musicMuted = !musicMuted;
    applyToMusicGroup();
    printVolume();
}

void stepMusicVolume(int step)
{
    setMusicVolume(musicVolume + step);
    printVolume();
}
