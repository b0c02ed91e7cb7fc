#pragma once

#include <string>

// How the 3D view's scale is chosen: fixed, or adapted to the frame time
// when the renderer is a software rasterizer.
struct RenderScaleSetting {
    bool automatic = true;
    float scale = 1.0f; // the fixed scale, in [0.25, 1]; 1 while automatic
};

// Reads "auto" or a number from 0.25 to 1. False for anything else.
bool parseRenderScale(const std::string& text, RenderScaleSetting& setting);

// The setting from "--render-scale VALUE" (or "--render-scale=VALUE") among
// the arguments, or else from the environment variable CLANKORA_RENDER_SCALE
// when useEnvironment is set, or else the fallback. A bad value, or the flag
// without one, prints one line naming the program and ends the process with
// exit status 2, before any window opens. Other arguments are left alone.
RenderScaleSetting readRenderScale(int argc, char** argv, const char* program, RenderScaleSetting fallback,
    bool useEnvironment = true);
