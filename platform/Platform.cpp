#include "platform/Platform.h"

#include <cassert>

namespace platform {

namespace {
Platform* current = nullptr;
}

Platform& active()
{
    assert(current && "no platform back-end attached");
    return *current;
}

void setActive(Platform* platform)
{
    current = platform;
}

} // namespace platform
