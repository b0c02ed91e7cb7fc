// The launcher's per-user game folder: made on the first run, mended and
// never overwritten on later runs, refused with one line when it cannot be
// written; and the launcher program starting the game inside it.
#include "launcher/GameFolder.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testing_support::ChildOptions;
using testing_support::ChildResult;
using testing_support::writeFile;

const std::string defaultSettings = "0\n1280\n720\n0\n";

std::string contents(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// An installed game's tree in a scratch prefix that any user may read: the
// data folder, and the game itself as a script that reports where and how it
// was started.
struct Installation {
    fs::path root = testing_support::makeTempDirectory("clankora-install");
    fs::path data = root / "share/games/clankora";
    fs::path home = root / "home";

    Installation()
    {
        fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
                | fs::perms::others_read | fs::perms::others_exec);
        writeFile((data / "OpenGL/Shader/camera.frag").string(), "shader");
        writeFile((data / "Model/house/Stair.obj").string(), "model");
        writeFile((data / "Resolution.ini").string(), defaultSettings);
        fs::create_directories(home);
    }
    ~Installation() { fs::remove_all(root); }

    void installLauncher() const
    {
        fs::create_directories(root / "games");
        fs::copy_file(std::string(CLANKORA_BINARY_DIR) + "/launcher/clankora", root / "games/clankora");
        writeFile((root / "lib/games/clankora/clankora").string(), "#!/bin/sh\npwd -P\nprintf '%s\\n' \"$@\"\nexit 7\n");
        fs::permissions(root / "lib/games/clankora/clankora", fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
            fs::perm_options::add);
    }
};

// Root may write anywhere, so a check of an unwritable folder runs as nobody.
// The process stays dumpable, so LeakSanitizer can still inspect it at exit.
bool leaveRoot()
{
    if (geteuid() != 0)
        return true;
    return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0
        && prctl(PR_SET_DUMPABLE, 1) == 0;
}

void expectLinkedTree(const fs::path& folder, const fs::path& data)
{
    for (const char* tree : {"OpenGL", "Model"}) {
        SCOPED_TRACE(tree);
        ASSERT_TRUE(fs::is_symlink(folder / tree));
        EXPECT_EQ(fs::read_symlink(folder / tree), data / tree);
    }
    EXPECT_EQ(contents(folder / "Model/house/Stair.obj"), "model");
}

TEST(GameFolder, FirstRunLinksTheInstalledTreeAndCopiesTheSettings)
{
    Installation installed;
    fs::path folder = installed.home / ".local/share/clankora";
    ASSERT_EQ(launcher::prepareGameFolder(folder, installed.data), "");

    expectLinkedTree(folder, installed.data);
    ASSERT_FALSE(fs::is_symlink(folder / "Resolution.ini")) << "the player's settings must be a file of their own";
    EXPECT_EQ(contents(folder / "Resolution.ini"), defaultSettings);
    EXPECT_NE(fs::status(folder / "Resolution.ini").permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3) << "only the links and the settings";
}

TEST(GameFolder, LaterRunsKeepThePlayersSettingsAndMendTheLinks)
{
    Installation installed;
    fs::path folder = installed.home / "data/clankora";
    ASSERT_EQ(launcher::prepareGameFolder(folder, installed.data), "");
    const std::string edited = "1\n1920\n1080\n1\n";
    writeFile((folder / "Resolution.ini").string(), edited);
    writeFile((installed.data / "Resolution.ini").string(), "0\n640\n480\n0\n");
    // A link left by an installation elsewhere, a link the player deleted,
    // and a tree a newer version added.
    fs::remove(folder / "OpenGL");
    fs::create_directory_symlink("/nonexistent/OpenGL", folder / "OpenGL");
    fs::remove(folder / "Model");
    writeFile((installed.data / "Fonts/title.ttf").string(), "font");

    ASSERT_EQ(launcher::prepareGameFolder(folder, installed.data), "");
    EXPECT_EQ(contents(folder / "Resolution.ini"), edited);
    expectLinkedTree(folder, installed.data);
    EXPECT_EQ(contents(folder / "Fonts/title.ttf"), "font");
}

