#include "scene/Cube.h"
#include "scene/Pillar.h"
#include "scene/PillarStack.h"

#include "app/GameState.h"
#include "sceneGlSupport.h"
#include "support/ChildProcess.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

using namespace plim::scene;
using scenetest::cameraLookingAt;

glm::vec3 centreOf(const SceneObject& object)
{
    return glm::vec3(object.modelMatrix * glm::vec4(0, 0, 0, 1));
}

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

class Pillars : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GL_CONTEXT();
        scenetest::buildScenePrograms();
        if (!metalBoxTexture) {
            const std::string directory = testing_support::makeTempDirectory("clankora-pillars");
            metalBoxTexture = scenetest::solidTexture(directory, "metal", 150, 150, 160);
            woodBoxTexture = scenetest::solidTexture(directory, "wood", 160, 110, 60);
            containerTexture = scenetest::solidTexture(directory, "container", 40, 90, 200);
        }
        stack = std::make_unique<PillarStack>();
        EXPECT_NO_GL_ERROR();
    }
    void TearDown() override
    {
        stack.reset();
        EXPECT_NO_GL_ERROR();
    }

    Pillar& bottom() { return *stack->pillars[0]; }
    Pillar& middle() { return *stack->pillars[1]; }
    Pillar& top() { return *stack->pillars[2]; }

    std::unique_ptr<PillarStack> stack;
};

TEST_F(Pillars, StackIsBuiltFromTheRegistry)
{
    EXPECT_EQ(stack->shader, cameraShader);
    EXPECT_EQ(stack->boxShader, cameraShader);
    EXPECT_EQ(stack->depthShader, shadowDistancesShader);
    EXPECT_EQ(bottom().texture, metalBoxTexture);
    EXPECT_EQ(middle().texture, woodBoxTexture);
    EXPECT_EQ(top().texture, containerTexture);
    EXPECT_EQ(stack->box->texture, metalBoxTexture);
    EXPECT_EQ(bottom().getVector(), glm::vec3(1, 1, 1));
    EXPECT_FALSE(stack->isBottomActive() || stack->isMiddleActive() || stack->isTopActive());
    EXPECT_FALSE(stack->clickLatch);
    EXPECT_EQ(stack->getPosition(), glm::vec3(0, 2, 0));
    EXPECT_EQ(stack->getAimRadius(), 0.5f);
}

TEST_F(Pillars, EyeHeightChoosesThePillar)
{
    stack->togglePillarAt(1.75f);
    EXPECT_TRUE(stack->isBottomActive());
    EXPECT_FALSE(stack->isMiddleActive());
    stack->togglePillarAt(1.76f);
    EXPECT_TRUE(stack->isMiddleActive());
    stack->togglePillarAt(2.5f);
    EXPECT_FALSE(stack->isMiddleActive()) << "the same pillar again switches it back";
    EXPECT_FALSE(stack->isTopActive());
    stack->togglePillarAt(2.75f);
    EXPECT_TRUE(stack->isTopActive());
    EXPECT_TRUE(stack->isBottomActive());

    stack->togglePillarAt(std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE(stack->isBottomActive() && !stack->isMiddleActive() && stack->isTopActive()) << "NaN chooses none";

    stack->deactivateAll();
    EXPECT_FALSE(stack->isBottomActive() || stack->isMiddleActive() || stack->isTopActive());
}

TEST_F(Pillars, TranslationPlacesPillarsAimsAndPole)
{
    stack->translate(4, 0, 3);
    expectNear(centreOf(bottom()), glm::vec3(4, 1.0f, 3));
    expectNear(centreOf(middle()), glm::vec3(4, 2.25f, 3));
    expectNear(centreOf(top()), glm::vec3(4, 3.5f, 3));
    expectNear(stack->getBottomAim(), centreOf(bottom()));
    expectNear(stack->getMiddleAim(), centreOf(middle()));
    expectNear(stack->getTopAim(), centreOf(top()));
    const glm::mat4 pole = glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(4, 0, 3)), glm::vec3(0.15f, 7, 0.15f));
    EXPECT_EQ(stack->box->modelMatrix, pole);
}

