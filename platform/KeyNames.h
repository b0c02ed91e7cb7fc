#pragma once

#include <string>

namespace platform {

// GLFW key code for a name such as "W", "7", "F9", "ENTER" or "LSHIFT"
// (case-insensitive); -1 for an unknown name.
int keyCodeFromName(const std::string& name);

} // namespace platform