TEST(GameFolder, UnwritableOrBlockedFolderFailsWithOneLineNamingIt)
{
    Installation installed;
    fs::permissions(installed.home, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
        fs::perm_options::remove);
    fs::path folder = installed.home / ".local/share/clankora";
    ChildResult readOnly = testing_support::runInChild([&] {
        if (!leaveRoot())
            return 90;
        std::string problem = launcher::prepareGameFolder(folder, installed.data);
        std::printf("%s", problem.c_str());
        return problem.empty() ? 0 : 1;
    });
    ASSERT_EQ(readOnly.exitStatus, 1) << readOnly.out;
    EXPECT_EQ(readOnly.out, "cannot create the game folder " + folder.string() + ": Permission denied");
    EXPECT_FALSE(fs::exists(folder));

    fs::path blocked = installed.root / "blocked";
    writeFile(blocked.string(), "a file where the folder belongs");
    std::string problem = launcher::prepareGameFolder(blocked, installed.data);
    EXPECT_EQ(problem.find('\n'), std::string::npos);
    EXPECT_NE(problem.find(blocked.string()), std::string::npos) << problem;
    EXPECT_EQ(contents(blocked), "a file where the folder belongs");
}

TEST(GameFolder, LiesUnderAnAbsoluteXdgDataHomeOrElseTheHomeFolder)
{
    EXPECT_EQ(launcher::userGameFolder("/data", "/home/ada"), fs::path("/data/clankora"));
    EXPECT_EQ(launcher::userGameFolder("", "/home/ada"), fs::path("/home/ada/.local/share/clankora"));
    EXPECT_EQ(launcher::userGameFolder("relative/data", "/home/ada"), fs::path("/home/ada/.local/share/clankora"));
    EXPECT_EQ(launcher::userGameFolder(nullptr, "/home/ada"), fs::path("/home/ada/.local/share/clankora"));
    EXPECT_FALSE(launcher::userGameFolder(nullptr, nullptr));
}

TEST(LauncherProgram, StartsTheInstalledGameInTheFolderWithItsArguments)
{
    Installation installed;
    installed.installLauncher();
    ChildOptions options;
    options.environment = {"HOME=" + installed.home.string()};
    options.unsetEnvironment = {"XDG_DATA_HOME"};
    ChildResult result = testing_support::runProgram(
        {(installed.root / "games/clankora").string(), "--render-scale", "0.5", "two words"}, options);
    fs::path folder = fs::canonical(installed.home) / ".local/share/clankora";
    EXPECT_EQ(result.exitStatus, 7) << "the game's own status: " << result.err;
    EXPECT_EQ(result.out, folder.string() + "\n--render-scale\n0.5\ntwo words\n");
    EXPECT_EQ(contents(folder / "Resolution.ini"), defaultSettings);
}

TEST(LauncherProgram, ReadOnlyHomeStopsBeforeTheGameWithOneLine)
{
    Installation installed;
    installed.installLauncher();
    fs::permissions(installed.home, fs::perms::owner_write, fs::perm_options::remove);
    std::string launcherPath = (installed.root / "games/clankora").string();
    ChildOptions options;
    options.environment = {"HOME=" + installed.home.string()};
    options.unsetEnvironment = {"XDG_DATA_HOME"};
    ChildResult result = testing_support::runInChild([&] {
        if (!leaveRoot())
            return 90;
        execl(launcherPath.c_str(), "clankora", static_cast<char*>(nullptr));
        return 91;
    }, options);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "") << "the game must not start";
    EXPECT_EQ(result.err, "clankora: cannot create the game folder " + installed.home.string()
            + "/.local/share/clankora: Permission denied\n");
}

} // namespace
