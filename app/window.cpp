#include "app/window.h"

#include "app/Camera.h"
#include "app/adaptiveScale.h"
#include "platform/Platform.h"
#include "render/frameTargets.h"

#include <GLFW/glfw3.h>

namespace {

bool focused = true;
bool dropFirstMotion = false;
bool fullScreenKeysHeld = false;

bool fullScreenKeysDown(platform::Platform& input)
{
    const bool alt = input.isKeyDown(GLFW_KEY_LEFT_ALT) || input.isKeyDown(GLFW_KEY_RIGHT_ALT);
    const bool enter = input.isKeyDown(GLFW_KEY_ENTER) || input.isKeyDown(GLFW_KEY_KP_ENTER);
    return input.isKeyDown(GLFW_KEY_F11) || (alt && enter);
}

// Capturing the cursor again moves it to the window's centre: what the
// pointer did until then, and in the frame after (where a window system
// reports that move late), is dropped.
void followFocus(platform::Platform& input)
{
    const bool nowFocused = input.isFocused();
    if (nowFocused == focused) {
        if (focused && dropFirstMotion)
            input.setCursorPos(0.0, 0.0);
        dropFirstMotion = false;
        return;
    }
    focused = nowFocused;
    if (focused) {
        input.disableCursor();
        input.setCursorPos(0.0, 0.0);
        dropFirstMotion = true;
    } else {
        input.releaseCursor();
    }
}

} // namespace

FrameViewport pollFrameViewport(platform::Platform& input)
{
    int width = 0;
    int height = 0;
    input.getFramebufferSize(&width, &height);
    const FrameViewport view = frameViewport(width, height, frameTargetWidth, frameTargetHeight, currentRenderScale());
    if (view.drawable()) {
        camera.aspectRatio = static_cast<float>(width) / static_cast<float>(height);
        camera.viewportWidth = static_cast<float>(width);
        camera.viewportHeight = static_cast<float>(height);
    }
    return view;
}

void startFollowingWindow()
{
    focused = true;
    dropFirstMotion = false;
    fullScreenKeysHeld = false;
}

void followWindow(platform::Platform& input)
{
    followFocus(input);
    // Set on a press, cleared on release, like the function keys.
    const bool held = fullScreenKeysDown(input);
    if (held && !fullScreenKeysHeld)
        input.setFullScreen(!input.isFullScreen());
    fullScreenKeysHeld = held;
}

bool windowHasFocus()
{
    return focused;
}
