#include "platform/InputScript.h"
#include "platform/KeyNames.h"
#include "platform/ScriptedPlatform.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace {

using platform::FrameInput;
using platform::InputScript;

std::vector<FrameInput> expand(const std::string& text)
{
    InputScript script;
    std::string error;
    EXPECT_TRUE(script.parse(text, error)) << error;
    return script.frames();
}

std::string parseError(const std::string& text)
{
    InputScript script;
    std::string error;
    EXPECT_FALSE(script.parse(text, error));
    return error;
}

TEST(KeyNames, LettersDigitsFunctionKeysAndNames)
{
    EXPECT_EQ(platform::keyCodeFromName("w"), GLFW_KEY_W);
    EXPECT_EQ(platform::keyCodeFromName("7"), GLFW_KEY_7);
    EXPECT_EQ(platform::keyCodeFromName("F9"), GLFW_KEY_F9);
    EXPECT_EQ(platform::keyCodeFromName("f12"), GLFW_KEY_F12);
    EXPECT_EQ(platform::keyCodeFromName("Enter"), GLFW_KEY_ENTER);
    EXPECT_EQ(platform::keyCodeFromName("LSHIFT"), GLFW_KEY_LEFT_SHIFT);
    EXPECT_EQ(platform::keyCodeFromName("F0"), -1);
    EXPECT_EQ(platform::keyCodeFromName("F99"), -1);
    EXPECT_EQ(platform::keyCodeFromName("WW"), -1);
}

TEST(InputScriptCommands, HoldWaitAndPressCountFrames)
{
    auto frames = expand("hold W A for 3\nwait 2\npress ENTER\n");
    ASSERT_EQ(frames.size(), 7u);
    EXPECT_TRUE(frames[0].keys.test(GLFW_KEY_W) && frames[2].keys.test(GLFW_KEY_A));
    EXPECT_FALSE(frames[3].keys.test(GLFW_KEY_W));
    EXPECT_TRUE(frames[5].keys.test(GLFW_KEY_ENTER));
    EXPECT_TRUE(frames[6].keys.none()) << "press releases the key for one frame";
}

TEST(InputScriptCommands, DownAndUpKeepKeysAcrossCommands)
{
    auto frames = expand("down S\nwait 2\nhold D\nup S\nwait 1 # comment\n");
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_TRUE(frames[0].keys.test(GLFW_KEY_S));
    EXPECT_TRUE(frames[2].keys.test(GLFW_KEY_S) && frames[2].keys.test(GLFW_KEY_D));
    EXPECT_FALSE(frames[3].keys.test(GLFW_KEY_S));
}

TEST(InputScriptCommands, MouseMotionIsSpreadAndButtonsClick)
{
    auto frames = expand("mouse 90 -30 over 3\nclick\nclick right for 2\nhold LMB\n");
    ASSERT_EQ(frames.size(), 3u + 2u + 3u + 1u);
    EXPECT_DOUBLE_EQ(frames[0].mouseDx, 30.0);
    EXPECT_DOUBLE_EQ(frames[2].mouseDy, -10.0);
    EXPECT_TRUE(frames[3].buttons.test(GLFW_MOUSE_BUTTON_LEFT));
    EXPECT_FALSE(frames[4].buttons.any());
    EXPECT_TRUE(frames[5].buttons.test(GLFW_MOUSE_BUTTON_RIGHT) && frames[6].buttons.test(GLFW_MOUSE_BUTTON_RIGHT));
    EXPECT_TRUE(frames[8].buttons.test(GLFW_MOUSE_BUTTON_LEFT));
}

TEST(InputScriptCommands, ShotsBelongToThePictureAfterThePrecedingFrames)
{
    auto frames = expand("shot title\nwait 2\nshot after\nshot again\nquit\nwait 100\n");
    ASSERT_EQ(frames.size(), 4u) << "quit ends the script";
    EXPECT_EQ(frames[0].shot, "title");
    EXPECT_EQ(frames[2].shot, "after");
    EXPECT_EQ(frames[3].shot, "again") << "a second shot needs a frame of its own";
}

