#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The per-user game folder that the installed game runs in. The game reads
// every file relative to its working directory, so each player gets a folder
// of links to the installed, read-only asset tree beside a Resolution.ini of
// their own.
namespace launcher {

// $XDG_DATA_HOME/clankora, or HOME/.local/share/clankora where XDG_DATA_HOME
// is unset, empty or relative (the base directory rules ignore a relative
// one). Nothing without a usable home either.
std::optional<std::filesystem::path> userGameFolder(const char* xdgDataHome, const char* home);

// Makes sure `folder` holds a link to every entry of `installed` but its
// Resolution.ini, and a Resolution.ini of its own, copied from `installed`'s
// when there is none and never overwritten. A link pointing elsewhere (the
// game was installed somewhere else) is pointed at `installed` again; any
// other file in the way is left as the player put it. Returns an empty
// string on success, otherwise one line saying what failed and where.
std::string prepareGameFolder(const std::filesystem::path& folder, const std::filesystem::path& installed);

} // namespace launcher
