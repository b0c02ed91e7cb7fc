// The order of the depth passes in the game's first frames, through the real
// frame loop in a child process: on the first frame the frame phase is 1, so
// the odd-phase level-1 maps render before the even-phase ones; then the maps
// whose view did not change are left as they are.
#include "frameFixture.h"

#include "app/GameState.h"
#include "app/shell.h"
#include "platform/InputScript.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {

void printPass(int spotlightNumber)
{
    std::printf(" %d", spotlightNumber);
}

void printFrameEnd(const FrameReport& report)
{
    std::printf(" | phase %d\n", report.framePhase);
}

int runLevelOneFrames()
{
    platform::InputScript script;
    std::string error;
    if (!script.parse("wait 3\n", error))
        return 98;
    platform::ScriptedPlatform input(script, 0.05);
    levelOneStarted = true;
    introStarted = true;
    setDepthPassObserver(printPass);
    setFrameObserver(printFrameEnd);
    return runClankora(input);
}

TEST(FrameLoopShadowPasses, FirstFramesRenderTheOddPhaseMapsFirst)
{
    testing_support::ChildOptions options;
    const std::string folder = testing_support::makeTempDirectory("clankora-passes");
    testing_support::writeFile(folder + "/Resolution.ini", "0\n160\n120\n0\n");
    // The game reads its configuration and its whole asset tree from the
    // working directory: run in a folder with a small window and the assets.
    for (const char* tree : {"OpenGL", "Model"})
        std::filesystem::create_directory_symlink(std::string(CLANKORA_GAME_DIR) + "/" + tree, folder + "/" + tree);
    options.workingDirectory = folder;
    testing_support::ChildResult result = testing_support::runInChild(runLevelOneFrames, options);
    ASSERT_EQ(result.exitStatus, 0) << result.out << result.err;
    // Each map's first pass comes in the first two frames. After them maps 1
    // and 5 see nothing move (no robot in their view) and are left as they
    // are, and map 2 turns. Maps 3 and 4 see robots that nearly stand still
    // while no instrument plays: whether a pose changes in its last bits from
    // one frame to the next depends on how the build rounds, so they are not
    // held to either.
    const std::vector<std::string> frames = testing_support::lines(result.out);
    ASSERT_EQ(frames.size(), 4u) << result.out;
    EXPECT_EQ(frames[0], " 2 3 5 | phase 1");
    EXPECT_EQ(frames[1], " 1 2 4 | phase 0");
    EXPECT_TRUE(frames[2] == " 2 3 | phase 1" || frames[2] == " 2 | phase 1") << frames[2];
    EXPECT_TRUE(frames[3] == " 2 4 | phase 0" || frames[3] == " 2 | phase 0") << frames[3];
}

} // namespace
