#pragma once

#include "sound/fmod/fmodCommon.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace FMOD {

// A playback device as the system offers it to the game.
struct DriverInfo {
    std::string name;
    FMOD_CAPS caps = FMOD_CAPS_NONE;
    int rate = 0; // the rate the device runs at, 0 when unknown
    FMOD_SPEAKERMODE speakerMode = FMOD_SPEAKERMODE_STEREO;
};

// What System::init asks of the device; 0 means "leave it to the device".
struct OutputSettings {
    FMOD_SPEAKERMODE speakerMode = FMOD_SPEAKERMODE_STEREO;
    int sampleRate = 0;
    FMOD_SOUND_FORMAT format = FMOD_SOUND_FORMAT_PCM16;
    FMOD_DSP_RESAMPLER resampler = FMOD_DSP_RESAMPLER_LINEAR;
    unsigned int dspBufferLength = 0;
    int dspBufferCount = 0;
};

// The device side of a system: which drivers exist and how one opens. The
// system owns one; tests put their own in its place to play a machine's part.
class Output {
public:
    virtual ~Output() = default;

    // The drivers that can actually be opened, the default one first.
    virtual std::vector<DriverInfo> listDrivers() = 0;

    // Opens a driver of the list with the settings; FMOD_OK or the error code.
    virtual FMOD_RESULT open(const DriverInfo& driver, const OutputSettings& settings) = 0;

    // True once open() has made an OpenAL context current that the channels
    // play through; false means channels run on a silent clock.
    virtual bool audible() const = 0;

    // The resampler index to give each source, -1 for OpenAL's default.
    virtual int resamplerIndex() const { return -1; }

    // Closes what open() opened; harmless when nothing is open.
    virtual void close() = 0;

    // Called in a forked child: the device and its threads belong to the
    // parent, so forget them without a single call into the library.
    virtual void abandon() = 0;
};

using OutputFactory = std::function<std::unique_ptr<Output>()>;

// The factory FMOD_System_Create uses from now on; an empty one restores the
// OpenAL output. Tests use it to stand in for drivers.
void setOutputFactory(OutputFactory factory);

std::unique_ptr<Output> makeOutput();

} // namespace FMOD
