#include "TextOut.h"

#include <cstdarg>
#include <cstdio>

namespace assetgen::models {

void appendf(std::string& out, const char* format, ...)
{
    char buffer[512];
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length < 0)
        return;
    if (static_cast<std::size_t>(length) < sizeof buffer) {
        out.append(buffer, static_cast<std::size_t>(length));
        return;
    }
    std::string large(static_cast<std::size_t>(length) + 1, '\0');
    va_start(arguments, format);
    std::vsnprintf(large.data(), large.size(), format, arguments);
    va_end(arguments);
    out.append(large.data(), static_cast<std::size_t>(length));
}

} // namespace assetgen::models
