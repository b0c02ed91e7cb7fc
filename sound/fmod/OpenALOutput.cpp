#include "sound/fmod/OpenALOutput.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

namespace FMOD {

namespace {

void silentAlsaHandler(const char*, int, const char*, int, const char*, ...) {}
void silentJackHandler(const char*) {}

// The libraries OpenAL loads print on stderr by default: ALSA a dozen
// "ALSA lib" lines when there is no card, JACK2 a few when no server runs.
// Their handlers are process-wide, so set them on the same library instances
// OpenAL will use. RTLD_NODELETE keeps our handlers installed for good.
void silenceBackendLibraries()
{
    if (void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE)) {
        using SetHandler = int (*)(void (*)(const char*, int, const char*, int, const char*, ...));
        if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
            set(silentAlsaHandler);
    }
    if (void* jack = dlopen("libjack.so.0", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE)) {
        using SetFunction = void (*)(void (*)(const char*));
        if (auto set = reinterpret_cast<SetFunction>(dlsym(jack, "jack_set_error_function")))
            set(silentJackHandler);
        if (auto set = reinterpret_cast<SetFunction>(dlsym(jack, "jack_set_info_function")))
            set(silentJackHandler);
    }
}

// OpenAL reads ALSOFT_LOGLEVEL once, when its first enumeration or device
// opening initialises the library, and prints its errors by default. Newer
// OpenAL Soft tries PipeWire in that same first use, and PipeWire's library
// prints warnings and errors (a missing client.conf, no daemon to reach)
// unless PIPEWIRE_DEBUG, which it reads once in the same initialisation,
// says otherwise. Unless the user chose OpenAL's level, that first use runs
// with both levels at 0 (a PipeWire level the user set stays as it is), and
// the variables are taken away again afterwards, so that child processes see
// the environment the player set.
class QuietFirstUse {
public:
    QuietFirstUse()
    {
        static std::atomic<bool> used{false};
        if (used.exchange(true))
            return;
        if (std::getenv("ALSOFT_LOGLEVEL"))
            return;
        silenceBackendLibraries();
        setenv("ALSOFT_LOGLEVEL", "0", 1);
        setLevel = true;
        if (!std::getenv("PIPEWIRE_DEBUG")) {
            setenv("PIPEWIRE_DEBUG", "0", 1);
            setPipeWireLevel = true;
        }
    }
    ~QuietFirstUse()
    {
        if (setLevel)
            unsetenv("ALSOFT_LOGLEVEL");
        if (setPipeWireLevel)
            unsetenv("PIPEWIRE_DEBUG");
    }
    QuietFirstUse(const QuietFirstUse&) = delete;
    QuietFirstUse& operator=(const QuietFirstUse&) = delete;

private:
    bool setLevel = false;
    bool setPipeWireLevel = false;
};

std::vector<std::string> deviceNames()
{
    bool all = alcIsExtensionPresent(nullptr, "ALC_ENUMERATE_ALL_EXT");
    const ALCchar* list = alcGetString(nullptr, all ? ALC_ALL_DEVICES_SPECIFIER : ALC_DEVICE_SPECIFIER);
    const ALCchar* preferred = alcGetString(nullptr, all ? ALC_DEFAULT_ALL_DEVICES_SPECIFIER : ALC_DEFAULT_DEVICE_SPECIFIER);
    std::vector<std::string> names;
    if (preferred && *preferred)
        names.emplace_back(preferred);
    for (const ALCchar* name = list; name && *name; name += std::strlen(name) + 1)
        if (names.empty() || names.front() != name)
            names.emplace_back(name);
    return names;
}

int findLinearResampler()
{
    if (!alIsExtensionPresent("AL_SOFT_source_resampler"))
        return -1;
    using GetStringi = const ALchar*(AL_APIENTRY*)(ALenum, ALsizei);
    auto getStringi = reinterpret_cast<GetStringi>(alGetProcAddress("alGetStringiSOFT"));
    if (!getStringi)
        return -1;
    ALint count = alGetInteger(AL_NUM_RESAMPLERS_SOFT);
    for (ALint i = 0; i < count; ++i) {
        const ALchar* name = getStringi(AL_RESAMPLER_NAME_SOFT, i);
        if (name && std::strcmp(name, "Linear") == 0)
            return i;
    }
    return -1;
}

} // namespace

OpenALOutput::~OpenALOutput()
{
    close();
}

std::vector<DriverInfo> OpenALOutput::listDrivers()
{
    QuietFirstUse quiet;
    std::vector<DriverInfo> drivers;
    for (const std::string& name : deviceNames()) {
        ALCdevice* probe = alcOpenDevice(name.c_str());
        if (!probe)
            continue;
        DriverInfo info;
        info.name = name;
        ALCint rate = 0;
        alcGetIntegerv(probe, ALC_FREQUENCY, 1, &rate);
        info.rate = rate;
        // OpenAL Soft 1.19 has no query for a playback device's channel
        // layout; it mixes every source to whatever layout the device runs,
        // so the game is offered the stereo mix it feeds.
        info.speakerMode = FMOD_SPEAKERMODE_STEREO;
        alcCloseDevice(probe);
        drivers.push_back(info);
    }
    return drivers;
}

FMOD_RESULT OpenALOutput::open(const DriverInfo& driver, const OutputSettings& settings)
{
    close();
    if (settings.speakerMode != driver.speakerMode)
        return FMOD_ERR_OUTPUT_CREATEBUFFER;
    QuietFirstUse quiet;
    device = alcOpenDevice(driver.name.c_str());
    if (!device)
        return FMOD_ERR_OUTPUT_INIT;

    ALCint attributes[5] = {0, 0, 0, 0, 0};
    int used = 0;
    int rate = settings.sampleRate > 0 ? settings.sampleRate : driver.rate;
    if (settings.sampleRate > 0) {
        attributes[used++] = ALC_FREQUENCY;
        attributes[used++] = settings.sampleRate;
    }
    if (settings.dspBufferLength > 0 && rate > 0) {
        attributes[used++] = ALC_REFRESH;
        attributes[used++] = static_cast<ALCint>(rate / settings.dspBufferLength);
    }
    context = alcCreateContext(device, attributes);
    if (!context || !alcMakeContextCurrent(context)) {
        close();
        return FMOD_ERR_OUTPUT_CREATEBUFFER;
    }
    if (!alIsExtensionPresent("AL_EXT_FLOAT32")) {
        close();
        return FMOD_ERR_OUTPUT_FORMAT;
    }
    resampler = settings.resampler == FMOD_DSP_RESAMPLER_LINEAR ? findLinearResampler() : -1;
    return FMOD_OK;
}

void OpenALOutput::close()
{
    if (context) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        context = nullptr;
    }
    if (device) {
        alcCloseDevice(device);
        device = nullptr;
    }
}

void OpenALOutput::abandon()
{
    context = nullptr;
    device = nullptr;
}

} // namespace FMOD
