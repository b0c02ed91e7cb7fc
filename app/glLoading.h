#pragma once

#include <GL/glew.h>

// What counts as a failed glewInit. Debian's GLEW is built for GLX: on an EGL
// context (GLFW's Wayland platform) it loads every core entry point and then
// answers GLEW_ERROR_NO_GLX_DISPLAY, because it finds no GLX display for the
// GLX extensions, which the game never calls. That answer is a success when a
// context is current and the entry points the game calls are there; any other
// answer but GLEW_OK is a failure.
bool glewLoadSucceeded(GLenum result, bool contextCurrent, bool entryPointsLoaded);

// glewInit with glewExperimental set. On a failure by the rule above prints
// "Failed to initialize glew" and ends the game with exit status -1.
void initialiseGlew();
