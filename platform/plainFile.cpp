#include "platform/plainFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string cannotRead(int error)
{
    return std::string("cannot be read (") + std::strerror(error) + ")";
}

std::string sizeLimit(long limit)
{
    if (limit % (1024 * 1024) == 0)
        return std::to_string(limit / (1024 * 1024)) + " MiB";
    if (limit % 1024 == 0)
        return std::to_string(limit / 1024) + " KiB";
    return std::to_string(limit) + " bytes";
}

} // namespace

FileRead readPlainFile(const std::string& path, long limit, std::string& text, std::string& problem)
{
    text.clear();
    // Without O_NONBLOCK opening a named pipe waits for a writer.
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        if (errno == ENOENT)
            return FileRead::missing;
        problem = cannotRead(errno);
        return FileRead::refused;
    }
    struct stat status {};
    FileRead result = FileRead::read;
    if (fstat(descriptor, &status) != 0) {
        problem = cannotRead(errno);
        result = FileRead::refused;
    } else if (S_ISDIR(status.st_mode)) {
        problem = "a folder, not a file";
        result = FileRead::refused;
    } else if (!S_ISREG(status.st_mode)) {
        problem = "not a plain file";
        result = FileRead::refused;
    } else if (status.st_size > limit) {
        problem = "larger than " + sizeLimit(limit);
        result = FileRead::refused;
    }
    // The file may still grow while it is read: one byte past the limit tells.
    char buffer[16384];
    while (result == FileRead::read) {
        const ssize_t count = read(descriptor, buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            problem = cannotRead(errno);
            result = FileRead::refused;
        } else if (count == 0) {
            break;
        } else {
            text.append(buffer, static_cast<size_t>(count));
            if (static_cast<long>(text.size()) > limit) {
                problem = "larger than " + sizeLimit(limit);
                result = FileRead::refused;
            }
        }
    }
    close(descriptor);
    if (result != FileRead::read)
        text.clear();
    return result;
}

} // namespace platform
