#include "platform/GlfwPlatform.h"

#include <GLFW/glfw3.h>

#include <chrono>

namespace platform {

namespace {
// Taken during static set-up, before main runs.
const std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();
} // namespace

void GlfwPlatform::attach(GLFWwindow* newWindow)
{
    window = newWindow;
    frame.attach(window);
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
