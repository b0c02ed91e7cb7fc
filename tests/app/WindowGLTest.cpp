// The window as window managers and players treat it, through the scripted
// back-end: resized (the picture follows), minimised (nothing drawn, the game
// goes on), full screen and back, and the focus lost and found again.
#include "app/Camera.h"
#include "app/GameState.h"
#include "app/adaptiveScale.h"
#include "app/shell.h"
#include "platform/InputScript.h"
#include "platform/ScriptedPlatform.h"

#include "support/ChildProcess.h"
#include "support/Pictures.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testing_support::ChildOptions;
using testing_support::ChildResult;
using testing_support::lines;
using testing_support::loadPicture;
using testing_support::Picture;

ChildOptions gameFolder(int width, int height)
{
    ChildOptions options;
    options.workingDirectory
        = testing_support::makeGameFolder("0\n" + std::to_string(width) + "\n" + std::to_string(height) + "\n0\n");
    options.timeoutSeconds = 240.0;
    return options;
}

// The bot's screenshots of a script in a game started at a size.
std::vector<Picture> shotsOf(int width, int height, const std::string& script, const char* scale,
    const std::vector<std::string>& names)
{
    ChildOptions options = gameFolder(width, height);
    testing_support::writeFile(options.workingDirectory + "/script.txt", script);
    const ChildResult result = testing_support::runProgram({testing_support::gameExecutable("clankora-bot"),
                                                               "--script", "script.txt", "--shots", "shots",
                                                               "--render-scale", scale},
        options);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    std::vector<Picture> shots;
    for (const std::string& name : names)
        shots.push_back(loadPicture(options.workingDirectory + "/shots/" + name + ".png"));
    return shots;
}

// After the resize the game draws what a game started at the new size draws:
// the title notice over the whole window, and the intro's 3D view. Both
// games make their whole-frame targets at the screen's size, and the frame
// before the resize leaves nothing behind once a few frames have passed, so
// llvmpipe gives the same pixels; a composition or notice that kept the
// start size leaves parts of the window black or cut off, dozens of levels
// off. The limit allows a little rounding.
TEST(Window, AResizedGameDrawsWhatAGameStartedAtThatSizeDraws)
{
    const Picture notice = loadPicture(CLANKORA_GAME_DIR "/OpenGL/Textures/Level1.png");
    ASSERT_GT(notice.width, 0);
    const std::string frames = "wait 20\nshot title\npress ENTER\nwait 60\nshot intro\n";
    for (const char* scale : {"1", "0.5"})
        for (const auto& size : {std::pair<int, int>(240, 180), std::pair<int, int>(400, 300)}) {
            SCOPED_TRACE(std::string("scale ") + scale + ", " + std::to_string(size.first) + " x "
                + std::to_string(size.second));
            const std::string resize = "resize " + std::to_string(size.first) + " " + std::to_string(size.second);
            const std::vector<Picture> resized
                = shotsOf(320, 240, "wait 5\n" + resize + "\n" + frames, scale, {"title", "intro"});
            const std::vector<Picture> started = shotsOf(size.first, size.second, "wait 5\n" + frames, scale,
                {"title", "intro"});
            ASSERT_EQ(resized[0].width, size.first);
            ASSERT_EQ(resized[0].height, size.second);
            EXPECT_LT(testing_support::differenceFromNotice(resized[0], notice), 12.0)
                << "the title notice covers the resized window";
            EXPECT_LE(testing_support::largestDifference(resized[0], started[0]), 2);
            EXPECT_LE(testing_support::largestDifference(resized[1], started[1]), 2);
        }
}

// Plays a script in this (child) process and prints a line per frame.
int playScripted(const std::string& scriptText, double timeStep, FrameObserver observer,
    RenderScaleSetting scale = RenderScaleSetting{false, 1.0f})
{
    platform::InputScript script;
    std::string error;
    if (!script.parse(scriptText, error))
        return 98;
    platform::ScriptedPlatform input(script, timeStep);
    setRenderScaleSetting(scale);
    setFrameObserver(observer);
    return runClankora(input);
}

// Minimised, the loop goes on without drawing: the intro flight and the robots'
// clocks advance by every frame's step, the camera keeps a finite aspect
// ratio, and the render scale, which adapts here (llvmpipe, auto), is not
// moved by frames that drew nothing: frames of the minimised loop's pause
// handed to the controller would have dropped it within a second.
TEST(Window, AMinimisedGameDrawsNothingAndGoesOn)
{
    const ChildResult result = testing_support::runInChild(
        [] {
            return playScripted("press ENTER\nwait 20\nminimise\nwait 30\nrestore\nwait 5\n", 1.0 / 30.0,
                [](const FrameReport& frame) {
                    std::printf("%ld %.3f %.5f %.4f %.9g\n", frame.frameIndex, currentRenderScale(),
                        camera.aspectRatio, camera.position.y, robot3Clock);
                },
                RenderScaleSetting());
        },
        gameFolder(320, 240));
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const std::vector<std::string> frames = lines(result.out);
    struct Frame {
        float scale, aspect, height, clock;
    };
    std::vector<Frame> seen;
    for (const std::string& line : frames) {
        long index = 0;
        Frame frame{};
        if (std::sscanf(line.c_str(), "%ld %f %f %f %f", &index, &frame.scale, &frame.aspect, &frame.height, &frame.clock)
            == 5)
            seen.push_back(frame);
    }
    // Frames 22 to 51 read the script's minimised window at their end, so
    // frames 23 to 52 find nothing to draw.
    ASSERT_GE(seen.size(), 55u) << result.out;
    for (size_t i = 23; i <= 52; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i].scale, seen[22].scale);
        EXPECT_EQ(seen[i].aspect, seen[22].aspect);
        EXPECT_LT(seen[i].height, seen[i - 1].height) << "the intro flight goes on";
        EXPECT_NE(seen[i].clock, seen[i - 1].clock) << "the robots' clock goes on";
    }
}

