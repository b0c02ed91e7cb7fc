#pragma once

#include "sound/fmod/ChannelSlot.h"
#include "sound/fmod/Output.h"
#include "sound/fmod/StreamThread.h"
#include "sound/fmod/fmodCommon.h"

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace FMOD {
class System;
}

// Creates a system with the current output (OpenAL unless a test chose another).
FMOD_RESULT FMOD_System_Create(FMOD::System** system);

namespace FMOD {

class Channel;
class ChannelGroup;
class Sound;

// The sound system: the output device, the channels, the streams and the
// channel groups. Configure it, init it, call update once per frame, and
// release it last: releasing frees every sound, group and channel handle.
// Calls may come from any thread; a stream thread of its own keeps the heard
// channels fed while a device is open.
class System {
public:
    FMOD_RESULT getVersion(unsigned int* version);
    FMOD_RESULT getNumDrivers(int* numdrivers);
    FMOD_RESULT getDriverInfo(int id, char* name, int namelen, FMOD_GUID* guid);
    FMOD_RESULT getDriverCaps(int id, FMOD_CAPS* caps, int* controlpaneloutputrate,
        FMOD_SPEAKERMODE* controlpanelspeakermode);
    FMOD_RESULT setOutput(FMOD_OUTPUTTYPE output);
    FMOD_RESULT getOutput(FMOD_OUTPUTTYPE* output);
    FMOD_RESULT setSpeakerMode(FMOD_SPEAKERMODE speakermode);
    FMOD_RESULT setDSPBufferSize(unsigned int bufferlength, int numbuffers);
    FMOD_RESULT setSoftwareFormat(int samplerate, FMOD_SOUND_FORMAT format, int numoutputchannels,
        int maxinputchannels, FMOD_DSP_RESAMPLER resamplemethod);
    // Opens driver 0, or runs without sound when there is none or
    // FMOD_OUTPUTTYPE_NOSOUND was chosen.
    FMOD_RESULT init(int maxchannels, FMOD_INITFLAGS flags, void* extradriverdata);
    // Frees the channels whose playback has ended.
    FMOD_RESULT update();
    FMOD_RESULT release();

    FMOD_RESULT setStreamBufferSize(unsigned int filebuffersize, FMOD_TIMEUNIT filebuffersizetype);
    FMOD_RESULT createStream(const char* name_or_data, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO* exinfo,
        Sound** sound);
    FMOD_RESULT playSound(FMOD_CHANNELINDEX channelid, Sound* sound, bool paused, Channel** channel);
    FMOD_RESULT createChannelGroup(const char* name, ChannelGroup** channelgroup);

    static constexpr int mostMixedSounds = 16;
    // Not in FMOD Ex: saves one loop of the sounds mixed together, offline
    // from their files (see writeLoopMix), as a WAV file at path, on a thread
    // of the system's own, so that the caller is not held up.
    // FMOD_ERR_NOTREADY, and nothing new starts, while an earlier save runs.
    FMOD_RESULT saveMix(Sound* const* sounds, int count, float volume, const char* path);
    // finished is true, once, when a save has ended: saved, or not, and why
    // not in reason.
    FMOD_RESULT getMixSave(bool* finished, bool* saved, char* reason, int reasonlength);

private:
    friend class Channel;
    friend class ChannelGroup;
    friend class Sound;
    friend class ForkGuard;
    friend FMOD_RESULT(::FMOD_System_Create)(System** system);

    System();
    ~System();
    System(const System&) = delete;
    System& operator=(const System&) = delete;

    // The following expect the lock to be held.
    void listDrivers();
    ChannelSlot* find(const Channel& channel);
    void freeSlot(int index);
    void refreshGroup(const ChannelGroup& group);
    void refreshSlot(ChannelSlot& slot);
    // Another slot of the slot's timeline that is playing now, if any.
    ChannelSlot* leaderFor(const ChannelSlot& slot);
    unsigned int newTimeline();

    void forgetSound(Sound& sound);
    void serviceStreams();
    void serviceMixSave();
    void continueSilentlyAfterFork();

    std::mutex mutex;
    std::unique_ptr<Output> output;
    std::vector<DriverInfo> drivers;
    bool driversListed = false;
    OutputSettings settings;
    FMOD_OUTPUTTYPE outputType = FMOD_OUTPUTTYPE_AUTODETECT;
    bool initialised = false;
    bool audible = false;
    unsigned int streamBufferBytes = 16384;
    unsigned int timelines = 0;
    std::vector<ChannelSlot> slots;
    std::deque<std::unique_ptr<Channel>> handles;
    std::vector<std::unique_ptr<ChannelGroup>> groups;
    std::vector<Sound*> sounds;
    StreamThread streamThread;

    enum class SaveState { Idle, Asked, Running, Finished };
    struct MixRequest {
        Sound* sounds[mostMixedSounds] = {};
        int count = 0;
        float volume = 1.0f;
        char path[1024] = {};
    };
    SaveState saveState = SaveState::Idle;
    MixRequest mixRequest;
    std::string saveProblem;
    std::atomic<bool> cancelSave{false};
    bool saverLowered = false; // touched by the save thread only
    StreamThread saveThread;
};

} // namespace FMOD
