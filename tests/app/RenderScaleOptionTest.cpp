// Choosing the render scale: the values the flag and the variable take, what
// auto does on a graphics card and on a software renderer, and bad values
// refused by the real executables before any window opens.
#include "app/adaptiveScale.h"
#include "app/renderScaleOption.h"
#include "render/RenderScaleController.h"

#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::ChildOptions;
using testing_support::ChildResult;
using testing_support::gameExecutable;
using testing_support::runProgram;

TEST(RenderScaleOption, ReadsAutoAndScalesFromAQuarterToOne)
{
    RenderScaleSetting setting;
    for (const char* good : {"0.25", "0.5", "1", "1.0", ".75"}) {
        setting = RenderScaleSetting();
        ASSERT_TRUE(parseRenderScale(good, setting)) << good;
        EXPECT_FALSE(setting.automatic) << good;
        EXPECT_FLOAT_EQ(setting.scale, std::stof(good)) << good;
    }
    ASSERT_TRUE(parseRenderScale("auto", setting));
    EXPECT_TRUE(setting.automatic);
    for (const char* bad : {"", "0.249", "1.01", "0", "-0.5", "2", "half", "0.5x", " 0.5", "nan", "inf", "AUTO"})
        EXPECT_FALSE(parseRenderScale(bad, setting)) << '"' << bad << '"';
}

TEST(RenderScaleOption, AutoAdaptsOnlyOnASoftwareRenderer)
{
    const RenderScaleSetting automatic;
    const long hd = 1280L * 720L;
    for (const char* card : {"NVIDIA GeForce RTX 3060/PCIe/SSE2", "AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49)",
             "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "Apple M1", ""}) {
        const RenderScalePlan plan = planRenderScale(automatic, card, hd);
        EXPECT_FALSE(plan.adapting) << card;
        EXPECT_EQ(plan.scale, 1.0f) << card;
    }
    EXPECT_FALSE(planRenderScale(automatic, nullptr, hd).adapting);
    for (const char* software : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Gallium 0.4 on SWRAST"}) {
        const RenderScalePlan plan = planRenderScale(automatic, software, hd);
        EXPECT_TRUE(plan.adapting) << software;
        EXPECT_EQ(plan.scale, RenderScaleController::startScaleFor(hd)) << software;
        EXPECT_LT(plan.scale, 1.0f) << software;
    }
    // A scale given by the player holds on any renderer, below the
    // controller's range too.
    const RenderScaleSetting fixed{false, 0.25f};
    const RenderScalePlan plan = planRenderScale(fixed, "llvmpipe (LLVM 15.0.6, 256 bits)", hd);
    EXPECT_FALSE(plan.adapting);
    EXPECT_EQ(plan.scale, 0.25f);
}

// No display: an executable that got past its arguments would fail to start
// GLFW with exit status 255 instead of 2.
ChildResult run(const std::vector<std::string>& argv, const std::vector<std::string>& environment = {})
{
    ChildOptions options;
    options.environment = environment;
    // Without ALSOFT_LOGLEVEL the game keeps the sound libraries' own lines off
    // the console, so standard error holds the message alone.
    options.unsetEnvironment = {"DISPLAY", "WAYLAND_DISPLAY", "CLANKORA_RENDER_SCALE", "ALSOFT_LOGLEVEL"};
    options.timeoutSeconds = 30.0;
    return runProgram(argv, options);
}

TEST(RenderScaleOption, BadValuesEndTheGameWithStatusTwoBeforeAnyWindow)
{
    const std::string game = gameExecutable("clankora");
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> environment;
        std::string line;
    };
    const Case cases[] = {
        {{"--render-scale", "2"}, {}, "clankora: --render-scale must be auto or a number from 0.25 to 1, not \"2\"\n"},
        {{"--render-scale=0.1"}, {}, "clankora: --render-scale must be auto or a number from 0.25 to 1, not \"0.1\"\n"},
        {{"--render-scale"}, {}, "clankora: --render-scale must be auto or a number from 0.25 to 1, not \"\"\n"},
        {{}, {"CLANKORA_RENDER_SCALE=fast"},
            "clankora: CLANKORA_RENDER_SCALE must be auto or a number from 0.25 to 1, not \"fast\"\n"},
        // The flag wins, also when it is the bad one.
        {{"--render-scale", "0"}, {"CLANKORA_RENDER_SCALE=auto"},
            "clankora: --render-scale must be auto or a number from 0.25 to 1, not \"0\"\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv{game};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        const ChildResult result = run(argv, c.environment);
        SCOPED_TRACE(c.line);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_EQ(result.err, c.line);
        EXPECT_EQ(result.out.find("Failed to"), std::string::npos) << result.out;
    }

    // A good flag over a bad variable: the variable is not read, and the game
    // goes on to start GLFW, which fails here for want of a display.
    const ChildResult flagWins = run({game, "--render-scale", "0.5"}, {"CLANKORA_RENDER_SCALE=fast"});
    EXPECT_EQ(flagWins.exitStatus, 255);
    EXPECT_NE(flagWins.out.find("Failed to init glfw"), std::string::npos) << flagWins.out;

    // The bot takes the flag alike; it does not read the variable, so that
    // its pictures do not depend on the environment.
    const std::string bot = gameExecutable("clankora-bot");
    const ChildResult badBot = run({bot, "--autoplay", "--render-scale", "1.5"});
    EXPECT_EQ(badBot.exitStatus, 2);
    EXPECT_EQ(badBot.err, "clankora-bot: --render-scale must be auto or a number from 0.25 to 1, not \"1.5\"\n");
    const ChildResult botIgnoresVariable = run({bot, "--autoplay"}, {"CLANKORA_RENDER_SCALE=fast"});
    EXPECT_EQ(botIgnoresVariable.exitStatus, 255);
}

} // namespace