void printWindow(const FrameReport& frame)
{
    GLFWwindow* window = glfwGetCurrentContext();
    // A window manager's placement, which full screen must give back.
    if (frame.frameIndex == 0) {
        glfwSetWindowPos(window, 70, 40);
        const GLFWvidmode* screen = glfwGetVideoMode(glfwGetPrimaryMonitor());
        std::printf("screen %dx%d\n", screen->width, screen->height);
    }
    int x = 0, y = 0, width = 0, height = 0;
    glfwGetWindowPos(window, &x, &y);
    glfwGetWindowSize(window, &width, &height);
    std::printf("%ld %d %d %d %d %d %d\n", frame.frameIndex, x, y, width, height,
        glfwGetWindowMonitor(window) ? 1 : 0, introStarted ? 1 : 0);
}

// F11 goes to full screen on the screen's own mode and back to the window's
// size and place; so does Alt+Enter, whose Enter also starts the intro.
TEST(Window, FullScreenAndBackKeepsTheWindowsSizeAndPlace)
{
    const ChildResult result = testing_support::runInChild(
        [] { return playScripted("wait 3\npress F11\nwait 5\npress F11\nwait 5\npress LALT ENTER\nwait 5\n"
                                 "press LALT ENTER\nwait 5\n",
                 0.05, printWindow); },
        gameFolder(320, 240));
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    char screen[32] = "";
    ASSERT_EQ(std::sscanf(result.out.c_str(), "screen %31s", screen), 1) << result.out;
    std::vector<std::string> states;
    for (const std::string& line : lines(result.out)) {
        long frame = 0;
        int x = 0, y = 0, width = 0, height = 0, full = 0, intro = 0;
        if (std::sscanf(line.c_str(), "%ld %d %d %d %d %d %d", &frame, &x, &y, &width, &height, &full, &intro) != 7)
            continue;
        std::string state = full ? "full " + std::to_string(width) + "x" + std::to_string(height)
                                 : "window " + std::to_string(x) + "," + std::to_string(y) + " "
                + std::to_string(width) + "x" + std::to_string(height);
        state += intro ? " intro" : "";
        if (frame > 0 && (states.empty() || states.back() != state))
            states.push_back(state);
    }
    const std::string full = std::string("full ") + screen;
    EXPECT_EQ(states, (std::vector<std::string>{"window 70,40 320x240", full, "window 70,40 320x240",
                          full + " intro", "window 70,40 320x240 intro"}))
        << result.out;
}

// Without the focus the mouse turns nothing and no key or button reaches the
// game (the right button would print the time); with the focus back the view
// does not jump: what the pointer did meanwhile, and the motion of the frame
// after the return, are dropped, and the mouse looks around again.
TEST(Window, WithoutTheFocusNothingReachesTheGameAndTheViewDoesNotJumpBack)
{
    const ChildResult result = testing_support::runInChild(
        [] {
            return playScripted("press ENTER\nwait 100\nfocus off\nhold W RMB for 10\nmouse 300 50 over 10\n"
                                "focus on\nmouse 200 0\nwait 1\nmouse 100 0\nwait 2\n",
                0.2, [](const FrameReport& frame) {
                    std::printf("%ld %.4f %.4f %.4f\n", frame.frameIndex, camera.yawDegrees, camera.position.x,
                        camera.position.z);
                });
        },
        gameFolder(160, 120));
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out.find("Time elapsed"), std::string::npos) << "no button without the focus";
    std::vector<std::vector<float>> frames;
    for (const std::string& line : lines(result.out)) {
        long index = 0;
        float yaw = 0, x = 0, z = 0;
        if (std::sscanf(line.c_str(), "%ld %f %f %f", &index, &yaw, &x, &z) == 4)
            frames.push_back({yaw, x, z});
    }
    // Frames: 0-1 Enter, 2-101 the intro flight into level 1, 102-121
    // without the focus, 122 the return with 200 pixels, 123 the frame after,
    // 124 100 pixels.
    ASSERT_GE(frames.size(), 126u) << result.out;
    for (size_t i = 102; i <= 123; ++i)
        EXPECT_EQ(frames[i], frames[101]) << "frame " << i;
    EXPECT_NEAR(frames[124][0] - frames[123][0], 10.0f, 0.01f) << "100 pixels at 0.1 degree each";
}

} // namespace
