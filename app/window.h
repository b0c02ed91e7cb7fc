#pragma once

#include "render/FrameViewport.h"

namespace platform {
class Platform;
}

// This frame's viewport: the window's framebuffer as polled now, the
// whole-frame targets and the render scale. While the window has pixels the
// camera's aspect ratio and viewport follow it; minimised, they keep what
// they were.
FrameViewport pollFrameViewport(platform::Platform& input);

// Once a frame, after the events are polled. Without the focus the cursor is
// released and the mouse turns nothing (the back-ends report no keys or
// buttons then); when the focus comes back the cursor is captured again and
// its first motion is dropped, so that the view does not jump. F11 and
// Alt+Enter switch between the window and full screen.
void followWindow(platform::Platform& input);

// Called once at start-up, with the cursor captured.
void startFollowingWindow();

// Whether the mouse looks around this frame.
bool windowHasFocus();
