#pragma once

#include "music/Score.h"
#include "music/StereoBuffer.h"

#include <cstdint>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace assetgen::music {

// Plays scores offline through FluidSynth with the General MIDI SoundFont,
// without its own reverb and chorus: those effects are ours.
class FluidRenderer {
public:
    static constexpr const char* soundFontPath = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

    FluidRenderer();
    ~FluidRenderer();
    FluidRenderer(const FluidRenderer&) = delete;
    FluidRenderer& operator=(const FluidRenderer&) = delete;

    // Renders frames of the score from a silent, freshly reset synthesizer.
    StereoBuffer render(const Score& score, int64_t frames);

private:
    void resetAndFlush();

    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    int soundFont = -1;
};

} // namespace assetgen::music
