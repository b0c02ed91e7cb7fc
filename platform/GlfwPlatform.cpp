#include "platform/GlfwPlatform.h"

#include "platform/plainFile.h"

#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>
#include <iostream>

namespace platform {

namespace {
// Taken during static set-up, before main runs.
const std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();

static_assert(GamepadState::buttonCount == GLFW_GAMEPAD_BUTTON_LAST + 1, "GLFW's gamepad buttons");
static_assert(GamepadState::axisCount == GLFW_GAMEPAD_AXIS_LAST + 1, "GLFW's gamepad axes");

// The community's file of every pad it knows is well under a megabyte.
constexpr long mappingsLimit = 16L * 1024 * 1024;

int unreadMappings = 0;

void countUnreadMapping(int code, const char*)
{
    if (code == GLFW_INVALID_VALUE)
        ++unreadMappings;
}

} // namespace

void loadGamepadMappings(const std::string& path)
{
    std::string text;
    std::string problem;
    const FileRead result = readPlainFile(path, mappingsLimit, text, problem);
    if (result == FileRead::refused)
        std::cerr << path << ": " << problem << "; its gamepad mappings are left out" << std::endl;
    if (result != FileRead::read)
        return;
    // GLFW skips a line it cannot read and tells only its error callback.
    unreadMappings = 0;
    GLFWerrorfun previous = glfwSetErrorCallback(countUnreadMapping);
    glfwUpdateGamepadMappings(text.c_str());
    glfwSetErrorCallback(previous);
    if (unreadMappings > 0)
        std::cerr << path << ": " << unreadMappings << (unreadMappings == 1 ? " line is" : " lines are")
                  << " no gamepad mapping GLFW can read" << std::endl;
}

void GlfwPlatform::attach(GLFWwindow* newWindow)
{
    window = newWindow;
    frame.attach(window);
    if (!mappingsPath.empty())
        loadGamepadMappings(mappingsPath);
    pollGamepad();
}

bool GlfwPlatform::isKeyDown(int key)
{
    return glfwGetKey(window, key) == GLFW_PRESS;
}

bool GlfwPlatform::isMouseButtonDown(int button)
{
    return glfwGetMouseButton(window, button) == GLFW_PRESS;
}

void GlfwPlatform::getCursorPos(double* x, double* y)
{
    glfwGetCursorPos(window, x, y);
}

void GlfwPlatform::setCursorPos(double x, double y)
{
    glfwSetCursorPos(window, x, y);
}

void GlfwPlatform::disableCursor()
{
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
}

bool GlfwPlatform::windowShouldClose()
{
    return glfwWindowShouldClose(window);
}

double GlfwPlatform::getTime()
{
    return glfwGetTime();
}

double GlfwPlatform::millisecondsSinceStart()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - processStart).count();
}

void GlfwPlatform::swapBuffers()
{
    glfwSwapBuffers(window);
}

void GlfwPlatform::pollEvents()
{
    glfwPollEvents();
    pollGamepad();
}

void GlfwPlatform::pollGamepad()
{
    if (padJoystick >= 0 && !glfwJoystickIsGamepad(padJoystick))
        padJoystick = -1;
    for (int joystick = GLFW_JOYSTICK_1; padJoystick < 0 && joystick <= GLFW_JOYSTICK_LAST; ++joystick) {
        if (!glfwJoystickIsGamepad(joystick))
            continue;
        padJoystick = joystick;
        const char* name = glfwGetGamepadName(joystick);
        std::snprintf(padName, sizeof padName, "%s", name ? name : "gamepad");
    }
    GLFWgamepadstate state;
    if (padJoystick < 0 || !glfwGetGamepadState(padJoystick, &state)) {
        pad = GamepadState();
        return;
    }
    pad = GamepadState();
    pad.connected = true;
    pad.name = padName;
    // Without the window's focus the pad, like the keys, is someone else's.
    if (!frame.focused())
        return;
    for (int button = 0; button < GamepadState::buttonCount; ++button)
        pad.buttons[button] = state.buttons[button] == GLFW_PRESS;
    for (int axis = 0; axis < GamepadState::axisCount; ++axis)
        pad.axes[axis] = state.axes[axis];
}

void GlfwPlatform::getFramebufferSize(int* width, int* height)
{
    // X11 keeps a minimised window's size; there is nothing to draw into.
    if (frame.iconified()) {
        *width = 0;
        *height = 0;
        return;
    }
    frame.framebufferSize(width, height);
}

bool GlfwPlatform::isFocused()
{
    return frame.focused();
}

void GlfwPlatform::releaseCursor()
{
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
}

bool GlfwPlatform::isFullScreen()
{
    return frame.isFullScreen();
}

void GlfwPlatform::setFullScreen(bool fullScreen)
{
    frame.setFullScreen(fullScreen);
}

void GlfwPlatform::waitWhileHidden(double seconds)
{
    glfwWaitEventsTimeout(seconds);
}

} // namespace platform
