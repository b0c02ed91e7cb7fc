#pragma once

#include <string>

namespace assetgen::models {

// Appends printf-formatted text; numbers always use '.' as the decimal point
// because the generator never changes the C locale.
void appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

} // namespace assetgen::models
