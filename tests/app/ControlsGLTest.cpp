#include "app/Camera.h"
#include "app/GameState.h"
#include "app/controls.h"
#include "app/musicVolume.h"
#include "app/player.h"
#include "app/settings.h"
#include "sound/SoundSystem.h"
#include "sound/fmod/ChannelGroup.h"

#include "support/GlTestContext.h"
#include "support/ScriptedInput.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using testing_support::ScriptedInput;

class Controls : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GL_CONTEXT();
        camera = Camera();
        controlsEnabled = true;
        flyMode = false;
        eyeHeight = 2.0f;
    }

    // Runs the input step for every frame of the script, returning the console output.
    std::string play(const std::string& script, int frames)
    {
        ScriptedInput input(script);
        testing::internal::CaptureStdout();
        for (int frame = 0; frame < frames; ++frame) {
            input.step();
            handlePlayerInput(0.1f);
        }
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(Controls, HoldingF1ShowsHelpOnceAndASecondPressHidesIt)
{
    helpPressCount = 0;
    EXPECT_EQ(play("hold F1 for 30\n", 30), "Help\n");
    EXPECT_TRUE(helpVisible);
    EXPECT_EQ(play("wait 1\nhold F1\n", 2), "Help\n");
    EXPECT_FALSE(helpVisible);
    // The gamepad's Back is F1; plugging it in and pulling it out say so once each.
    EXPECT_EQ(play("plug\nwait 1\nhold PAD_BACK for 3\nunplug\nwait 2\n", 6),
        "Gamepad connected: Scripted gamepad\nHelp\nGamepad disconnected: Scripted gamepad\n");
    EXPECT_TRUE(helpVisible);
}

TEST_F(Controls, F8TwiceSwitchesCullingOffAndOnWithItsMessages)
{
    frustumCullingOff = false;
    reportCulledCount = false;
    culledObjectCount = 7;
    EXPECT_EQ(play("press F8\npress F8\n", 4), "7 Elements culled\nFrustum Culling off\nFrustum Culling on\n");
    EXPECT_FALSE(frustumCullingOff);
    EXPECT_TRUE(reportCulledCount) << "the culled count keeps being reported";
}

TEST_F(Controls, MessagesWithAndWithoutLineEnds)
{
    EXPECT_EQ(play("hold F5\n", 1), "Set mipmap on/off") << "no line end";
    EXPECT_EQ(play("wait 1\nhold F4\n", 2), "Show texture sampling quality\n");
    bool wasFlying = flyMode;
    EXPECT_EQ(play("hold F6 for 3\n", 3), "Set flymode on/off\n");
    EXPECT_NE(flyMode, wasFlying);
}

TEST_F(Controls, F9IsItsOwnLatchThroughTheTransparencyFlag)
{
    transparencyFlag = false;
    EXPECT_EQ(play("hold F9 for 5\n", 5), "") << "the flag is false until a frame with F9 up";
    EXPECT_EQ(play("wait 2\nhold F9 for 10\nwait 1\n", 13), "Transparency on/off\n");
    EXPECT_TRUE(transparencyFlag);
    EXPECT_EQ(play("wait 1\nhold F9 for 3\n", 3), "Transparency on/off\n");
    EXPECT_FALSE(transparencyFlag) << "false while F9 is held";
}

TEST_F(Controls, F2PrintsTheFrameTimeEveryFrameWhileOn)
{
    frameTimePressCount = 0;
    EXPECT_EQ(play("hold F2\nwait 2\n", 3), "Frametime: 0.1\nFrametime: 0.1\nFrametime: 0.1\n");
    EXPECT_EQ(play("hold F2\nwait 2\n", 3), "");
}

TEST_F(Controls, F3SwitchesWireframeAndPolygonMode)
{
    wireframePressCount = 0;
    play("hold F3\n", 1);
    EXPECT_TRUE(wireframe);
    GLint mode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_LINE);
    play("wait 1\nhold F3\n", 2);
    EXPECT_FALSE(wireframe);
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);
    EXPECT_NO_GL_ERROR();
}