TEST(InputScriptCommands, ErrorsNameTheLine)
{
    EXPECT_EQ(parseError("wait 1\nhold NOPE\n"), "line 2: unknown key in 'hold NOPE'");
    EXPECT_EQ(parseError("wait -3\n"), "line 1: wait needs a frame count");
    EXPECT_EQ(parseError("fly\n"), "line 1: unknown command 'fly'");
    EXPECT_EQ(parseError("hold W for x\n"), "line 1: bad frame count 'x'");
    EXPECT_EQ(parseError("mouse 1\n"), "line 1: mouse needs DX DY");
    EXPECT_EQ(parseError("shot ../etc\n"), "line 1: shot names use letters, digits, '-' and '_'");
    EXPECT_EQ(parseError("plug\nunplug\npress PAD_A\n"), "line 3: plug the gamepad in first ('plug')");
    EXPECT_EQ(parseError("stick left 0 1\n"), "line 1: plug the gamepad in first ('plug')");
    EXPECT_EQ(parseError("plug\nstick left 0 1.5\n"), "line 2: stick needs left or right, X and Y from -1 to 1");
}

TEST(InputScriptCommands, TheGamepadPlugsInMovesItsSticksAndPressesItsButtons)
{
    auto frames = expand("wait 1\nplug\nstick left 0.5 -1 right -0.25 0 for 2\npress PAD_A pad_start\n"
                         "down PAD_RB\nwait 1\nunplug\nwait 1\n");
    ASSERT_EQ(frames.size(), 1u + 2u + 2u + 1u + 1u);
    EXPECT_FALSE(frames[0].pad.connected);
    EXPECT_TRUE(frames[1].pad.connected);
    EXPECT_FLOAT_EQ(frames[2].pad.axes[GLFW_GAMEPAD_AXIS_LEFT_X], 0.5f);
    EXPECT_FLOAT_EQ(frames[2].pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y], -1.0f);
    EXPECT_FLOAT_EQ(frames[2].pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_X], -0.25f);
    EXPECT_FLOAT_EQ(frames[2].pad.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER], -1.0f) << "a trigger let go";
    EXPECT_FLOAT_EQ(frames[3].pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y], 0.0f) << "the sticks spring back";
    EXPECT_TRUE(frames[3].pad.buttons[GLFW_GAMEPAD_BUTTON_A] && frames[3].pad.buttons[GLFW_GAMEPAD_BUTTON_START]);
    EXPECT_FALSE(frames[4].pad.buttons[GLFW_GAMEPAD_BUTTON_A]);
    EXPECT_TRUE(frames[5].pad.buttons[GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER]);
    EXPECT_FALSE(frames[6].pad.connected || frames[6].pad.buttons[GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER])
        << "pulling it out lets everything go";

    // When the script runs out the pad stays plugged in, let go.
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.parse("plug\nhold PAD_B\n", error));
    platform::ScriptedPlatform input(script, 0.1);
    EXPECT_FALSE(input.gamepad().connected);
    input.pollEvents();
    EXPECT_TRUE(input.gamepad().connected && input.gamepad().buttons[GLFW_GAMEPAD_BUTTON_B]);
    EXPECT_STREQ(input.gamepad().name, platform::scriptedGamepadName);
    input.pollEvents();
    EXPECT_TRUE(input.isKeyDown(GLFW_KEY_ESCAPE));
    EXPECT_TRUE(input.gamepad().connected);
    EXPECT_FALSE(input.gamepad().buttons[GLFW_GAMEPAD_BUTTON_B]);
}

TEST(ScriptedPlatform, TimeStepsCursorAndEscapeAtTheEnd)
{
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.parse("mouse 5 7\nhold Q\n", error));
    platform::ScriptedPlatform input(script, 0.25);
    EXPECT_DOUBLE_EQ(input.getTime(), 0.25) << "the first frame sees one step";
    input.pollEvents();
    double x = 0.0;
    double y = 0.0;
    input.getCursorPos(&x, &y);
    EXPECT_EQ(x, 5.0);
    EXPECT_EQ(y, 7.0);
    input.setCursorPos(0.0, 0.0);
    EXPECT_FALSE(input.isKeyDown(GLFW_KEY_ESCAPE));
    input.pollEvents();
    EXPECT_TRUE(input.isKeyDown(GLFW_KEY_Q));
    input.getCursorPos(&x, &y);
    EXPECT_EQ(x, 0.0) << "no motion in this frame";
    EXPECT_DOUBLE_EQ(input.getTime(), 0.75);
    EXPECT_DOUBLE_EQ(input.millisecondsSinceStart(), 500.0) << "two frames polled";
    input.pollEvents();
    EXPECT_TRUE(input.isKeyDown(GLFW_KEY_ESCAPE));
    EXPECT_FALSE(input.isKeyDown(GLFW_KEY_Q));
    EXPECT_FALSE(input.isKeyDown(-5));
    EXPECT_FALSE(input.isKeyDown(100000));
}

} // namespace
