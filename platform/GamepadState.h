#pragma once

namespace platform {

// One gamepad as GLFW's gamepad API reports it: buttons and axes in its
// layout (GLFW_GAMEPAD_BUTTON_A ..., GLFW_GAMEPAD_AXIS_LEFT_X ...), sticks
// from -1 to 1 with right and down positive, triggers at -1 when let go.
struct GamepadState {
    static constexpr int buttonCount = 15;
    static constexpr int axisCount = 6;

    bool connected = false;
    const char* name = ""; // valid while connected
    bool buttons[buttonCount] = {};
    float axes[axisCount] = {0.0f, 0.0f, 0.0f, 0.0f, -1.0f, -1.0f};
};

} // namespace platform
