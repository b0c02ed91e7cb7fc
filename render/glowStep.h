#pragma once

struct FrameViewport;

// Shrinks this frame's effect image into the blur stage and blurs it; the
// next frame's composition adds the result, so the glow lags the scene by
// one frame. Runs in wireframe mode too. Leaves the default framebuffer bound
// and the viewport at the glow's corner of the blur targets.
void renderGlowForNextFrame(const FrameViewport& view);
