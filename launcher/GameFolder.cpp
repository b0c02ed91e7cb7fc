#include "launcher/GameFolder.h"

#include <system_error>

namespace launcher {

namespace fs = std::filesystem;

namespace {

const char* const settingsName = "Resolution.ini";

std::string failure(const std::string& what, const fs::path& path, const std::error_code& error)
{
    return "cannot " + what + " " + path.string() + ": " + error.message();
}

std::string linkEntry(const fs::path& link, const fs::path& target)
{
    std::error_code error;
    fs::file_status status = fs::symlink_status(link, error);
    if (status.type() == fs::file_type::symlink) {
        if (fs::read_symlink(link, error) == target && !error)
            return "";
        if (!fs::remove(link, error))
            return failure("replace the link", link, error);
    } else if (status.type() != fs::file_type::not_found) {
        return error ? failure("read", link, error) : "";
    }
    fs::create_symlink(target, link, error);
    return error ? failure("create the link", link, error) : "";
}

// Copies through a temporary name, so an interrupted first run never leaves
// a cut-short settings file that later runs would keep.
std::string copySettings(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    fs::file_status status = fs::symlink_status(to, error);
    if (status.type() != fs::file_type::not_found)
        return error ? failure("read", to, error) : "";
    fs::path partial = to;
    partial += ".partial";
    fs::copy_file(from, partial, fs::copy_options::overwrite_existing, error);
    if (error)
        return failure("copy " + from.string() + " to", to, error);
    fs::permissions(partial, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, error);
    if (!error)
        fs::rename(partial, to, error);
    if (error) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        return failure("write", to, error);
    }
    return "";
}

} // namespace

std::optional<fs::path> userGameFolder(const char* xdgDataHome, const char* home)
{
    if (xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return fs::path(xdgDataHome) / "clankora";
    if (home && fs::path(home).is_absolute())
        return fs::path(home) / ".local" / "share" / "clankora";
    return std::nullopt;
}

std::string prepareGameFolder(const fs::path& folder, const fs::path& installed)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return failure("create the game folder", folder, error);
    if (!fs::is_directory(folder, error))
        return "cannot use " + folder.string() + " as the game folder: it is not a folder";

    fs::directory_iterator entry(installed, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        fs::path name = entry->path().filename();
        if (name == settingsName)
            continue;
        std::string problem = linkEntry(folder / name, entry->path());
        if (!problem.empty())
            return problem;
    }
    if (error)
        return failure("read the installed game files in", installed, error);
    return copySettings(installed / settingsName, folder / settingsName);
}

} // namespace launcher
