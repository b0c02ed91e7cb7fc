#include "platform/ScriptedPlatform.h"

#include "platform/ProcessStatus.h"
#include "platform/Screenshot.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

// Processor time of all the process's threads, the renderer's included.
double processorMilliseconds()
{
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) * 1000.0 + static_cast<double>(used.tv_nsec) * 1e-6;
}

// Seconds since the kernel started this process (field 22 of
// /proc/self/stat, in clock ticks since boot), so the dynamic loading and
// static set-up before main count too.
double secondsSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The command name may hold spaces; the fields after it are plain.
    size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1.0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    for (int i = 3; i < 22 && fields >> field; ++i) {
    }
    unsigned long long startTicks = 0;
    if (!(fields >> startTicks))
        return -1.0;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) + now.tv_nsec * 1e-9 - double(startTicks) / double(sysconf(_SC_CLK_TCK));
}

// Live GL objects among the first names of each kind: the game makes a few
// hundred, so a leak shows as growth here.
long liveGlObjects()
{
    long count = 0;
    for (GLuint name = 1; name <= 4096; ++name)
        count += glIsBuffer(name) + glIsTexture(name) + glIsVertexArray(name) + glIsFramebuffer(name)
            + glIsRenderbuffer(name) + glIsProgram(name) + glIsShader(name);
    return count;
}

// As a window manager does: the X server takes the size at once, and the
// frame after sees it.
void resizeWindow(GLFWwindow* window, int width, int height)
{
    glfwSetWindowSize(window, width, height);
    int shownWidth = 0;
    int shownHeight = 0;
    for (int wait = 0; wait < 200; ++wait) {
        glfwGetWindowSize(window, &shownWidth, &shownHeight);
        if (shownWidth == width && shownHeight == height)
            return;
        glfwWaitEventsTimeout(0.01);
    }
    std::cerr << "clankora-bot: the window did not take the size " << width << " x " << height << std::endl;
}

} // namespace

ScriptedPlatform::ScriptedPlatform(InputDriver& driver, double timeStep, std::string shotDirectory, long maxFrames)
    : driver(driver), timeStep(timeStep), shotDirectory(std::move(shotDirectory)), maxFrames(maxFrames)
{
}

void ScriptedPlatform::attach(GLFWwindow* newWindow)
{
    window = newWindow;
    frame.attach(window);
}

bool ScriptedPlatform::isKeyDown(int key)
{
    if (done && key == GLFW_KEY_ESCAPE)
        return true;
    if (key < 0 || key > GLFW_KEY_LAST || current.unfocused)
        return false;
    return current.keys.test(static_cast<size_t>(key));
}

bool ScriptedPlatform::isMouseButtonDown(int button)
{
    if (button < 0 || button > GLFW_MOUSE_BUTTON_LAST || current.unfocused)
        return false;
    return current.buttons.test(static_cast<size_t>(button));
}

void ScriptedPlatform::getCursorPos(double* x, double* y)
{
    *x = cursorX;
    *y = cursorY;
}

void ScriptedPlatform::setCursorPos(double x, double y)
{
    cursorX = x;
    cursorY = y;
}

void ScriptedPlatform::disableCursor()
{
}

bool ScriptedPlatform::windowShouldClose()
{
    return window && glfwWindowShouldClose(window);
}

double ScriptedPlatform::getTime()
{
    // The frame loop reads the clock once per frame, before this frame's poll:
    // frame n sees (n + 1) steps, so every deltaTime, the first included, is one step.
    return static_cast<double>(polled + 1) * timeStep;
}

double ScriptedPlatform::millisecondsSinceStart()
{
    // The game time of the frame whose input is being read.
    return static_cast<double>(polled) * timeStep * 1000.0;
}

void ScriptedPlatform::swapBuffers()
{
    if (!pendingShot.empty() && !shotDirectory.empty() && window) {
        int width = 0;
        int height = 0;
        glfwGetFramebufferSize(window, &width, &height);
        const std::string path = shotDirectory + "/" + pendingShot + ".png";
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        if (saveScreenshot(path, width, height)) {
            ++saved;
        } else {
            ++failed;
            std::cerr << "clankora-bot: could not save " << path << std::endl;
        }
    }
    pendingShot.clear();
    if (window)
        glfwSwapBuffers(window);
    if (frameTimes) {
        const auto now = std::chrono::steady_clock::now();
        const double processor = processorMilliseconds();
        if (swaps == 0)
            std::fprintf(frameTimes, "# first-frame-seconds %.3f\n", secondsSinceProcessStart());
        else
            std::fprintf(frameTimes, "%ld %s %.3f %.3f %.2f\n", swaps, phase.c_str(),
                std::chrono::duration<double, std::milli>(now - lastSwap).count(),
                processor - lastProcessorMilliseconds, frameScale ? frameScale() : 1.0f);
        lastSwap = now;
        lastProcessorMilliseconds = processor;
        ++swaps;
        if (resourcePeriod > 0 && swaps % resourcePeriod == 0)
            std::fprintf(frameTimes, "# resources %ld %ld %ld\n", swaps, processStatusKilobytes("VmRSS"), liveGlObjects());
    }
}

void ScriptedPlatform::pollEvents()
{
    if (window)
        glfwPollEvents();
    ++polled;
    if (done || (maxFrames >= 0 && polled >= maxFrames) || !driver.nextFrame(current)) {
        done = true;
        current = FrameInput();
        // A pad stays plugged in, let go, so the end of a script is no pulling out.
        const bool connected = pad.connected;
        pad = GamepadState();
        pad.connected = connected;
        if (connected)
            pad.name = scriptedGamepadName;
        return;
    }
    pad = current.pad;
    if (current.unfocused)
        pad = GamepadState{pad.connected};
    if (pad.connected)
        pad.name = scriptedGamepadName;
    // Without the focus the pointer still moves over the window, as the
    // desktop's; the game must not look around with it.
    cursorX += current.mouseDx;
    cursorY += current.mouseDy;
    if (current.resizeWidth > 0 && window)
        resizeWindow(window, current.resizeWidth, current.resizeHeight);
    pendingShot = current.shot;
    if (!current.mark.empty())
        phase = current.mark;
}

void ScriptedPlatform::getFramebufferSize(int* width, int* height)
{
    if (current.minimised) {
        *width = 0;
        *height = 0;
        return;
    }
    frame.framebufferSize(width, height);
}

bool ScriptedPlatform::isFocused()
{
    return !current.unfocused;
}

void ScriptedPlatform::releaseCursor()
{
}

bool ScriptedPlatform::isFullScreen()
{
    return frame.isFullScreen();
}

void ScriptedPlatform::setFullScreen(bool fullScreen)
{
    frame.setFullScreen(fullScreen);
}

void ScriptedPlatform::waitWhileHidden(double seconds)
{
    // As long as the game's loop would wait, so that what the wall clock
    // sees of a minimised window is the player's.
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

} // namespace platform
