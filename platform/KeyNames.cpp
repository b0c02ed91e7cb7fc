#include "platform/KeyNames.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace platform {

namespace {

struct NamedKey {
    const char* name;
    int code;
};

const NamedKey namedKeys[] = {
    {"ESCAPE", GLFW_KEY_ESCAPE}, {"ESC", GLFW_KEY_ESCAPE}, {"ENTER", GLFW_KEY_ENTER},
    {"RETURN", GLFW_KEY_ENTER}, {"SPACE", GLFW_KEY_SPACE}, {"TAB", GLFW_KEY_TAB},
    {"BACKSPACE", GLFW_KEY_BACKSPACE}, {"LSHIFT", GLFW_KEY_LEFT_SHIFT},
    {"LEFT_SHIFT", GLFW_KEY_LEFT_SHIFT}, {"RSHIFT", GLFW_KEY_RIGHT_SHIFT},
    {"LCTRL", GLFW_KEY_LEFT_CONTROL}, {"LALT", GLFW_KEY_LEFT_ALT}, {"RALT", GLFW_KEY_RIGHT_ALT}, {"UP", GLFW_KEY_UP},
    {"DOWN", GLFW_KEY_DOWN}, {"LEFT", GLFW_KEY_LEFT}, {"RIGHT", GLFW_KEY_RIGHT}, {"MINUS", GLFW_KEY_MINUS},
    {"EQUAL", GLFW_KEY_EQUAL}, {"KP_ADD", GLFW_KEY_KP_ADD}, {"KP_SUBTRACT", GLFW_KEY_KP_SUBTRACT},
};

} // namespace

int keyCodeFromName(const std::string& rawName)
{
    std::string name = rawName;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    if (name.size() == 1) {
        char c = name[0];
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return c; // GLFW's codes for letters and digits are their ASCII values
    }
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F'
        && std::all_of(name.begin() + 1, name.end(), [](unsigned char c) { return std::isdigit(c); })) {
        int number = std::atoi(name.c_str() + 1);
        if (number >= 1 && number <= 25)
            return GLFW_KEY_F1 + number - 1;
    }
    for (const NamedKey& key : namedKeys)
        if (name == key.name)
            return key.code;
    return -1;
}

} // namespace platform
