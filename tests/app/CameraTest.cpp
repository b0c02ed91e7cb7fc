#include "app/Camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CameraAngles, YawWrapsIntoZeroTo360)
{
    Camera c;
    c.yawDegrees = 350.0f;
    c.turn(0.0f, 20.0f);
    EXPECT_FLOAT_EQ(c.yawDegrees, 10.0f) << "a sum of 370 gives 10";
    c.yawDegrees = 5.0f;
    c.turn(0.0f, -15.0f);
    EXPECT_FLOAT_EQ(c.yawDegrees, 350.0f) << "a sum of -10 gives 350";
    c.yawDegrees = 0.0f;
    c.turn(0.0f, 360.0f);
    EXPECT_FLOAT_EQ(c.yawDegrees, 0.0f);
    c.turn(0.0f, -720.0f);
    EXPECT_GE(c.yawDegrees, 0.0f);
    EXPECT_LT(c.yawDegrees, 360.0f);
}

TEST(CameraAngles, PitchStopsAtPlusMinus85)
{
    Camera c;
    c.turn(200.0f, 0.0f);
    EXPECT_FLOAT_EQ(c.pitchDegrees, 85.0f);
    c.turn(-1000.0f, 0.0f);
    EXPECT_FLOAT_EQ(c.pitchDegrees, -85.0f);
    c.turn(30.0f, 0.0f);
    EXPECT_FLOAT_EQ(c.pitchDegrees, -55.0f);
}

TEST(CameraAngles, FaceTowardsGivesYawAndPitch)
{
    Camera c;
    c.position = glm::vec3(48.6f, 25.0f, -18.74f);
    c.faceTowards(glm::vec3(49.6f, 25.0f, -18.74f));
    EXPECT_NEAR(c.yawDegrees, 90.0f, 1e-4);
    EXPECT_NEAR(c.pitchDegrees, 0.0f, 1e-4);
    glm::vec3 forward = c.forwardVector();
    EXPECT_NEAR(forward.x, 1.0f, 1e-5);
    EXPECT_NEAR(forward.z, 0.0f, 1e-5);

    c.position = glm::vec3(0.0f, 2.0f, -9.0f);
    c.faceTowards(glm::vec3(0.0f, 2.0f, 0.0f));
    EXPECT_NEAR(c.yawDegrees, 180.0f, 1e-4) << "looking along +z";
    EXPECT_NEAR(c.forwardVector().z, 1.0f, 1e-5);

    c.faceTowards(glm::vec3(0.0f, 1.0f, -8.0f));
    EXPECT_NEAR(c.pitchDegrees, 45.0f, 1e-3) << "positive pitch looks down";

    c.faceTowards(glm::vec3(0.0f, 100.0f, -9.0f));
    EXPECT_FLOAT_EQ(c.pitchDegrees, -85.0f) << "straight up is clamped";
}

TEST(CameraVectors, ForwardAndRightFollowTheAngles)
{
    Camera c;
    glm::vec3 forward = c.forwardVector();
    EXPECT_NEAR(forward.z, -1.0f, 1e-6) << "yaw 0 looks along -z";
    glm::vec3 right = c.rightVector();
    EXPECT_NEAR(right.x, 1.0f, 1e-6);
    c.turn(0.0f, 90.0f);
    EXPECT_NEAR(c.forwardVector().x, 1.0f, 1e-6) << "mouse right turns right";
    EXPECT_NEAR(c.rightVector().z, 1.0f, 1e-6);
}

TEST(CameraMatrices, ViewMovesEyeToOriginAndProjectionMatchesPerspective)
{
    Camera c;
    c.position = glm::vec3(1.0f, 2.0f, 3.0f);
    c.turn(10.0f, 33.0f);
    glm::vec4 eye = c.viewMatrix() * glm::vec4(c.position, 1.0f);
    EXPECT_NEAR(glm::length(glm::vec3(eye)), 0.0f, 1e-5);

    glm::mat4 p = c.projectionMatrix();
    float t = std::tan(50.0f * 0.017453292f * 0.5f);
    EXPECT_NEAR(p[0][0], 1.0f / (c.aspectRatio * t), 1e-5);
    EXPECT_NEAR(p[1][1], 1.0f / t, 1e-5);
    EXPECT_NEAR(p[2][2], -(200.0f + 0.01f) / (200.0f - 0.01f), 1e-6);
    EXPECT_FLOAT_EQ(p[2][3], -1.0f);
    glm::mat4 vp = c.viewProjectionMatrix();
    glm::mat4 expected = p * c.viewMatrix();
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_FLOAT_EQ(vp[i][j], expected[i][j]);
}