TEST_F(Pillars, SecondTranslationScalesThePoleAgain)
{
    stack->translate(4, 0, 3);
    stack->translate(0, 0, 0);
    EXPECT_NEAR(stack->box->modelMatrix[1][1], 49.0f, 1e-4f);
    EXPECT_NEAR(stack->box->modelMatrix[0][0], 0.0225f, 1e-6f);
}

TEST_F(Pillars, ScaleEnlargesThePillarsAboutTheirCentresOnly)
{
    stack->translate(-4, 0, -3);
    const glm::mat4 pole = stack->box->modelMatrix;
    const glm::vec3 middleAim = stack->getMiddleAim();
    stack->scale(2, 2, 2);
    expectNear(centreOf(middle()), glm::vec3(-4, 2.25f, -3));
    EXPECT_NEAR(glm::length(glm::vec3(middle().modelMatrix[0])), 2.0f, 1e-6f);
    EXPECT_EQ(stack->box->modelMatrix, pole);
    EXPECT_EQ(stack->getMiddleAim(), middleAim);
}

TEST_F(Pillars, OnlySwitchedOnPillarsTurnAndTheyStopWhereTheyAre)
{
    const glm::mat4 restingTop = top().modelMatrix;
    stack->togglePillarAt(1.0f);
    stack->update(1.0);
    expectNear(glm::vec3(bottom().modelMatrix * glm::vec4(1, 0, 0, 0)), glm::vec3(0, 0, -1));
    EXPECT_EQ(top().modelMatrix, restingTop);

    stack->togglePillarAt(1.0f);
    const glm::mat4 stopped = bottom().modelMatrix;
    stack->update(0.5);
    bottom().update(0.5); // a switched-off pillar ignores its own update too
    EXPECT_EQ(bottom().modelMatrix, stopped);
}

TEST_F(Pillars, LitDrawOfTheStackDrawsItsThreePillarsAndNotThePole)
{
    stack->translate(4, 0, 3);
    const Camera viewer = cameraLookingAt(glm::vec3(4, 2, 10), glm::vec3(4, 2, 3));
    scenetest::PrimitiveCounter counter;
    EXPECT_TRUE(stack->drawLit(viewer, false));
    EXPECT_EQ(counter.count(), 36u);
}

TEST_F(Pillars, StackIsDrawnWhenTheEyeIsInsideItsRadiusAndCulledOtherwise)
{
    stack->translate(4, 0, 3);
    const Camera inside = cameraLookingAt(glm::vec3(4, 2, 4), glm::vec3(4, 2, 20)); // looking away
    const Camera outside = cameraLookingAt(glm::vec3(4, 2, 8), glm::vec3(4, 2, 20));
    {
        scenetest::PrimitiveCounter counter;
        EXPECT_TRUE(stack->drawLit(inside, false));
        EXPECT_EQ(counter.count(), 36u);
    }
    glUseProgram(0);
    const scenetest::Bindings before = scenetest::currentBindings();
    {
        scenetest::PrimitiveCounter counter;
        EXPECT_FALSE(stack->drawLit(outside, false));
        EXPECT_EQ(counter.count(), 0u);
    }
    EXPECT_TRUE(scenetest::currentBindings() == before);
    scenetest::PrimitiveCounter counter;
    EXPECT_TRUE(stack->drawLit(outside, true));
    EXPECT_EQ(counter.count(), 36u);
}

