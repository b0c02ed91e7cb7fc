#pragma once

#include <GL/glew.h>

// How a pass begins: its target, viewport, clears, depth test and polygon
// offset, all stated by the pass itself, so that none relies on what another
// pass (or another folder) left behind.
struct PassSetup {
    GLuint framebuffer = 0; // 0: the window's back buffer
    GLsizei width = 0;      // the viewport, from the lower-left corner
    GLsizei height = 0;
    GLbitfield clear = 0;
    bool clearWholeTarget = true; // false: the clear keeps to the viewport
    bool depthTest = true;
    float offsetFactor = 0.0f;
    float offsetUnits = 0.0f;
};

void beginPass(const PassSetup& pass);

// The window's framebuffer with its back buffer to draw into.
void bindWindowFramebuffer();