TEST(CameraLooking, PointsInFrontWithinRadiusOnly)
{
    Camera c;
    c.position = glm::vec3(0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(c.isLookingAt(glm::vec3(0.0f, 0.0f, -5.0f), 0.5f));
    EXPECT_TRUE(c.isLookingAt(glm::vec3(0.4f, 0.0f, -5.0f), 0.5f));
    EXPECT_FALSE(c.isLookingAt(glm::vec3(0.5f, 0.0f, -5.0f), 0.5f)) << "the radius comparison is strict";
    EXPECT_FALSE(c.isLookingAt(glm::vec3(0.0f, 0.0f, 5.0f), 0.5f)) << "behind the eye on the line of sight";
    EXPECT_FALSE(c.isLookingAt(glm::vec3(0.0f, 0.0f, 0.0f), 0.5f)) << "at the eye is not in front";
}

TEST(CameraCircles, PushOutMovesRadiallyToTheEdge)
{
    Camera c;
    c.position = glm::vec3(0.5f, 2.0f, 0.0f);
    c.pushOutOfCircle(1.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_NEAR(c.position.x, 1.0f, 1e-6);
    EXPECT_FLOAT_EQ(c.position.y, 2.0f) << "height untouched";
    EXPECT_FLOAT_EQ(c.position.z, 0.0f);

    c.position = glm::vec3(3.0f, 0.0f, 4.0f);
    c.pushOutOfCircle(5.0f, 0.0f, 0.0f, 5.0f);
    EXPECT_NEAR(glm::length(glm::vec2(c.position.x, c.position.z)), 10.0f, 1e-5);

    c.position = glm::vec3(3.0f, 0.0f, 0.0f);
    c.pushOutOfCircle(1.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(c.position.x, 3.0f) << "outside the circle nothing moves";
}

TEST(CameraCircles, StandingOnTheCentreStays)
{
    Camera c;
    c.position = glm::vec3(4.0f, 2.0f, 3.0f);
    c.pushOutOfCircle(0.5f, 4.0f, 3.0f, 0.5f);
    EXPECT_EQ(c.position, glm::vec3(4.0f, 2.0f, 3.0f));
    c.position = glm::vec3(4.005f, 2.0f, 3.0f);
    c.pushOutOfCircle(0.5f, 4.0f, 3.0f, 0.5f);
    EXPECT_FLOAT_EQ(c.position.x, 4.005f) << "squared distance below 0.0001";
}

TEST(CameraCircles, RangeTestIsMinusOneUpToTheRadiusSum)
{
    Camera c;
    c.position = glm::vec3(3.0f, 0.0f, 0.0f);
    EXPECT_EQ(c.rangeTest(1.5f, 0.0f, 0.0f, 1.5f), -1.0f) << "exactly on the boundary";
    c.position = glm::vec3(3.001f, 0.0f, 0.0f);
    EXPECT_NEAR(c.rangeTest(1.5f, 0.0f, 0.0f, 1.5f), 3.001f * 3.001f, 1e-4);
    c.position = glm::vec3(1.0f, 0.0f, 1.0f);
    EXPECT_EQ(c.rangeTest(1.5f, 0.0f, 0.0f, 1.5f), -1.0f);
}

TEST(CameraObject, SeventeenFloatsWithTheirStartValues)
{
    Camera c;
    EXPECT_EQ(sizeof(Camera), 17 * sizeof(float));
    EXPECT_EQ(c.position, glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(c.fieldOfViewDegrees, 50.0f);
    EXPECT_FLOAT_EQ(c.nearClip, 0.01f);
    EXPECT_FLOAT_EQ(c.farClip, 200.0f);
    EXPECT_FLOAT_EQ(c.aspectRatio, 1.3333334f);
    EXPECT_EQ(c.lightIntensities, glm::vec3(0.0f));
}

} // namespace
