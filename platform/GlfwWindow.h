#pragma once

struct GLFWwindow;

namespace platform {

// What both back-ends do with the real GLFW window: read its framebuffer,
// and put it in full screen on the monitor it is on and back.
class GlfwWindow {
public:
    // A window that starts in full screen goes back to a window of the size
    // it was created at, centred on its monitor.
    void attach(GLFWwindow* window);

    void framebufferSize(int* width, int* height) const; // 0 x 0 without a window
    bool iconified() const;
    bool focused() const;
    bool isFullScreen() const;
    // At the monitor's current mode, so the monitor never changes its mode;
    // the window's size and place are kept for the way back. Where the
    // window system cannot place windows (Wayland) it places the window.
    void setFullScreen(bool fullScreen);

private:
    GLFWwindow* window = nullptr;
    int windowedX = 0;
    int windowedY = 0;
    int windowedWidth = 0;
    int windowedHeight = 0;
};

// The largest width and the largest height among the current modes of the
// connected monitors; 0 x 0 without any. Needs GLFW started.
void largestMonitorMode(int* width, int* height);

} // namespace platform
