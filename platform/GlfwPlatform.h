#pragma once

#include "platform/GlfwWindow.h"
#include "platform/Platform.h"

namespace platform {

// The player's back-end: GLFW's keyboard, mouse, cursor, window and timer,
// and the process clock taken when the program started.
class GlfwPlatform : public Platform {
public:
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

private:
    GLFWwindow* window = nullptr;
    GlfwWindow frame;
};

} // namespace platform
