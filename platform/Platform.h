#pragma once

#include "platform/GamepadState.h"

struct GLFWwindow;

namespace platform {

// The seam through which input and time reach the game: everything the frame
// loop polls. The GLFW back-end asks the window; the scripted back-end answers
// from a script with a fixed time step, so tests and the bot play the real game
// through the same code paths as a player's keyboard and mouse.
class Platform {
public:
    virtual ~Platform() = default;

    // Called by the start-up once the window and its GL context exist.
    virtual void attach(GLFWwindow* window) = 0;

    virtual bool isKeyDown(int key) = 0;             // GLFW key code
    virtual bool isMouseButtonDown(int button) = 0;  // GLFW mouse button
    virtual void getCursorPos(double* x, double* y) = 0;
    virtual void setCursorPos(double x, double y) = 0;
    virtual void disableCursor() = 0;                // hidden and captured
    virtual bool windowShouldClose() = 0;

    virtual double getTime() = 0;               // seconds since GLFW started
    virtual double millisecondsSinceStart() = 0; // the process clock

    virtual void swapBuffers() = 0;
    virtual void pollEvents() = 0;

    // The window, polled once a frame like the input.
    // The framebuffer in pixels; 0 x 0 while the window is minimised.
    virtual void getFramebufferSize(int* width, int* height) = 0;
    virtual bool isFocused() = 0;
    virtual void releaseCursor() = 0; // shown and free to leave the window
    virtual bool isFullScreen() = 0;
    // Full screen on the monitor the window is on, at that monitor's current
    // mode; back to the window's size and place from before.
    virtual void setFullScreen(bool fullScreen) = 0;
    // The frame loop's pause while there is nothing to draw: returns after
    // the seconds or at the next event, whichever comes first.
    virtual void waitWhileHidden(double seconds) = 0;
    // The gamepad as pollEvents last read it: the first one plugged in that
    // GLFW has a gamepad mapping for; not connected while there is none.
    virtual const GamepadState& gamepad() = 0;
};

// The back-end the game polls; set by the start-up.
Platform& active();
void setActive(Platform* platform);

} // namespace platform
