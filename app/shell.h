#pragma once

struct GLFWwindow;
struct FrameViewport;

namespace platform {
class Platform;
}

// What one finished frame looked like; handed to the frame observer.
struct FrameReport {
    long frameIndex;  // 0 for the first frame
    int framePhase;   // the frame parity: 1 on the first frame
    float deltaTime;  // seconds since the previous frame
    bool keepRunning; // false on the last frame
};

using FrameObserver = void (*)(const FrameReport&);

// Tests and benchmarks watch the frame loop through this hook; null by default.
void setFrameObserver(FrameObserver observer);

// Called after each rendering step of a frame with the step's name: tests
// check for GL errors there, benchmarks read the clock.
using FrameStepObserver = void (*)(const char* step);

// The frame's rendering, steps 4 to 11 of the frame loop: the spotlights turn,
// the shadow maps are drawn, the scene goes to the back buffer of the
// viewport's window size and the glow is kept for the next frame; the default
// framebuffer is bound at the end. A viewport with nothing to draw (a
// minimised window) stops after the spotlights' turn and the stacks' order.
// Every step skips what the registry does not hold yet.
void renderFrame(int framePhase, float deltaTime, const FrameViewport& view, FrameStepObserver afterStep = nullptr);

// Step 8 alone: the back buffer bound, the camera program current and the
// viewport the whole window, as the lit pass expects them. The frame
// rendering clears the back buffer as far as the frame needs it.
void prepareDefaultFramebuffer(const FrameViewport& view);

// Starts GLFW, reads "Resolution.ini" and opens the game's window with its
// 3.2 core context current. A failure prints its line and ends the process
// with exit status -1.
GLFWwindow* openWindow();

// The game: start-up, the frame loop and shutdown, with input and time taken
// from the given back-end. swapInterval is asked of the context once it is
// current: 1 waits for the display's vertical sync, 0 (the bot's, so that its
// timings stay comparable) does not. Returns 0 after a normal end; fatal
// start-up failures end the process with exit status -1.
int runClankora(platform::Platform& platform, int swapInterval = 0);
