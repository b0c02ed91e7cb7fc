#pragma once

#include "sound/fmod/Output.h"

#include <AL/alc.h>

namespace FMOD {

// Output through OpenAL Soft: lists the playback devices that really open
// (a machine without a sound card still lists "ALSA Default"), opens one and
// makes its context current for the channels' sources. Keeps OpenAL, ALSA,
// JACK and PipeWire quiet on the console unless the user asked OpenAL for a
// log level.
class OpenALOutput : public Output {
public:
    OpenALOutput() = default;
    ~OpenALOutput() override;
    OpenALOutput(const OpenALOutput&) = delete;
    OpenALOutput& operator=(const OpenALOutput&) = delete;

    std::vector<DriverInfo> listDrivers() override;
    FMOD_RESULT open(const DriverInfo& driver, const OutputSettings& settings) override;
    bool audible() const override { return context != nullptr; }
    int resamplerIndex() const override { return resampler; }
    void close() override;
    void abandon() override;

private:
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    int resampler = -1;
};

} // namespace FMOD
