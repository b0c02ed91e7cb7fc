#pragma once

#include "app/renderScaleOption.h"

// Where the render scale of a run comes from. The mains set it before the
// game starts; without it a run draws at scale 1, as tests expect.
void setRenderScaleSetting(const RenderScaleSetting& setting);

// What a run does with its scale: draws at a fixed one, or adapts from a
// start value.
struct RenderScalePlan {
    float scale;
    bool adapting;
};

// True when GL_RENDERER names one of Mesa's software rasterizers (llvmpipe,
// softpipe, swrast), in any letter case.
bool isSoftwareRenderer(const char* renderer);

// Auto adapts only on a software rasterizer, starting from the scale that
// the window's pixel count suggests; a graphics card always draws at 1.
RenderScalePlan planRenderScale(const RenderScaleSetting& setting, const char* renderer, long windowPixels);

// With the context current and the window open: sets renderScale for the
// first frame and, when adapting, prints one line naming the renderer.
void startRenderScale(int windowWidth, int windowHeight);

// Called once per frame after the buffer swap: gives the frame's wall time
// to the controller while adapting. Allocates nothing.
void adaptRenderScale();
