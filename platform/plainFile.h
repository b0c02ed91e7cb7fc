#pragma once

#include <string>

namespace platform {

enum class FileRead { missing, read, refused };

// Reads a small file the player keeps, such as a settings file. missing:
// nothing at that path. refused: it cannot be opened or read, it is a folder
// or anything but a plain file (which could block or never end), or it holds
// more than limit bytes; problem then says which, for a message after the
// path ("cannot be read (Permission denied)").
FileRead readPlainFile(const std::string& path, long limit, std::string& text, std::string& problem);

} // namespace platform
