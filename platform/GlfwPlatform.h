#pragma once

#include "platform/GlfwWindow.h"
#include "platform/Platform.h"

#include <string>

namespace platform {

// The player's back-end: GLFW's keyboard, mouse, cursor, window, gamepads
// and timer, and the process clock taken when the program started.
class GlfwPlatform : public Platform {
public:
    GlfwPlatform() = default;
    // The gamepad mappings in that file (SDL's gamecontrollerdb.txt format),
    // when it exists, are added to GLFW's own once GLFW has started.
    explicit GlfwPlatform(std::string gamepadMappingsPath) : mappingsPath(std::move(gamepadMappingsPath)) {}

    void attach(GLFWwindow* window) override;
    bool isKeyDown(int key) override;
    bool isMouseButtonDown(int button) override;
    void getCursorPos(double* x, double* y) override;
    void setCursorPos(double x, double y) override;
    void disableCursor() override;
    bool windowShouldClose() override;
    double getTime() override;
    double millisecondsSinceStart() override;
    void swapBuffers() override;
    void pollEvents() override;
    void getFramebufferSize(int* width, int* height) override;
    bool isFocused() override;
    void releaseCursor() override;
    bool isFullScreen() override;
    void setFullScreen(bool fullScreen) override;
    void waitWhileHidden(double seconds) override;
    const GamepadState& gamepad() override { return pad; }

private:
    void pollGamepad();

    GLFWwindow* window = nullptr;
    GlfwWindow frame;
    std::string mappingsPath;
    int padJoystick = -1; // GLFW's joystick id of the pad in use, -1 for none
    char padName[128] = {};
    GamepadState pad;
};

// Adds the gamepad mappings in the file to GLFW's (which must have started).
// A missing file is no problem; one that cannot be read, or lines GLFW cannot
// take, give one line on standard error.
void loadGamepadMappings(const std::string& path);

} // namespace platform
