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
