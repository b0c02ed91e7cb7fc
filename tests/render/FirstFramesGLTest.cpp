// The order of the depth passes in the game's first frames, through the real
// frame loop in a child process: on the first frame the frame phase is 1, so
// the odd-phase level-1 maps render before the even-phase ones.
#include "frameFixture.h"

#include "app/shell.h"
#include "platform/InputScript.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {

// The registry is filled (as scene assembly will) once GL is up, on the
// loop's first close test, and the hook prints every pass.
class RegistryFillingPlatform : public platform::ScriptedPlatform {
public:
    using ScriptedPlatform::ScriptedPlatform;
    bool windowShouldClose() override
    {
        if (!filled) {
            filled = true;
            frame_testing::buildGamePrograms();
            for (ShadowMap** light : {&shadowMap1, &shadowMap2, &shadowMap3, &shadowMap4, &shadowMap5,
                     &shadowMap6, &shadowMap7, &shadowMap8, &shadowMap9, &shadowMap10})
                *light = new ShadowMap(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), glm::vec3(0, 0, 1), glm::vec3(1),
                    glm::vec3(0, 1, 0), 32, 30.0f);
        }
        return ScriptedPlatform::windowShouldClose();
    }

private:
    bool filled = false;
};

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
    RegistryFillingPlatform input(script, 0.05);
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
    // The game reads its configuration from the working directory and its
    // shaders from OpenGL/Shader/ there: run in a folder with both.
    std::filesystem::create_directory_symlink(std::string(CLANKORA_GAME_DIR) + "/OpenGL", folder + "/OpenGL");
    options.workingDirectory = folder;
    testing_support::ChildResult result = testing_support::runInChild(runLevelOneFrames, options);
    ASSERT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(result.out, " 2 3 5 | phase 1\n 1 2 4 | phase 0\n 2 3 5 | phase 1\n 1 2 4 | phase 0\n");
}

} // namespace
