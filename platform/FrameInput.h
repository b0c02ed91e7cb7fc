#pragma once

#include "platform/GamepadState.h"

#include <GLFW/glfw3.h>

#include <bitset>
#include <string>

namespace platform {

// What a scripted player does during one frame.
struct FrameInput {
    std::bitset<GLFW_KEY_LAST + 1> keys;             // held keys by GLFW code
    std::bitset<GLFW_MOUSE_BUTTON_LAST + 1> buttons; // held mouse buttons
    double mouseDx = 0.0;                            // cursor motion in pixels
    double mouseDy = 0.0;
    GamepadState pad;                                // its name is the platform's
    std::string shot; // when set, the next frame drawn is saved as shot + ".png"
    std::string mark; // when set, the frame times from this frame on count for this phase
    // The window as a window manager leaves it: resized before this frame
    // (0: as it was), minimised, or without the focus.
    int resizeWidth = 0;
    int resizeHeight = 0;
    bool minimised = false;
    bool unfocused = false;
};

// The name the scripted back-ends give their gamepad.
constexpr const char* scriptedGamepadName = "Scripted gamepad";

// A source of scripted input, asked once per frame.
class InputDriver {
public:
    virtual ~InputDriver() = default;
    // Fills the input of the next frame; false when there is nothing more to play.
    virtual bool nextFrame(FrameInput& input) = 0;
};

} // namespace platform
