#include "sound/SoundSystem.h"

#include "sound/SimpleFMODResource.h"
#include "sound/Song.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <unistd.h>

namespace SFMOD {

namespace {

// Drivers whose default format is known to fail; they run at 48 kHz in floats.
bool needsFloatFormat(const char* driverName)
{
    return std::strstr(driverName, "SigmaTel") != nullptr;
}

} // namespace

SoundSystem::SoundSystem()
{
    checkResult(FMOD_System_Create(&system));

    unsigned int version = 0;
    checkResult(system->getVersion(&version));
    checkVersion(version);

    int driverCount = 0;
    checkResult(system->getNumDrivers(&driverCount));
    if (driverCount == 0) {
        checkResult(system->setOutput(FMOD_OUTPUTTYPE_NOSOUND));
    } else {
        FMOD_CAPS caps = FMOD_CAPS_NONE;
        FMOD_SPEAKERMODE speakerMode = FMOD_SPEAKERMODE_STEREO;
        checkResult(system->getDriverCaps(0, &caps, nullptr, &speakerMode));
        checkResult(system->setSpeakerMode(speakerMode));
        if (caps & FMOD_CAPS_HARDWARE_EMULATED)
            checkResult(system->setDSPBufferSize(1024, 10));
        char name[256] = {};
        checkResult(system->getDriverInfo(0, name, 256, nullptr));
        if (needsFloatFormat(name))
            checkResult(system->setSoftwareFormat(48000, FMOD_SOUND_FORMAT_PCMFLOAT, 0, 0, FMOD_DSP_RESAMPLER_LINEAR));
    }

    FMOD_RESULT result = system->init(100, FMOD_INIT_NORMAL, nullptr);
    if (result == FMOD_ERR_OUTPUT_CREATEBUFFER) {
        // The driver's speaker mode cannot be set up; stereo always can.
        checkResult(system->setSpeakerMode(FMOD_SPEAKERMODE_STEREO));
        result = system->init(100, FMOD_INIT_NORMAL, nullptr);
    }
    checkResult(result);

    checkResult(system->createChannelGroup(nullptr, &musicGroup));
}

SoundSystem::~SoundSystem()
{
    system->release();
    resources.clear();
}

void SoundSystem::checkResult(FMOD_RESULT result)
{
    if (result == FMOD_OK)
        return;
    std::cout << "FMOD error! (" << static_cast<int>(result) << ") " << FMOD_ErrorString(result) << std::endl;
    std::exit(-1);
}

void SoundSystem::checkVersion(unsigned int version)
{
    if (version >= minimumVersion)
        return;
    std::cout << "Error! You are using an old version of FMOD " << version << ". This program requires "
              << minimumVersion << std::endl;
    std::exit(-1);
}

void SoundSystem::update()
{
    checkResult(system->update());
    for (SimpleFMODResource* resource : resources)
        resource->update();
    reportMixSave();
}

void SoundSystem::saveMix(const Song* const* songs, int count)
{
    FMOD::Sound* sounds[FMOD::System::mostMixedSounds];
    int found = 0;
    for (int i = 0; i < count && found < FMOD::System::mostMixedSounds; ++i)
        if (songs[i] && songs[i]->getSound())
            sounds[found++] = songs[i]->getSound();
    if (found == 0) {
        std::cout << "Nothing to save: no music is playing" << std::endl;
        return;
    }
    float volume = 1.0f;
    musicGroup->getVolume(&volume);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stem[48];
    std::strftime(stem, sizeof stem, "recordings/mix-%Y%m%d-%H%M%S", &local);
    // Two saves within one second keep both files.
    char path[sizeof savingPath];
    std::snprintf(path, sizeof path, "%s.wav", stem);
    for (int again = 2; access(path, F_OK) == 0 && again < 100; ++again)
        std::snprintf(path, sizeof path, "%s-%d.wav", stem, again);
    FMOD_RESULT result = system->saveMix(sounds, found, volume, path);
    if (result == FMOD_OK)
        std::memcpy(savingPath, path, sizeof savingPath);
    else if (result != FMOD_ERR_NOTREADY)
        std::cout << "Could not save the mix: " << FMOD_ErrorString(result) << std::endl;
}

void SoundSystem::reportMixSave()
{
    bool finished = false;
    bool saved = false;
    char reason[512];
    if (system->getMixSave(&finished, &saved, reason, sizeof reason) != FMOD_OK || !finished)
        return;
    if (saved)
        std::cout << "Mix saved: " << savingPath << std::endl;
    else
        std::cout << "Could not save the mix: " << reason << std::endl;
    savingPath[0] = '\0';
}

Song SoundSystem::createSong(const std::string& path)
{
    return Song(path, musicGroup);
}

} // namespace SFMOD
