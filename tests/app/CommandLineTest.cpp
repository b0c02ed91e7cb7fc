// The game's command line, through the real executable: help and version on
// standard output, anything unknown refused before a window opens.
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

namespace {

using testing_support::ChildOptions;
using testing_support::ChildResult;

// No display: a run that got past the command line would fail to open a
// window. No log level either, so the sound libraries stay as quiet as a
// player sees them.
ChildResult runGame(const std::vector<std::string>& arguments)
{
    std::vector<std::string> command = {testing_support::gameExecutable("clankora")};
    command.insert(command.end(), arguments.begin(), arguments.end());
    ChildOptions options;
    options.unsetEnvironment = {"DISPLAY", "WAYLAND_DISPLAY", "ALSOFT_LOGLEVEL"};
    return testing_support::runProgram(command, options);
}

TEST(CommandLine, HelpListsEveryOptionOnStandardOutput)
{
    for (const char* flag : {"--help", "-h"}) {
        SCOPED_TRACE(flag);
        ChildResult result = runGame({flag});
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.out.rfind("usage: clankora ", 0), 0u) << result.out;
        for (const char* option : {"--mouse-sensitivity N", "--invert-mouse [on|off]", "--field-of-view DEG",
                 "--music-volume P", "--vsync [on|off]", "--render-scale auto|S", "--show-music [on|off]", "--help",
                 "--version", "clankora.conf", "F7"})
            EXPECT_NE(result.out.find(option), std::string::npos) << option;
        EXPECT_EQ(result.err, "");
    }
}

TEST(CommandLine, VersionIsTheProjectVersion)
{
    ChildResult result = runGame({"--version"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "clankora " CLANKORA_VERSION "\n");
    EXPECT_EQ(result.err, "");
}

TEST(CommandLine, UnknownArgumentsPrintTheUsageOnStandardErrorWithStatusTwo)
{
    std::string usage = runGame({"--help"}).out;
    for (const char* argument : {"--fullscreen", "level2", "-"}) {
        SCOPED_TRACE(argument);
        ChildResult result = runGame({argument});
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_EQ(result.out, "") << "nothing else may run";
        EXPECT_EQ(result.err, "clankora: unknown option " + std::string(argument) + "\n" + usage);
    }
}

} // namespace
