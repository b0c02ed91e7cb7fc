#include "sound/fmod/System.h"

#include "sound/fmod/Channel.h"
#include "sound/fmod/ChannelGroup.h"
#include "sound/fmod/ForkGuard.h"
#include "sound/fmod/MixWriter.h"
#include "sound/fmod/Sound.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace FMOD {

namespace {

// Often enough that a buffer of 2,048 frames is replaced long before the
// queue of six runs dry, rarely enough to cost nothing measurable.
constexpr std::chrono::milliseconds streamPeriod(10);
constexpr int mostChannels = 4093;
// The save thread is woken for each save; it has nothing to do in between.
constexpr std::chrono::milliseconds savePeriod(std::chrono::hours(1));

} // namespace

System::System() : output(makeOutput())
{
    ForkGuard::add(*this);
}

System::~System() = default;

FMOD_RESULT System::getVersion(unsigned int* version)
{
    if (!version)
        return FMOD_ERR_INVALID_PARAM;
    *version = FMOD_VERSION;
    return FMOD_OK;
}

void System::listDrivers()
{
    if (driversListed)
        return;
    drivers = output->listDrivers();
    driversListed = true;
}

FMOD_RESULT System::getNumDrivers(int* numdrivers)
{
    if (!numdrivers)
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(mutex);
    if (outputType == FMOD_OUTPUTTYPE_NOSOUND) {
        *numdrivers = 0;
        return FMOD_OK;
    }
    listDrivers();
    *numdrivers = static_cast<int>(drivers.size());
    return FMOD_OK;
}

FMOD_RESULT System::getDriverInfo(int id, char* name, int namelen, FMOD_GUID*)
{
    std::lock_guard<std::mutex> lock(mutex);
    listDrivers();
    if (id < 0 || id >= static_cast<int>(drivers.size()) || (name && namelen < 1))
        return FMOD_ERR_INVALID_PARAM;
    if (name) {
        size_t length = std::min(drivers[id].name.size(), static_cast<size_t>(namelen - 1));
        std::memcpy(name, drivers[id].name.data(), length);
        name[length] = '\0';
    }
    return FMOD_OK;
}

FMOD_RESULT System::getDriverCaps(int id, FMOD_CAPS* caps, int* controlpaneloutputrate,
    FMOD_SPEAKERMODE* controlpanelspeakermode)
{
    std::lock_guard<std::mutex> lock(mutex);
    listDrivers();
    if (id < 0 || id >= static_cast<int>(drivers.size()))
        return FMOD_ERR_INVALID_PARAM;
    if (caps)
        *caps = drivers[id].caps;
    if (controlpaneloutputrate)
        *controlpaneloutputrate = drivers[id].rate;
    if (controlpanelspeakermode)
        *controlpanelspeakermode = drivers[id].speakerMode;
    return FMOD_OK;
}

FMOD_RESULT System::setOutput(FMOD_OUTPUTTYPE type)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (initialised)
        return FMOD_ERR_INITIALIZED;
    if (type != FMOD_OUTPUTTYPE_AUTODETECT && type != FMOD_OUTPUTTYPE_NOSOUND)
        return FMOD_ERR_INVALID_PARAM;
    outputType = type;
    return FMOD_OK;
}

FMOD_RESULT System::getOutput(FMOD_OUTPUTTYPE* type)
{
    if (!type)
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(mutex);
    *type = outputType;
    return FMOD_OK;
}

FMOD_RESULT System::setSpeakerMode(FMOD_SPEAKERMODE speakermode)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (initialised)
        return FMOD_ERR_INITIALIZED;
    if (speakermode < FMOD_SPEAKERMODE_RAW || speakermode > FMOD_SPEAKERMODE_7POINT1)
        return FMOD_ERR_INVALID_PARAM;
    settings.speakerMode = speakermode;
    return FMOD_OK;
}

FMOD_RESULT System::setDSPBufferSize(unsigned int bufferlength, int numbuffers)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (initialised)
        return FMOD_ERR_INITIALIZED;
    if (bufferlength == 0 || numbuffers < 2)
        return FMOD_ERR_INVALID_PARAM;
    settings.dspBufferLength = bufferlength;
    settings.dspBufferCount = numbuffers;
    return FMOD_OK;
}

FMOD_RESULT System::setSoftwareFormat(int samplerate, FMOD_SOUND_FORMAT format, int numoutputchannels, int,
    FMOD_DSP_RESAMPLER resamplemethod)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (initialised)
        return FMOD_ERR_INITIALIZED;
    if (samplerate < 8000 || samplerate > 192000
        || (format != FMOD_SOUND_FORMAT_PCM16 && format != FMOD_SOUND_FORMAT_PCMFLOAT) || numoutputchannels < 0
        || resamplemethod != FMOD_DSP_RESAMPLER_LINEAR)
        return FMOD_ERR_INVALID_PARAM;
    settings.sampleRate = samplerate;
    settings.format = format;
    settings.resampler = resamplemethod;
    return FMOD_OK;
}

