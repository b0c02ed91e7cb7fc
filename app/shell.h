#pragma once

struct GLFWwindow;

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
