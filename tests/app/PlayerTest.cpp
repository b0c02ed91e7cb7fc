#include "app/Camera.h"
#include "app/GameState.h"
#include "app/player.h"

#include "support/ScriptedInput.h"

#include <gtest/gtest.h>

namespace {

using testing_support::ScriptedInput;

class PlayerMotion : public ::testing::Test {
protected:
    void SetUp() override
    {
        camera = Camera();
        camera.position = glm::vec3(0.0f, 2.0f, 0.0f);
        flyMode = false;
        controlsEnabled = true;
        eyeHeight = 2.0f;
        targetEyeHeight = 2.25f;
        risingEyeHeight = loweringEyeHeight = onStairs = false;
        stairsBaseHeight = 2.0f;
        mouseSensitivity = 1.0f;
        invertMouse = false;
    }

    void TearDown() override
    {
        mouseSensitivity = 1.0f;
        invertMouse = false;
    }

    // Moves once with the keys held and returns the camera's displacement.
    glm::vec3 moveWith(const std::string& keys, float deltaTime = 0.1f)
    {
        ScriptedInput input("hold " + keys + "\n");
        input.step();
        glm::vec3 before = camera.position;
        applyMovementKeys(deltaTime);
        return camera.position - before;
    }
};

TEST_F(PlayerMotion, StraightAheadIsFasterThanBackwards)
{
    glm::vec3 forward = moveWith("W");
    EXPECT_NEAR(glm::length(forward), 0.1f * 2.5f * 1.2f, 1e-6) << "3 units per second";
    EXPECT_LT(forward.z, 0.0f) << "yaw 0 looks along -z";
    glm::vec3 backward = moveWith("S");
    EXPECT_NEAR(glm::length(backward), 0.25f, 1e-6);
    EXPECT_NEAR(glm::length(forward) / glm::length(backward), 1.2f, 1e-5);
    EXPECT_NEAR(glm::length(moveWith("A")), 0.25f, 1e-6);
    EXPECT_GT(moveWith("D").x, 0.0f);
}

TEST_F(PlayerMotion, DiagonalsMove0707AlongEachVector)
{
    glm::vec3 d = moveWith("W A");
    EXPECT_NEAR(d.z, -0.25f * 0.707f, 1e-6);
    EXPECT_NEAR(d.x, -0.25f * 0.707f, 1e-6);
    glm::vec3 threeKeys = moveWith("W A D");
    EXPECT_NEAR(threeKeys.x, -0.25f * 0.707f, 1e-6) << "W, A and D apply the W+A row only";
    glm::vec3 back = moveWith("S D");
    EXPECT_NEAR(back.z, 0.25f * 0.707f, 1e-6);
    EXPECT_NEAR(back.x, 0.25f * 0.707f, 1e-6);
}

TEST_F(PlayerMotion, YAndXMoveStraightDownAndUp)
{
    EXPECT_NEAR(moveWith("Y").y, -0.25f, 1e-6);
    EXPECT_NEAR(moveWith("X").y, 0.25f, 1e-6);
    EXPECT_NEAR(moveWith("W Y").y, 0.0f, 1e-6) << "W comes first in the table";
}

TEST_F(PlayerMotion, ForwardFollowsPitchUntilWalkHeightOverridesIt)
{
    camera.pitchDegrees = 45.0f;
    glm::vec3 d = moveWith("W");
    EXPECT_LT(d.y, -0.2f) << "looking down moves down";
    applyWalkHeight();
    EXPECT_FLOAT_EQ(camera.position.y, 2.0f);
    flyMode = true;
    moveWith("W");
    applyWalkHeight();
    EXPECT_LT(camera.position.y, 2.0f) << "fly mode keeps the height";
}

TEST_F(PlayerMotion, MouseLookTurnsATenthOfADegreeTimesTheSensitivityPerPixelAndRecentres)
{
    struct Case {
        float sensitivity;
        bool invert;
        float yaw;
        float pitch;
    };
    // Mouse right turns right; mouse up looks up unless inverted.
    for (const Case c : {Case{1.0f, false, 30.0f, -5.0f}, Case{2.5f, false, 75.0f, -12.5f},
             Case{0.1f, true, 3.0f, 0.5f}, Case{10.0f, true, 300.0f, 50.0f}}) {
        SCOPED_TRACE(testing::Message() << "sensitivity " << c.sensitivity << (c.invert ? " inverted" : ""));
        camera = Camera();
        mouseSensitivity = c.sensitivity;
        invertMouse = c.invert;
        ScriptedInput input("mouse 300 -50\n");
        input.step();
        applyMouseLook();
        EXPECT_NEAR(camera.yawDegrees, c.yaw, 1e-4);
        EXPECT_NEAR(camera.pitchDegrees, c.pitch, 1e-4);
        double x = 1.0;
        double y = 1.0;
        input.input().getCursorPos(&x, &y);
        EXPECT_EQ(x, 0.0);
        EXPECT_EQ(y, 0.0);
    }
}

TEST_F(PlayerMotion, LeftStickWalksAtTheKeyboardsSpeedsScaledByHowFarItIsPushed)
{
    auto moveWithStick = [this](const std::string& position) {
        ScriptedInput input("plug\nstick left " + position + "\n");
        input.step();
        glm::vec3 before = camera.position;
        applyStickMovement(0.1f);
        return camera.position - before;
    };
    const glm::vec3 full = moveWithStick("0 -1");
    EXPECT_NEAR(full.z, moveWith("W").z, 1e-6) << "full ahead is W's 3 units a second";
    const glm::vec3 half = moveWithStick("0 -0.5");
    EXPECT_NEAR(half.z, full.z / 2.0f, 1e-6) << "half way walks at half speed";
    EXPECT_NEAR(half.x, 0.0f, 1e-6);
    EXPECT_NEAR(moveWithStick("0 1").z, moveWith("S").z, 1e-6);
    EXPECT_NEAR(moveWithStick("-0.5 0").x, moveWith("A").x / 2.0f, 1e-6);
    EXPECT_NEAR(glm::length(moveWithStick("1 1")), glm::length(moveWithStick("0.7071068 0.7071068")), 1e-6)
        << "a square gate's corner walks no faster than full tilt";
    EXPECT_EQ(moveWithStick("0.1 -0.15"), glm::vec3(0.0f)) << "inside the dead zone";
}

TEST_F(PlayerMotion, RightStickTurnsUpTo180DegreesASecondTimesTheSensitivity)
{
    auto turnFor = [](const std::string& position, int frames) {
        camera = Camera();
        ScriptedInput input("plug\nstick right " + position + " for " + std::to_string(frames) + "\n");
        for (int frame = 0; frame < frames; ++frame) {
            input.step();
            applyStickLook(0.1f);
        }
    };
    turnFor("1 0", 10);
    EXPECT_NEAR(camera.yawDegrees, 180.0f, 1e-3) << "a second at full tilt";
    turnFor("0 -1", 2);
    EXPECT_NEAR(camera.pitchDegrees, -36.0f, 1e-3) << "stick up looks up";
    turnFor("0.6 0", 10);
    EXPECT_NEAR(camera.yawDegrees, 90.0f, 1e-3) << "from still at the dead zone's edge";
    turnFor("0.15 0.1", 10);
    EXPECT_EQ(camera.yawDegrees, 0.0f);
    mouseSensitivity = 0.5f;
    invertMouse = true;
    turnFor("-1 -1", 1);
    EXPECT_NEAR(camera.yawDegrees, 360.0f - 9.0f * 0.7071068f, 1e-3);
    EXPECT_NEAR(camera.pitchDegrees, 9.0f * 0.7071068f, 1e-3) << "inverted, stick up looks down";
}

TEST_F(PlayerMotion, WalkBoundsOnlyInWalkMode)
{
    camera.position = glm::vec3(7.0f, 2.0f, -12.0f);
    applyWalkBounds();
    EXPECT_FLOAT_EQ(camera.position.x, 6.0f);
    EXPECT_FLOAT_EQ(camera.position.z, -9.8f);
    flyMode = true;
    camera.position = glm::vec3(-70.0f, 2.0f, 12.0f);
    applyWalkBounds();
    EXPECT_FLOAT_EQ(camera.position.x, -70.0f);
}

TEST_F(PlayerMotion, TappingERaisesThroughNormalToRaisedThenStops)
{
    auto tapAndAnimate = [](const char* key) {
        ScriptedInput input(std::string("hold ") + key + "\n");
        input.step();
        chooseEyeHeightTargets();
        for (int frame = 0; frame < 60; ++frame)
            animateEyeHeight(0.02f);
    };
    tapAndAnimate("E");
    EXPECT_GE(eyeHeight, 2.25f);
    EXPECT_LE(eyeHeight, 2.25f + 0.05f + 1e-5f) << "overshoot at most one frame's step";
    tapAndAnimate("SPACE");
    EXPECT_GE(eyeHeight, 3.0f);
    float raised = eyeHeight;
    tapAndAnimate("E");
    EXPECT_FLOAT_EQ(eyeHeight, raised) << "a third tap does nothing";

    tapAndAnimate("Q");
    EXPECT_LT(eyeHeight, 2.25f) << "lowering ends just below the target";
    EXPECT_GE(eyeHeight, 2.25f - 0.05f - 1e-5f);
    tapAndAnimate("LSHIFT");
    EXPECT_LT(eyeHeight, 1.5f);
    float crouched = eyeHeight;
    tapAndAnimate("Q");
    EXPECT_FLOAT_EQ(eyeHeight, crouched);
}

TEST_F(PlayerMotion, HoldingERechoosesTheTargetEveryFrame)
{
    ScriptedInput input("hold E for 200\n");
    for (int frame = 0; frame < 100; ++frame) {
        input.step();
        chooseEyeHeightTargets();
        animateEyeHeight(0.02f);
    }
    EXPECT_GE(eyeHeight, 3.0f);
    EXPECT_LE(eyeHeight, 3.05f + 1e-5f);
}

TEST_F(PlayerMotion, StairsRaiseTheEyeAboveTheCapturedBase)
{
    camera.position.z = 7.0f;
    applyStairs();
    EXPECT_FALSE(onStairs) << "off the stairs the latch is cleared again";
    camera.position.z = 8.5f;
    applyStairs();
    EXPECT_FLOAT_EQ(eyeHeight, 2.5f);
    camera.position.z = 9.0f;
    applyStairs();
    EXPECT_FLOAT_EQ(eyeHeight, 3.0f) << "the base stays the height when the stairs were entered";
    camera.position.z = 7.5f;
    applyStairs();
    EXPECT_FLOAT_EQ(eyeHeight, 3.0f) << "leaving keeps the last height";
    camera.position.z = 8.25f;
    applyStairs();
    EXPECT_FLOAT_EQ(eyeHeight, 3.25f) << "which becomes the new base";

    flyMode = true;
    camera.position.z = 9.5f;
    applyStairs();
    EXPECT_FLOAT_EQ(eyeHeight, 3.25f);
}

TEST_F(PlayerMotion, PushOutOrderMattersWhereCirclesOverlap)
{
    camera.position = glm::vec3(0.5f, 2.0f, 0.0f);
    pushOutOf(0.0f, 0.0f, 1.0f);
    pushOutOf(1.5f, 0.0f, 1.0f);
    EXPECT_NEAR(camera.position.x, 0.5f, 1e-6) << "the second circle pushes back into the first";
    camera.position = glm::vec3(0.5f, 2.0f, 0.0f);
    pushOutOf(1.5f, 0.0f, 1.0f);
    pushOutOf(0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(camera.position.x, 1.0f, 1e-6);
    camera.position = glm::vec3(1.5f, 2.0f, 0.0f);
    pushOutOf(1.5f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(camera.position.x, 1.5f) << "standing on the centre";
}

} // namespace
