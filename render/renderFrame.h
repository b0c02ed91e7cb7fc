#pragma once

struct FrameRequest;
struct FrameViewport;

// Called after each rendering step of a frame with the step's name: tests
// check for GL errors there, benchmarks read the clock.
using FrameStepObserver = void (*)(const char* step);

// The frame's rendering, steps 4 to 11 of the frame loop: the spotlights turn,
// the shadow maps are drawn, the scene goes to the back buffer at the
// viewport's window size and the glow is kept for the next frame; the
// window's framebuffer is bound at the end. A viewport with nothing to draw
// (a minimised window) stops after the spotlights' turn and the stacks'
// order. Every step skips what the registry does not hold yet. Returns the
// lit draws that were culled.
int renderFrame(const FrameRequest& frame, FrameStepObserver afterStep = nullptr);

// Step 8 alone: the back buffer bound, the camera program current, the
// viewport the whole window and the lit pass's polygon offset (factor 0,
// units 1), as the lit pass expects them.
void prepareDefaultFramebuffer(const FrameViewport& view);
