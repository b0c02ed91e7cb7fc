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

// With the context current and the window open: sets the scale of the first
// frame and, when adapting, prints one line naming the renderer.
void startRenderScale(int windowWidth, int windowHeight);

// The share of the window's size, in each direction, that this frame's 3D
// view is drawn at (0.25 to 1).
float currentRenderScale();

// The controller reads what drawing costs, not how long the buffer swap
// waits for the display's vertical sync: the frame's time runs from the end
// of the last swap to the end of this frame's drawing, which
// finishRenderScaleFrame waits for (while adapting) right before the swap;
// adaptRenderScale, right after the swap, hands it to the controller. A frame
// that draws nothing (a minimised window) calls skipRenderScaleFrame
// instead of both and counts for nothing. None of them allocates.
void finishRenderScaleFrame();
void adaptRenderScale();
void skipRenderScaleFrame();
