#include "platform/GlfwWindow.h"

#include <GLFW/glfw3.h>

#include <algorithm>

namespace platform {

namespace {

// The monitor that holds most of the rectangle, the primary one when none
// holds any of it.
GLFWmonitor* monitorHolding(int x, int y, int width, int height)
{
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    GLFWmonitor* best = glfwGetPrimaryMonitor();
    long bestArea = 0;
    for (int i = 0; i < count; ++i) {
        const GLFWvidmode* mode = glfwGetVideoMode(monitors[i]);
        if (!mode)
            continue;
        int left = 0;
        int top = 0;
        glfwGetMonitorPos(monitors[i], &left, &top);
        const long across = std::min(x + width, left + mode->width) - std::max(x, left);
        const long down = std::min(y + height, top + mode->height) - std::max(y, top);
        if (across > 0 && down > 0 && across * down > bestArea) {
            bestArea = across * down;
            best = monitors[i];
        }
    }
    return best;
}

} // namespace

void GlfwWindow::attach(GLFWwindow* newWindow)
{
    window = newWindow;
    if (!window)
        return;
    glfwGetWindowSize(window, &windowedWidth, &windowedHeight);
    if (GLFWmonitor* monitor = glfwGetWindowMonitor(window)) {
        const GLFWvidmode* mode = glfwGetVideoMode(monitor);
        int left = 0;
        int top = 0;
        glfwGetMonitorPos(monitor, &left, &top);
        windowedX = left + (mode ? std::max(0, (mode->width - windowedWidth) / 2) : 0);
        windowedY = top + (mode ? std::max(0, (mode->height - windowedHeight) / 2) : 0);
    } else {
        glfwGetWindowPos(window, &windowedX, &windowedY);
    }
}

void GlfwWindow::framebufferSize(int* width, int* height) const
{
    *width = 0;
    *height = 0;
    if (window)
        glfwGetFramebufferSize(window, width, height);
}

bool GlfwWindow::iconified() const
{
    return window && glfwGetWindowAttrib(window, GLFW_ICONIFIED);
}

bool GlfwWindow::focused() const
{
    return window && glfwGetWindowAttrib(window, GLFW_FOCUSED);
}

bool GlfwWindow::isFullScreen() const
{
    return window && glfwGetWindowMonitor(window);
}

void GlfwWindow::setFullScreen(bool fullScreen)
{
    if (!window || fullScreen == isFullScreen())
        return;
    if (!fullScreen) {
        glfwSetWindowMonitor(window, nullptr, windowedX, windowedY, windowedWidth, windowedHeight, GLFW_DONT_CARE);
        return;
    }
    glfwGetWindowPos(window, &windowedX, &windowedY);
    glfwGetWindowSize(window, &windowedWidth, &windowedHeight);
    GLFWmonitor* monitor = monitorHolding(windowedX, windowedY, windowedWidth, windowedHeight);
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (mode)
        glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
}

void largestMonitorMode(int* width, int* height)
{
    *width = 0;
    *height = 0;
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    for (int i = 0; i < count; ++i)
        if (const GLFWvidmode* mode = glfwGetVideoMode(monitors[i])) {
            *width = std::max(*width, mode->width);
            *height = std::max(*height, mode->height);
        }
}

} // namespace platform
