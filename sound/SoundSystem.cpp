#include "sound/SoundSystem.h"

#include "sound/SimpleFMODResource.h"
#include "sound/Song.h"

#include <cstdlib>
#include <cstring>
#include <iostream>

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
}

Song SoundSystem::createSong(const std::string& path)
{
    return Song(path, musicGroup);
}

} // namespace SFMOD
