// The start-up and frame loop, run in child processes with their own window:
// through the scripted back-end and through GLFW itself.
#include "app/Camera.h"
#include "app/config.h"
#include "app/settings.h"
#include "app/shell.h"
#include "platform/GlfwPlatform.h"
#include "platform/InputScript.h"
#include "platform/ScriptedPlatform.h"

#include "support/ChildProcess.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

namespace {

using testing_support::ChildOptions;
using testing_support::ChildResult;
using testing_support::lines;
using testing_support::runInChild;
using testing_support::runProgram;

ChildOptions smallWindowFolder()
{
    ChildOptions options;
    options.workingDirectory = testing_support::makeGameFolder("0\n160\n120\n0\n");
    return options;
}

void printFrame(const FrameReport& report)
{
    std::printf("frame %ld phase %d dt %.4f run %d\n", report.frameIndex, report.framePhase, report.deltaTime,
        report.keepRunning ? 1 : 0);
}

int runScripted(const std::string& scriptText)
{
    platform::InputScript script;
    std::string error;
    if (!script.parse(scriptText, error))
        return 98;
    platform::ScriptedPlatform input(script, 0.05);
    setFrameObserver(printFrame);
    return runClankora(input);
}

TEST(FrameLoop, PhaseStartsAtOneAndAlternatesWithFixedSteps)
{
    ChildResult result = runInChild([] { return runScripted("wait 3\n"); }, smallWindowFolder());
    ASSERT_EQ(result.exitStatus, 0) << result.out << result.err;
    std::vector<std::string> frames = lines(result.out);
    ASSERT_EQ(frames.size(), 4u) << result.out;
    EXPECT_EQ(frames[0], "frame 0 phase 1 dt 0.0500 run 1");
    EXPECT_EQ(frames[1], "frame 1 phase 0 dt 0.0500 run 1");
    EXPECT_EQ(frames[2], "frame 2 phase 1 dt 0.0500 run 1");
    EXPECT_EQ(frames[3], "frame 3 phase 0 dt 0.0500 run 0") << "the script's end reads as Escape";
}

TEST(FrameLoop, EscapeLetsTheFrameInProgressComplete)
{
    ChildResult result = runInChild([] { return runScripted("wait 1\nhold ESCAPE\nwait 5\n"); }, smallWindowFolder());
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    std::vector<std::string> frames = lines(result.out);
    ASSERT_EQ(frames.size(), 2u) << result.out;
    EXPECT_EQ(frames[1], "frame 1 phase 0 dt 0.0500 run 0") << "the frame that saw Escape still finished";
}

// The GLFW back-end, slowed down during start-up, and closed by a window
// close request after three frames.
class SlowStartPlatform : public platform::GlfwPlatform {
public:
    void attach(GLFWwindow* window) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        GlfwPlatform::attach(window);
    }
};

void closeAfterThreeFrames(const FrameReport& report)
{
    printFrame(report);
    if (report.frameIndex == 2)
        glfwSetWindowShouldClose(glfwGetCurrentContext(), GLFW_TRUE);
}

TEST(FrameLoop, FirstDeltaTimeIncludesStartUpAndCloseRequestEndsBeforeWork)
{
    ChildResult result = runInChild([] {
        SlowStartPlatform input;
        setFrameObserver(closeAfterThreeFrames);
        return runClankora(input);
    }, smallWindowFolder());
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    std::vector<std::string> frames = lines(result.out);
    ASSERT_EQ(frames.size(), 3u) << "no frame runs after the close request: " << result.out;
    float firstDelta = 0.0f;
    ASSERT_EQ(std::sscanf(frames[0].c_str(), "frame 0 phase 1 dt %f run 1", &firstDelta), 1) << frames[0];
    EXPECT_GE(firstDelta, 0.3f) << "GLFW's timer started before the slow start-up";
}

void printProjection(const FrameReport& report)
{
    const glm::mat4 projection = camera.projectionMatrix();
    std::printf("frame %ld fov %.4f focal %.6f aspect %.6f\n", report.frameIndex, camera.fieldOfViewDegrees,
        projection[1][1], projection[1][1] / projection[0][0]);
}

TEST(FrameLoop, TheFieldOfViewSettingShowsInTheFramesProjection)
{
    ChildResult result = runInChild([] {
        char program[] = "clankora-bot";
        char flag[] = "--field-of-view=90";
        char* argv[] = {program, flag};
        SettingLayer flags;
        std::string problem;
        int index = 1;
        if (readSettingFlag(2, argv, index, flags, problem) != SettingFlag::read)
            return 97;
        Settings settings;
        settings.renderScale = RenderScaleSetting{false, 1.0f};
        layOver(settings, flags);
        applySettings(settings);
        platform::InputScript script;
        std::string error;
        if (!script.parse("wait 2\n", error))
            return 98;
        platform::ScriptedPlatform input(script, 0.05);
        setFrameObserver(printProjection);
        return runClankora(input);
    }, smallWindowFolder());
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    std::vector<std::string> frames = lines(result.out);
    ASSERT_EQ(frames.size(), 3u) << result.out;
    // 1 / tan(45 degrees), and the window's 160 x 120.
    for (const std::string& frame : frames)
        EXPECT_NE(frame.find("fov 90.0000 focal 1.000000 aspect 1.333333"), std::string::npos) << frame;
}