TEST_F(Pillars, GlowDrawsOnlySwitchedOnPillarsAndFollowsTheCullingSwitch)
{
    stack->translate(4, 0, 3);
    const Camera viewer = cameraLookingAt(glm::vec3(4, 2, 10), glm::vec3(4, 2, 3));
    {
        scenetest::PrimitiveCounter counter;
        stack->drawGlow(viewer, false);
        EXPECT_EQ(counter.count(), 0u) << "nothing switched on";
    }
    stack->togglePillarAt(2.0f);
    stack->togglePillarAt(3.0f);
    {
        scenetest::PrimitiveCounter counter;
        stack->drawGlow(viewer, false);
        EXPECT_EQ(counter.count(), 24u);
    }
    const Camera away = cameraLookingAt(glm::vec3(4, 2, 10), glm::vec3(4, 2, 30));
    {
        scenetest::PrimitiveCounter counter;
        stack->drawGlow(away, false);
        EXPECT_EQ(counter.count(), 0u) << "culled";
    }
    scenetest::PrimitiveCounter counter;
    stack->drawGlow(away, true);
    EXPECT_EQ(counter.count(), 24u);
}

TEST_F(Pillars, DepthDrawCoversPillarsAndPoleAndIsCulledAgainstTheLight)
{
    stack->translate(4, 0, 3);
    const Camera light = cameraLookingAt(glm::vec3(4, 8, 6), glm::vec3(4, 2, 3));
    {
        scenetest::PrimitiveCounter counter;
        stack->drawDepth(light.position, light.viewMatrix(), light.projectionMatrix(), false);
        EXPECT_EQ(counter.count(), 48u);
    }
    const Camera away = cameraLookingAt(glm::vec3(4, 8, 6), glm::vec3(4, 20, 6));
    {
        scenetest::PrimitiveCounter counter;
        stack->drawDepth(away.position, away.viewMatrix(), away.projectionMatrix(), false);
        EXPECT_EQ(counter.count(), 0u);
    }
    scenetest::PrimitiveCounter counter;
    stack->drawDepth(away.position, away.viewMatrix(), away.projectionMatrix(), true);
    EXPECT_EQ(counter.count(), 48u);
}

TEST_F(Pillars, PillarLitDrawRepeatsTheLightPositionAsLpos)
{
    const Camera viewer = cameraLookingAt(glm::vec3(0, 2, 6), glm::vec3(0, 2, 0));
    scenetest::GlCallRecorder recorder;
    bottom().drawLit(viewer);
    EXPECT_EQ(recorder.names(), scenetest::litUniformOrder(true));
    EXPECT_EQ(recorder.bufferUploads(), 0);
    EXPECT_FLOAT_EQ(scenetest::uniformFloat(cameraShader->program, "light.ambientCoefficient"), 0.05f);
}

TEST_F(Pillars, SwitchedOnPillarShowsItsTexture)
{
    scenetest::OffscreenTarget target(32);
    ASSERT_TRUE(target.complete());
    glEnable(GL_DEPTH_TEST);
    Camera viewer = cameraLookingAt(glm::vec3(0, 2.25f, 2.5f), glm::vec3(0, 2.25f, 0), 32);
    viewer.lightPosition = glm::vec3(1.5f, 2.25f, 2.0f);
    auto glowAtTheMiddlePillar = [&] {
        target.clear(0, 0, 0);
        stack->drawGlow(viewer, false);
        return target.pixel(16, 16);
    };
    auto brightness = [](const glm::ivec4& pixel) { return pixel.r + pixel.g + pixel.b; };
    EXPECT_EQ(brightness(glowAtTheMiddlePillar()), 0) << "switched off, it does not glow";
    stack->togglePillarAt(1.0f);
    EXPECT_EQ(brightness(glowAtTheMiddlePillar()), 0) << "only the bottom pillar is switched on";
    stack->togglePillarAt(2.0f);
    const glm::ivec4 pixel = glowAtTheMiddlePillar();
    EXPECT_GT(pixel.r, 40) << "the wood colour, lit";
    EXPECT_GT(pixel.r, pixel.b);
    EXPECT_GT(pixel.g, pixel.b);
}

} // namespace