FMOD_RESULT System::init(int maxchannels, FMOD_INITFLAGS, void*)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (initialised)
        return FMOD_ERR_INITIALIZED;
    if (maxchannels < 1 || maxchannels > mostChannels)
        return FMOD_ERR_INVALID_PARAM;
    if (outputType != FMOD_OUTPUTTYPE_NOSOUND) {
        listDrivers();
        if (drivers.empty()) {
            outputType = FMOD_OUTPUTTYPE_NOSOUND;
        } else {
            FMOD_RESULT result = output->open(drivers.front(), settings);
            if (result != FMOD_OK)
                return result;
        }
    }
    audible = outputType != FMOD_OUTPUTTYPE_NOSOUND && output->audible();
    slots.resize(static_cast<size_t>(maxchannels));
    initialised = true;
    // The save thread starts with the first save: a process that never saves
    // (and a silent one, which has no stream thread either) has no thread
    // that a forked child would lack.
    if (audible)
        streamThread.start([this] { serviceStreams(); }, streamPeriod);
    return FMOD_OK;
}

void System::serviceStreams()
{
    std::lock_guard<std::mutex> lock(mutex);
    for (ChannelSlot& slot : slots) {
        if (!slot.inUse || slot.finished)
            continue;
        switch (slot.service()) {
        case ChannelSlot::Service::Ended:
            slot.finished = true;
            break;
        case ChannelSlot::Service::RanDry:
            slot.rejoin(leaderFor(slot));
            break;
        case ChannelSlot::Service::Fed:
            break;
        }
    }
}

FMOD_RESULT System::update()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!initialised)
        return FMOD_ERR_UNINITIALIZED;
    for (size_t i = 0; i < slots.size(); ++i) {
        ChannelSlot& slot = slots[i];
        if (!slot.inUse)
            continue;
        // Heard channels learn of their end on the stream thread.
        if (!audible && slot.service() == ChannelSlot::Service::Ended)
            slot.finished = true;
        if (slot.finished)
            freeSlot(static_cast<int>(i));
    }
    return FMOD_OK;
}

FMOD_RESULT System::release()
{
    // The threads take the lock: stop them before taking it here. A save
    // still running gives up and leaves no file.
    streamThread.stop();
    cancelSave = true;
    saveThread.stop();
    ForkGuard::remove(*this);
    {
        std::lock_guard<std::mutex> lock(mutex);
        for (size_t i = 0; i < slots.size(); ++i)
            if (slots[i].inUse)
                freeSlot(static_cast<int>(i));
        for (ChannelSlot& slot : slots)
            slot.destroyVoice();
        output->close();
        // Streams the game did not release itself.
        for (Sound* sound : sounds)
            delete sound;
        sounds.clear();
    }
    delete this;
    return FMOD_OK;
}

FMOD_RESULT System::setStreamBufferSize(unsigned int filebuffersize, FMOD_TIMEUNIT filebuffersizetype)
{
    if (filebuffersizetype != FMOD_TIMEUNIT_RAWBYTES)
        return FMOD_ERR_UNSUPPORTED;
    if (filebuffersize == 0)
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(mutex);
    streamBufferBytes = filebuffersize;
    return FMOD_OK;
}

FMOD_RESULT System::createStream(const char* name_or_data, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO* exinfo,
    Sound** sound)
{
    if (!sound || !name_or_data)
        return FMOD_ERR_INVALID_PARAM;
    *sound = nullptr;
    if (exinfo)
        return FMOD_ERR_UNSUPPORTED;
    unsigned int bufferBytes;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!initialised)
            return FMOD_ERR_UNINITIALIZED;
        bufferBytes = streamBufferBytes;
    }
    // Opening reads the file: keep the lock free for the stream thread.
    Sound* created = new Sound(*this, mode, name_or_data);
    FMOD_RESULT result = created->decoder.open(name_or_data, bufferBytes);
    if (result != FMOD_OK) {
        delete created;
        return result;
    }
    std::lock_guard<std::mutex> lock(mutex);
    sounds.push_back(created);
    *sound = created;
    return FMOD_OK;
}

FMOD_RESULT System::playSound(FMOD_CHANNELINDEX channelid, Sound* sound, bool paused, Channel** channel)
{
    if (channel)
        *channel = nullptr;
    if (channelid != FMOD_CHANNEL_FREE || !sound)
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(mutex);
    if (!initialised)
        return FMOD_ERR_UNINITIALIZED;
    // One decoder per stream: a second play takes it over from the first.
    if (sound->slot >= 0)
        freeSlot(sound->slot);
    auto free = std::find_if(slots.begin(), slots.end(), [](const ChannelSlot& slot) { return !slot.inUse; });
    if (free == slots.end())
        return FMOD_ERR_CHANNEL_ALLOC;
    int index = static_cast<int>(free - slots.begin());
    FMOD_RESULT result = free->begin(*sound, audible, output->resamplerIndex());
    if (result != FMOD_OK)
        return result;
    sound->slot = index;
    free->timeline = newTimeline();
    if (!paused) {
        free->paused = false;
        refreshSlot(*free);
    }
    if (channel) {
        handles.push_back(std::unique_ptr<Channel>(new Channel(this, index, free->generation)));
        *channel = handles.back().get();
    }
    return FMOD_OK;
}

