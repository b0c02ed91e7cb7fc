// The game's phases and puzzles played through the input seam: each test runs
// the real game in a child process with a plan of player steps, and steps of
// its own that write what the game state is at that moment.
#include "app/Autoplay.h"
#include "app/GameState.h"
#include "app/shell.h"
#include "platform/ScriptedPlatform.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"

#include "support/ChildProcess.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <iostream>

namespace {

using autoplay::framesPerSecond;
using autoplay::Plan;
using testing_support::ChildOptions;
using testing_support::ChildResult;

std::string pillarSummary()
{
    std::string summary;
    for (plim::scene::PillarStack* stack : pillarStacks)
        summary += std::string(stack->isBottomActive() ? "1" : "0") + (stack->isMiddleActive() ? "1" : "0")
            + (stack->isTopActive() ? "1" : "0") + " ";
    return summary + "tracks " + std::to_string(activeTrackCount);
}

// A step that writes a line about the game state, between brackets.
Plan& report(Plan& plan, std::function<std::string()> what)
{
    return plan.then({"report", 2, [what](platform::FrameInput&, long) {
                          std::cout << "[" << what() << "]" << std::endl;
                          return true;
                      }});
}

Plan& startLevelOne(Plan& plan)
{
    return plan.wait(2).press(GLFW_KEY_ENTER, "Enter").waitUntil("level 1", 40 * framesPerSecond, [] {
        return levelOneStarted;
    });
}

// Plays the plan in a child process; the output holds the game's lines and the reports.
ChildResult play(Plan plan)
{
    ChildOptions options;
    options.workingDirectory = testing_support::makeGameFolder("0\n320\n180\n0\n");
    options.timeoutSeconds = 300.0;
    return testing_support::runInChild([&plan] {
        Autoplay player(plan.steps);
        platform::ScriptedPlatform input(player, 1.0 / 30.0);
        int status = runClankora(input);
        return player.gaveUp() ? 3 : status;
    }, options);
}

TEST(Progression, TDuringTheTitleGivesControlsUntilEnterStartsTheIntro)
{
    Plan plan;
    plan.wait(3).press(GLFW_KEY_T, "T");
    report(plan, [] { return "controls " + std::to_string(controlsEnabled) + " intro " + std::to_string(introStarted); });
    plan.press(GLFW_KEY_ENTER, "Enter");
    report(plan, [] { return "controls " + std::to_string(controlsEnabled) + " intro " + std::to_string(introStarted); });
    ChildResult result = play(plan);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "[controls 1 intro 0]\n[controls 0 intro 1]\n");
}

TEST(Progression, PillarsJukeboxAndResetKey)
{
    Plan plan;
    startLevelOne(plan).pillar(1, bottomPillar, true).pillar(2, middlePillar, true);
    report(plan, pillarSummary);
    // The jukebox starts by switching every pillar off.
    plan.listenToJukebox();
    report(plan, [] { return pillarSummary() + " jukebox " + std::to_string(jukeboxPlaying); });
    plan.pillar(2, middlePillar, true).pillar(2, topPillar, true);
    plan.then({"hold R", 30, [](platform::FrameInput& input, long frame) {
                   input.keys.set(GLFW_KEY_R);
                   return frame >= 20;
               }});
    report(plan, pillarSummary);
    ChildResult result = play(plan);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "[000 100 010 000 tracks 2]\n[000 000 000 000 tracks 0 jukebox 0]\n"
                          "[000 000 000 000 tracks 0]\n");
}

TEST(Progression, AHeldButtonSwitchesOnePillarUntilReleased)
{
    Plan plan;
    startLevelOne(plan).walk(0.0f, 3.0f).walk(2.3f, 3.0f);
    // Aim at the middle pillar of stack 0 and keep the button down for a second.
    plan.pillar(0, middlePillar, true);
    plan.then({"hold the button", 40, [](platform::FrameInput& input, long frame) {
                   input.buttons.set(GLFW_MOUSE_BUTTON_LEFT);
                   return frame >= 30;
               }});
    report(plan, pillarSummary);
    plan.pillar(0, middlePillar, false);
    report(plan, pillarSummary);
    // Still aiming at it: the gamepad's A held for a second switches it once,
    // B then holds the reset.
    auto padHolds = [](int button, const char* what) {
        return autoplay::Step{what, 40, [button](platform::FrameInput& input, long frame) {
                                  input.pad.connected = true;
                                  input.pad.buttons[button] = frame < 30;
                                  return frame >= 32;
                              }};
    };
    plan.wait(2).then(padHolds(GLFW_GAMEPAD_BUTTON_A, "hold A"));
    report(plan, pillarSummary);
    plan.then(padHolds(GLFW_GAMEPAD_BUTTON_B, "hold B"));
    report(plan, pillarSummary);
    ChildResult result = play(plan);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "[010 000 000 000 tracks 1]\n[000 000 000 000 tracks 0]\n"
                          "Gamepad connected: Scripted gamepad\n[010 000 000 000 tracks 1]\n"
                          "[000 000 000 000 tracks 0]\n");
}

TEST(Progression, DoorOnlyLeadsOnWithThePatternAndLevelTwoNeedsTheVoicesHeard)
{
    Plan plan;
    startLevelOne(plan).walk(0.0f, 0.0f).walk(0.0f, 8.8f).wait(10);
    report(plan, [] { return "at the door, level 2 " + std::to_string(levelTwo); });
    plan.pillar(1, bottomPillar, true).pillar(2, middlePillar, true);
    plan.throughTheDoor("door", [] { return levelTwo; }).wait(2);
    plan.pillar(0, topPillar, true).pillar(2, topPillar, true).wait(2);
    report(plan, [] { return "without voices " + std::to_string(levelTwoSolved); });
    plan.pillar(0, bottomPillar, true).pillar(3, middlePillar, true).wait(2);
    report(plan, [] { return "voices on " + std::to_string(levelTwoSolved); });
    plan.pillar(3, middlePillar, false).pillar(0, bottomPillar, false).wait(2);
    report(plan, [] { return "voices heard and off " + std::to_string(levelTwoSolved); });
    ChildResult result = play(plan);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "[at the door, level 2 0]\nLevel 2 loaded\n[without voices 0]\n[voices on 0]\n"
                          "[voices heard and off 1]\n");
}

} // namespace
