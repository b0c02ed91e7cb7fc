#include "sound/fmod/System.h"

#include "sound/fmod/Channel.h"
#include "sound/fmod/ChannelGroup.h"
#include "sound/fmod/ForkGuard.h"
#include "sound/fmod/Sound.h"

#include <algorithm>
#include <cstring>

namespace FMOD {

namespace {

// Often enough that a buffer of 2,048 frames is replaced long before the
// queue of six runs dry, rarely enough to cost nothing measurable.
constexpr std::chrono::milliseconds streamPeriod(10);
constexpr int mostChannels = 4093;

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
    if (audible)
        streamThread.start([this] { serviceStreams(); }, streamPeriod);
    return FMOD_OK;
}

void System::serviceStreams()
{
    std::lock_guard<std::mutex> lock(mutex);
    for (ChannelSlot& slot : slots)
        if (slot.inUse && !slot.finished && !slot.service())
            slot.finished = true;
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
        if (!audible && !slot.service())
            slot.finished = true;
        if (slot.finished)
            freeSlot(static_cast<int>(i));
    }
    return FMOD_OK;
}

FMOD_RESULT System::release()
{
    // The stream thread takes the lock: stop it before taking it here.
    streamThread.stop();
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
    Sound* created = new Sound(*this, mode);
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
    if (!paused) {
        free->paused = false;
        free->refresh();
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
            slot.refresh();
}

void System::forgetSound(Sound& sound)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (sound.slot >= 0)
        freeSlot(sound.slot);
    sounds.erase(std::remove(sounds.begin(), sounds.end(), &sound), sounds.end());
}

void System::continueSilentlyAfterFork()
{
    streamThread.abandon();
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
