#include "platform/windowSystemChoice.h"

#include <GLFW/glfw3.h>

#include <cstdlib>

namespace platform {

namespace {

[[maybe_unused]] bool isSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

void chooseWindowSystem()
{
#ifdef GLFW_PLATFORM
    bool wayland = isSet("WAYLAND_DISPLAY") || isSet("WAYLAND_SOCKET");
    if (glfwPlatformSupported(GLFW_PLATFORM_X11) && (isSet("DISPLAY") || !wayland))
        glfwInitHint(GLFW_PLATFORM, GLFW_PLATFORM_X11);
    else
        glfwInitHint(GLFW_PLATFORM, GLFW_ANY_PLATFORM);
#endif
}

void hintDesktopIdentity(const char* appId, const char* instanceName)
{
#ifdef GLFW_WAYLAND_APP_ID
    glfwWindowHintString(GLFW_WAYLAND_APP_ID, appId);
#endif
    glfwWindowHintString(GLFW_X11_CLASS_NAME, appId);
    glfwWindowHintString(GLFW_X11_INSTANCE_NAME, instanceName);
}

} // namespace platform