TEST_F(Controls, LightKeysSetColourAndPositionWithKeyTwoWinning)
{
    play("hold 2 3\n", 1);
    EXPECT_EQ(camera.lightIntensities, glm::vec3(1.0f, 1.0f, 0.0f));
    play("hold 3 4\n", 1);
    EXPECT_EQ(camera.lightIntensities, glm::vec3(0.0f, 1.0f, 0.0f));
    camera.position = glm::vec3(1.0f, 2.0f, 3.0f);
    eyeHeight = 2.0f;
    EXPECT_EQ(play("hold 1\n", 1), "1   2   3 0 0 -1\n");
    EXPECT_EQ(camera.lightPosition, glm::vec3(1.0f, 2.0f, 3.0f));
}

TEST_F(Controls, WithoutControlsOnlyTheHeightToggleAndFunctionKeysAct)
{
    controlsEnabled = false;
    helpPressCount = 0;
    camera.position = glm::vec3(0.0f, 2.0f, 0.0f);
    std::string out = play("mouse 100 100\nhold W E F1\nplug\nstick left 0 -1 right 1 1\nunplug\n", 3);
    EXPECT_EQ(camera.position, glm::vec3(0.0f, 2.0f, 0.0f)) << "W and the left stick do nothing";
    EXPECT_EQ(camera.yawDegrees, 0.0f) << "the mouse and the right stick do nothing";
    EXPECT_TRUE(risingEyeHeight) << "E still works";
    EXPECT_EQ(out, "Help\nGamepad connected: Scripted gamepad\n");
    risingEyeHeight = false;
    EXPECT_EQ(play("plug\nhold PAD_RB\n", 1), "") << "still plugged in";
    EXPECT_TRUE(risingEyeHeight) << "so does the right shoulder";
    EXPECT_EQ(play("wait 1\n", 1), "Gamepad disconnected: Scripted gamepad\n");
    play("hold T W\n", 1);
    EXPECT_TRUE(controlsEnabled);
    play("hold W\n", 1);
    EXPECT_LT(camera.position.z, 0.0f) << "T enabled the controls";
}

TEST_F(Controls, MusicVolumeFromTheSettingsThenMPlusAndMinusForTheRun)
{
    auto groupVolume = [] {
        float volume = -1.0f;
        EXPECT_EQ(soundSystem.musicGroup->getVolume(&volume), FMOD_OK);
        return volume;
    };
    Settings settings;
    std::ostringstream problems;
    readSettingsText("music-volume = 50\n", "c.conf", settings, problems);
    settings.renderScale = RenderScaleSetting{false, 1.0f};
    applySettings(settings);
    EXPECT_FLOAT_EQ(groupVolume(), 0.5f) << "half the group's volume";

    // A key and its keypad twin held in turn are one press, like one key held.
    EXPECT_EQ(play("press M\nhold EQUAL for 3\nwait 1\nhold KP_ADD\nhold MINUS\nhold KP_SUBTRACT\nwait 1\n"
                   "press KP_SUBTRACT\nhold M\n", 13),
        "Music muted\nMusic volume: 60 %\nMusic volume: 70 %\nMusic volume: 60 %\nMusic volume: 50 %\n"
        "Music muted\n");
    EXPECT_FLOAT_EQ(groupVolume(), 0.0f);
    EXPECT_EQ(play("wait 1\nhold M\n", 2), "Music volume: 50 %\n");
    EXPECT_FLOAT_EQ(groupVolume(), 0.5f);
    setMusicVolume(95);
    EXPECT_EQ(play("press EQUAL\nhold KP_ADD\n", 3), "Music volume: 100 %\nMusic volume: 100 %\n");
    EXPECT_FLOAT_EQ(groupVolume(), 1.0f);
    setMusicVolume(5);
    EXPECT_EQ(play("hold MINUS\n", 1), "Music volume: 0 %\n");
    EXPECT_FLOAT_EQ(groupVolume(), 0.0f);
    setMusicVolume(100);
}

TEST_F(Controls, RightButtonReportsTheTimeSinceStart)
{
    EXPECT_EQ(play("hold RMB\n", 1), "Time elapsed 100 ms\n") << "one scripted frame of 0.1 s";
}

} // namespace
