#pragma once

#include <GL/glew.h>

// Where one frame is drawn, worked out once at its start and handed to every
// pass. The whole-frame targets are created once, at the largest size the
// game can be shown at, and never resized; each frame draws its 3D view into
// their lower-left corner: the render scale of the window's current size in
// each direction, at most what the targets hold. Where that corner is smaller
// than the window (a scale below 1, or a window larger than the targets) the
// composition stretches it over the window; the notices always cover the
// window at its own resolution.
struct FrameViewport {
    int windowWidth = 0; // the window's framebuffer in pixels; 0 x 0 while minimised
    int windowHeight = 0;
    int targetWidth = 0; // the whole-frame targets
    int targetHeight = 0;
    int sceneWidth = 0; // the drawn corner of the targets
    int sceneHeight = 0;

    // Nothing is drawn into a window without pixels.
    bool drawable() const { return sceneWidth > 0 && sceneHeight > 0; }
    // The drawn corner is stretched over the window.
    bool stretched() const { return sceneWidth != windowWidth || sceneHeight != windowHeight; }
    // The corner is only a part of the targets.
    bool cornerOnly() const { return sceneWidth != targetWidth || sceneHeight != targetHeight; }
};

// The frame's viewport for a window and the targets at a render scale
// (0.25 to 1); a window of no pixels gives a viewport with nothing to draw.
FrameViewport frameViewport(int windowWidth, int windowHeight, int targetWidth, int targetHeight, float scale);

// The viewport of the drawn corner, and of the whole window.
void setSceneViewport(const FrameViewport& view);
void setWindowViewport(const FrameViewport& view);

// Tells a program that reads the scene or effect image which share of the
// texture holds the picture, through its "renderScale" (vec2). The program
// must be current. A program that never hears it reads the whole texture.
void uploadRenderScale(GLuint program, const FrameViewport& view);

// The texels of a blur target of the given width or height that hold this
// frame's glow: the drawn share of the targets, rounded up to whole texels.
// The glow is blurred in that corner alone, so that blurring costs as few
// pixels as the 3D view. GaussianBlur.frag and addtextures.frag work the same
// corner out of "renderScale" with the same float arithmetic.
GLint glowCornerWidth(const FrameViewport& view, GLint targetWidth);
GLint glowCornerHeight(const FrameViewport& view, GLint targetHeight);

// Clears the drawn corner of the bound whole-frame target only: what lies
// outside it is never read while the corner stays that size.
void clearDrawnCorner(const FrameViewport& view, GLbitfield buffers);
