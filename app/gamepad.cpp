#include "app/gamepad.h"

#include "platform/Platform.h"

#include <glm/geometric.hpp>

#include <cstdio>
#include <iostream>

namespace {

bool reportedConnected = false;
char reportedName[128] = {};

} // namespace

bool padButtonDown(int button)
{
    const platform::GamepadState& pad = platform::active().gamepad();
    return pad.connected && button >= 0 && button < platform::GamepadState::buttonCount && pad.buttons[button];
}

glm::vec2 padStick(int xAxis, int yAxis)
{
    const platform::GamepadState& pad = platform::active().gamepad();
    if (!pad.connected)
        return glm::vec2(0.0f);
    const glm::vec2 stick(pad.axes[xAxis], pad.axes[yAxis]);
    const float length = glm::length(stick);
    if (!(length >= stickDeadZone))
        return glm::vec2(0.0f);
    return length > 1.0f ? stick / length : stick;
}

void reportGamepadConnection()
{
    const platform::GamepadState& pad = platform::active().gamepad();
    if (pad.connected == reportedConnected)
        return;
    reportedConnected = pad.connected;
    if (pad.connected) {
        std::snprintf(reportedName, sizeof reportedName, "%s", pad.name);
        std::cout << "Gamepad connected: " << reportedName << std::endl;
    } else {
        std::cout << "Gamepad disconnected: " << reportedName << std::endl;
    }
}
