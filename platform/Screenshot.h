#pragma once

#include <string>

namespace platform {

// Saves the bound read buffer (width x height pixels) as an upright 24-bit
// PNG; false when the file cannot be written.
bool saveScreenshot(const std::string& path, int width, int height);

} // namespace platform
