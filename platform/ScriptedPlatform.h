#pragma once

#include "platform/FrameInput.h"
#include "platform/GlfwWindow.h"
#include "platform/Platform.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace platform {

// The bot's back-end: input comes from an InputDriver, one FrameInput per
// frame, and time advances by a fixed step per frame. When the driver has no
// more input (or the frame limit is reached) Escape reads as held, so the game
// ends the way a player ends it.
class ScriptedPlatform : public Platform {
public:
    // shotDirectory empty: screenshots are not saved. maxFrames < 0: no limit.
    ScriptedPlatform(InputDriver& driver, double timeStep, std::string shotDirectory = "", long maxFrames = -1);

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
    // The script's window: resized and put in full screen for real,
    // minimised and unfocused as reported. Without the focus no key, button
    // or gamepad input comes through, and the pointer's motion is the
    // desktop's.
    void getFramebufferSize(int* width, int* height) override;
    bool isFocused() override;
    void releaseCursor() override;
    bool isFullScreen() override;
    void setFullScreen(bool fullScreen) override;
    void waitWhileHidden(double seconds) override;
    const GamepadState& gamepad() override { return pad; }

    // Writes the wall time between buffer swaps, one line per frame
    // ("FRAME PHASE MILLISECONDS CPU_MILLISECONDS SCALE"), after a first line
    // with the seconds from the process start to the first swap. Phases come
    // from the script's marks; the processor time is that of all the
    // process's threads, which the machine's other work does not stretch; the
    // scale is read from the given function at each swap (1 without one).
    void recordFrameTimes(std::FILE* out, float (*scale)() = nullptr)
    {
        frameTimes = out;
        frameScale = scale;
    }
    // Also writes "# resources FRAME RESIDENT_KB GL_OBJECTS" every that many
    // frames: the resident memory and the count of live GL names, for soaks.
    void recordResourcesEvery(long frames) { resourcePeriod = frames; }

    long framesPolled() const { return polled; }
    bool finished() const { return done; }
    // Paths of the screenshots saved so far, and of those that failed.
    int screenshotsSaved() const { return saved; }
    int screenshotsFailed() const { return failed; }

private:
    InputDriver& driver;
    double timeStep;
    std::string shotDirectory;
    long maxFrames;
    GLFWwindow* window = nullptr;
    GlfwWindow frame;
    FrameInput current;
    GamepadState pad;
    std::string pendingShot;
    double cursorX = 0.0;
    double cursorY = 0.0;
    long polled = 0;
    bool done = false;
    std::FILE* frameTimes = nullptr;
    float (*frameScale)() = nullptr;
    double lastProcessorMilliseconds = 0.0;
    long resourcePeriod = 0;
    std::string phase = "start";
    long swaps = 0;
    std::chrono::steady_clock::time_point lastSwap;
    int saved = 0;
    int failed = 0;
};

} // namespace platform
