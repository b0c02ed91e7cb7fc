#include "platform/ProcessStatus.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace platform {

long processStatusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    const size_t length = std::strlen(field);
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
            return std::atol(line.c_str() + length + 1);
    return -1;
}

} // namespace platform
