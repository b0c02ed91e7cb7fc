// The order of the depth passes in the game's first frames, through the real
// frame loop in a child process: on the first frame the frame phase is 1, so
// the odd-phase level-1 maps render before the even-phase ones.
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
    // After each map's first pass, maps 1 and 5 see nothing move (no robot
    // dances in their view) and are left as they are; map 2 turns and 3 and
    // 4 see the dancers.
    EXPECT_EQ(result.out, " 2 3 5 | phase 1\n 1 2 4 | phase 0\n 2 3 | phase 1\n 2 4 | phase 0\n");
}

} // namespace