FMOD_RESULT System::createChannelGroup(const char*, ChannelGroup** channelgroup)
{
    if (!channelgroup)
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(mutex);
    if (!initialised)
        return FMOD_ERR_UNINITIALIZED;
    groups.push_back(std::unique_ptr<ChannelGroup>(new ChannelGroup(*this)));
    *channelgroup = groups.back().get();
    return FMOD_OK;
}

ChannelSlot* System::find(const Channel& channel)
{
    if (channel.slot < 0 || channel.slot >= static_cast<int>(slots.size()))
        return nullptr;
    ChannelSlot& slot = slots[static_cast<size_t>(channel.slot)];
    if (!slot.inUse || slot.generation != channel.generation)
        return nullptr;
    return &slot;
}

void System::freeSlot(int index)
{
    ChannelSlot& slot = slots[static_cast<size_t>(index)];
    if (slot.playback.sound)
        slot.playback.sound->slot = -1;
    slot.end();
}

void System::refreshGroup(const ChannelGroup& group)
{
    for (ChannelSlot& slot : slots)
        if (slot.inUse && slot.group == &group)
            refreshSlot(slot);
}

void System::refreshSlot(ChannelSlot& slot)
{
    slot.refresh(leaderFor(slot));
}

ChannelSlot* System::leaderFor(const ChannelSlot& slot)
{
    for (ChannelSlot& other : slots)
        if (&other != &slot && other.inUse && !other.finished && other.timeline == slot.timeline && other.playing())
            return &other;
    return nullptr;
}

unsigned int System::newTimeline()
{
    return ++timelines;
}

void System::forgetSound(Sound& sound)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (sound.slot >= 0)
        freeSlot(sound.slot);
    sounds.erase(std::remove(sounds.begin(), sounds.end(), &sound), sounds.end());
}

FMOD_RESULT System::saveMix(Sound* const* sounds, int count, float volume, const char* path)
{
    if (!sounds || count < 1 || count > mostMixedSounds || !path || !std::isfinite(volume)
        || std::strlen(path) >= sizeof mixRequest.path)
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(mutex);
    if (!initialised)
        return FMOD_ERR_UNINITIALIZED;
    if (saveState == SaveState::Asked || saveState == SaveState::Running)
        return FMOD_ERR_NOTREADY;
    std::copy(sounds, sounds + count, mixRequest.sounds);
    mixRequest.count = count;
    mixRequest.volume = volume < 0.0f ? 0.0f : volume;
    std::strcpy(mixRequest.path, path);
    saveState = SaveState::Asked;
    // Started by the first save; a forked child has none of the parent's threads.
    if (!saveThread.running())
        saveThread.start([this] { serviceMixSave(); }, savePeriod);
    saveThread.wake();
    return FMOD_OK;
}

FMOD_RESULT System::getMixSave(bool* finished, bool* saved, char* reason, int reasonlength)
{
    if (!finished || !saved || (reason && reasonlength < 1))
        return FMOD_ERR_INVALID_PARAM;
    std::lock_guard<std::mutex> lock(mutex);
    *finished = saveState == SaveState::Finished;
    *saved = *finished && saveProblem.empty();
    if (reason) {
        size_t length = *finished ? std::min(saveProblem.size(), static_cast<size_t>(reasonlength - 1)) : 0;
        std::memcpy(reason, saveProblem.data(), length);
        reason[length] = '\0';
    }
    if (*finished)
        saveState = SaveState::Idle;
    return FMOD_OK;
}

void System::serviceMixSave()
{
    std::vector<std::string> files;
    float volume = 1.0f;
    std::string path;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (saveState != SaveState::Asked)
            return;
        for (int i = 0; i < mixRequest.count; ++i) {
            Sound* sound = mixRequest.sounds[i];
            if (std::find(sounds.begin(), sounds.end(), sound) != sounds.end())
                files.push_back(sound->path);
        }
        volume = mixRequest.volume;
        path = mixRequest.path;
        saveState = SaveState::Running;
    }
    // Decoding runs flat out: on a machine of few cores the frames come first.
    if (!saverLowered) {
        setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
        saverLowered = true;
    }
    std::string problem = files.empty() ? "its songs were closed" : writeLoopMix(files, volume, path, cancelSave);
    std::lock_guard<std::mutex> lock(mutex);
    saveProblem = problem;
    saveState = SaveState::Finished;
}

void System::continueSilentlyAfterFork()
{
    streamThread.abandon();
    saveThread.abandon();
    saverLowered = false;
    // The parent's save is the parent's.
    if (saveState != SaveState::Finished)
        saveState = SaveState::Idle;
    output->abandon();
    for (ChannelSlot& slot : slots)
        slot.continueSilently();
    audible = false;
}

} // namespace FMOD

FMOD_RESULT FMOD_System_Create(FMOD::System** system)
{
    if (!system)
        return FMOD_ERR_INVALID_PARAM;
    *system = new FMOD::System();
    return FMOD_OK;
}
