#pragma once

#include <istream>
#include <string>

// Window settings read from "Resolution.ini" before the window exists.
extern bool fullScreen;  // default true
extern int windowWidth;  // default 800
extern int windowHeight; // default 600

// The largest size the game can be shown at, found when the window opens:
// the largest current mode among the connected monitors, or the configured
// size where that is larger. The whole-frame targets are created at it.
extern int largestViewWidth;
extern int largestViewHeight;

// What the four lines of the configuration file say.
struct Configuration {
    bool fullScreen = true;
    int width = 800;
    int height = 600;
    bool refreshRateHint = false; // line 4 converts to exactly 1
};

// Decimal conversion as the C library's atoi does it (leading white space,
// optional sign, leading digits, the rest ignored, 0 without digits), except
// that values outside the range of int saturate instead of being undefined.
int toIntSaturating(const std::string& text);

// Reads the four lines from an open stream with std::getline semantics: a read
// on a stream that is no longer good keeps the previous line's text.
Configuration parseConfiguration(std::istream& in);

// Sizes GLFW can be asked for: GLFW asserts on negative sizes and X11 and
// Mesa fail on enormous ones, so anything outside 1..16384 is treated as a
// window the system refuses.
constexpr int largestWindowSide = 16384;
bool windowSizeIsUsable(int width, int height);

// Reads the file by its relative name, stores the three settings and, when
// asked for, adds the 60 Hz refresh-rate window hint. A missing file writes
// "Configfile not found" (no line end) and keeps the defaults.
void readConfiguration(std::string fileName);
