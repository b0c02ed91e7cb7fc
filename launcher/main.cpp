// The installed game's command: prepares the player's game folder, changes to
// it and starts the game there with the same arguments.
#include "launcher/GameFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

int fail(const std::string& line)
{
    std::cerr << "clankora: " << line << std::endl;
    return 1;
}

// HOME, or the account's home when HOME is unset (as for some services).
const char* homeFolder()
{
    if (const char* home = std::getenv("HOME"))
        return home;
    const passwd* account = getpwuid(getuid());
    return account ? account->pw_dir : nullptr;
}

} // namespace

int main(int, char** argv)
{
    // The game's files lie at fixed places relative to this program, so an
    // installed tree works wherever it was unpacked.
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return fail("cannot find where the game is installed: " + error.message());
    fs::path gameFolder = (self.parent_path() / CLANKORA_LAUNCHER_TO_GAME).lexically_normal();
    fs::path dataFolder = (self.parent_path() / CLANKORA_LAUNCHER_TO_DATA).lexically_normal();

    std::optional<fs::path> folder = launcher::userGameFolder(std::getenv("XDG_DATA_HOME"), homeFolder());
    if (!folder)
        return fail("cannot find a home folder for the game's settings: set HOME or XDG_DATA_HOME");
    std::string problem = launcher::prepareGameFolder(*folder, dataFolder);
    if (!problem.empty())
        return fail(problem);
    if (chdir(folder->c_str()) != 0)
        return fail("cannot change to the game folder " + folder->string() + ": " + std::strerror(errno));

    fs::path game = gameFolder / "clankora";
    execv(game.c_str(), argv);
    return fail("cannot start " + game.string() + ": " + std::strerror(errno));
}
