#include "platform/windowSystemChoice.h"

#include <GLFW/glfw3.h>

#include <cstdlib>

namespace platform {

void chooseWindowSystem()
{
#ifdef GLFW_PLATFORM
    const char* display = std::getenv("WAYLAND_DISPLAY");
    const char* socket = std::getenv("WAYLAND_SOCKET");
    bool wayland = (display && *display) || (socket && *socket);
    if (!wayland && glfwPlatformSupported(GLFW_PLATFORM_X11))
        glfwInitHint(GLFW_PLATFORM, GLFW_PLATFORM_X11);
    else
        glfwInitHint(GLFW_PLATFORM, GLFW_ANY_PLATFORM);
#endif
}

} // namespace platform
