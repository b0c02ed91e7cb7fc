#pragma once

#include <GL/glew.h>

// The share of the window, in each direction, that the scene image and the
// effect image are drawn at: 1 draws every pixel. They go into the lower-left
// corner of their window-sized targets, which keep their size; the
// down-sampling pass and the composition read only that corner, and the
// composition and the notices cover the whole window. Changed between
// frames, never during one.
extern float renderScale;

// Takes the window's size from the viewport that the frame starts with, and
// the scale for the whole frame. Called by the frame rendering first.
void beginScaledFrame();

// Whether this frame draws the 3D view below scale 1.
bool sceneDrawnBelowFullScale();

// The viewport of the drawn corner, and of the whole window.
void setSceneViewport();
void setWindowViewport();

// Tells a program that reads the scene or effect image which share of the
// texture holds the picture, through its "renderScale" (vec2). The program
// must be current. A program that never hears it reads the whole texture.
void uploadRenderScale(GLuint program);

// The texels of a blur target of the given width or height that hold this
// frame's glow: the drawn share of the window, rounded up to whole texels.
// The glow is blurred in that corner alone, so that blurring costs as few
// pixels as the 3D view. GaussianBlur.frag and addtextures.frag work the same
// corner out of "renderScale" with the same float arithmetic.
GLint glowCornerWidth(GLint targetWidth);
GLint glowCornerHeight(GLint targetHeight);
// Clears the drawn corner of the bound framebuffer only: what lies outside
// it is never read while the scale stays below 1.
void clearDrawnCorner(GLbitfield buffers);