TEST(GameExecutable, WithoutDisplayFailsToInitGlfwQuickly)
{
    ChildOptions options = smallWindowFolder();
    options.unsetEnvironment = {"DISPLAY", "WAYLAND_DISPLAY"};
    ChildResult result = runProgram({testing_support::gameExecutable("clankora")}, options);
    EXPECT_EQ(result.out, "Failed to init glfw\n");
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_LT(result.seconds, 1.0);
}

TEST(GameExecutable, RefusedWindowSizeFailsToOpenWindow)
{
    ChildOptions options = smallWindowFolder();
    testing_support::writeFile(options.workingDirectory + "/Resolution.ini", "0\n0\n600\n0\n");
    ChildResult result = runProgram({testing_support::gameExecutable("clankora")}, options);
    EXPECT_EQ(result.out, "Failed to open window\n");
    EXPECT_EQ(result.exitStatus, 255);
}

TEST(GameExecutable, MissingConfigurationOpensFullScreenDefault)
{
    ChildOptions options;
    options.workingDirectory = testing_support::makeGameFolder("");
    std::remove((options.workingDirectory + "/Resolution.ini").c_str());
    ChildResult result = runInChild([] {
        GLFWwindow* window = openWindow();
        std::printf("|%s %dx%d", glfwGetWindowMonitor(window) == glfwGetPrimaryMonitor() ? "full screen" : "window",
            windowWidth, windowHeight);
        glfwTerminate();
        return 0;
    }, options);
    EXPECT_EQ(result.out, "Configfile not found|full screen 800x600");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
}

TEST(GameExecutable, ConfigurationOfAnyBytesNeverCrashes)
{
    const std::vector<std::string> configurations = {
        std::string("\x00\xff\xfe\n\x80\x81\n", 7),
        "1\n99999999999999999999\n-99999999999999999999\n1\n",
        "0\n-640\n-480\n1\n",
        "0\n2147483647\n2147483647\n0\n",
        "0\n64",
        "garbage",
    };
    for (const std::string& configuration : configurations) {
        ChildOptions options = smallWindowFolder();
        testing_support::writeFile(options.workingDirectory + "/Resolution.ini", configuration);
        std::string script = options.workingDirectory + "/quit.txt";
        testing_support::writeFile(script, "wait 2\n");
        options.timeoutSeconds = 30.0;
        ChildResult result =
            runProgram({testing_support::gameExecutable("clankora-bot"), "--script", script}, options);
        EXPECT_EQ(result.signal, 0) << "crashed on " << configuration;
        EXPECT_FALSE(result.timedOut) << "hung on " << configuration;
        EXPECT_TRUE(result.exitStatus == 0 || (result.exitStatus == 255 && result.out == "Failed to open window\n"))
            << configuration << " -> " << result.exitStatus << " " << result.out;
    }
}

TEST(BotExecutable, SavesRequestedScreenshotsAndRejectsBadScripts)
{
    ChildOptions options = smallWindowFolder();
    std::string shots = options.workingDirectory + "/shots";
    std::string script = options.workingDirectory + "/shots.txt";
    testing_support::writeFile(script, "shot first\nwait 2\nshot later\n");
    ChildResult result = runProgram(
        {testing_support::gameExecutable("clankora-bot"), "--script", script, "--shots", shots}, options);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "") << "the bot prints only what the game prints";
    FILE* first = std::fopen((shots + "/first.png").c_str(), "rb");
    FILE* later = std::fopen((shots + "/later.png").c_str(), "rb");
    EXPECT_TRUE(first);
    EXPECT_TRUE(later);
    if (first)
        std::fclose(first);
    if (later)
        std::fclose(later);

    testing_support::writeFile(script, "wait 1\njump 3\n");
    ChildResult bad = runProgram({testing_support::gameExecutable("clankora-bot"), "--script", script}, options);
    EXPECT_EQ(bad.exitStatus, 2);
    EXPECT_NE(bad.err.find("line 2: unknown command 'jump'"), std::string::npos) << bad.err;

    ChildResult limited = runProgram(
        {testing_support::gameExecutable("clankora-bot"), "--script", script + ".none", "--max-frames", "3"},
        options);
    EXPECT_EQ(limited.exitStatus, 2) << "a missing script is a usage error";
}

} // namespace
