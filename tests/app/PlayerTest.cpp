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

TEST_F(PlayerMotion, MouseLookTurnsATenthOfADegreePerPixelAndRecentres)
{
    ScriptedInput input("mouse 300 -50\n");
    input.step();
    applyMouseLook();
    EXPECT_NEAR(camera.yawDegrees, 30.0f, 1e-4) << "mouse right turns right";
    EXPECT_NEAR(camera.pitchDegrees, -5.0f, 1e-4) << "mouse up looks up";
    double x = 1.0;
    double y = 1.0;
    input.input().getCursorPos(&x, &y);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
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
