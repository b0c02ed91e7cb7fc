// Spotlights: their geometry, their depth-only framebuffer, the depth pass
// binding and a shadow lookup through the bias matrix, read back as pixels.
#include "render/ShadowMap.h"
#include "render/Spotlights.h"

#include "renderTestSupport.h"
#include "support/GlTestContext.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace render_testing;

// shadowMap2 of the game: the small rotating spotlight.
std::unique_ptr<ShadowMap> rotatingSpotlight()
{
    return std::make_unique<ShadowMap>(glm::vec3(0, 4.5f, 2.5f), glm::vec3(-2, -2, -1), glm::vec3(0, 0, 1),
        glm::vec3(1.275f, 0.51f, 0.455f), glm::vec3(0, 1, 0), 128, 7.0f);
}

// A light straight above the origin, looking down.
std::unique_ptr<ShadowMap> overheadSpotlight(int size)
{
    return std::make_unique<ShadowMap>(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), glm::vec3(0, 0, 1),
        glm::vec3(1, 1, 1), glm::vec3(0, 1, 0), size, 30.0f);
}

void expectNear(glm::vec3 actual, glm::vec3 expected, float tolerance)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(ShadowMapGeometry, AngleCosineOfSevenDegrees)
{
    ASSERT_GL_CONTEXT();
    auto light = rotatingSpotlight();
    EXPECT_NEAR(light->getAngleCosine(), 0.99255f, 5e-6f);
    auto wide = overheadSpotlight(16);
    EXPECT_NEAR(wide->getAngleCosine(), 0.8660254f, 1e-6f);
}

TEST(ShadowMapGeometry, OneSecondTurnsByExactlyNinetyDegrees)
{
    ASSERT_GL_CONTEXT();
    auto light = rotatingSpotlight();
    const glm::vec3 startPosition = light->getPosition();
    expectNear(light->getDirection(), glm::vec3(-2, -2, -1), 1e-6f);

    light->rotate(1.0f);
    // A quarter turn about +y takes (x, y, z) to (z, y, -x); the length is kept.
    expectNear(light->getDirection(), glm::vec3(-1, -2, 2), 1e-5f);
    expectNear(light->getPosition(), startPosition, 0.0f);
    EXPECT_EQ(light->up, glm::vec3(0, 0, 1)) << "the up vector is never rotated";

    light->rotate(0.5f);
    light->rotate(0.5f);
    expectNear(light->getDirection(), glm::vec3(2, -2, 1), 1e-5f);
    light->rotate(2.0f);
    SCOPED_TRACE("four quarter turns come back");
    expectNear(light->getDirection(), glm::vec3(-2, -2, -1), 1e-5f);
}

TEST(ShadowMapGeometry, ProjectionIsASquareFrustumFromNearToFar)
{
    ASSERT_GL_CONTEXT();
    auto light = rotatingSpotlight();
    glm::mat4 projection = light->getProjectionMatrix();
    EXPECT_NEAR(projection[2][2], -1.002002f, 1e-6f);
    EXPECT_NEAR(projection[3][2], -0.02002f, 1e-6f);
    EXPECT_FLOAT_EQ(projection[2][3], -1.0f);
    const float focal = 1.0f / std::tan(glm::radians(7.0f));
    EXPECT_NEAR(projection[0][0], focal, focal * 1e-5f);
    EXPECT_NEAR(projection[1][1], focal, focal * 1e-5f) << "aspect 1";
}

TEST(ShadowMapGeometry, LightMatrixCentresTheDirectionAndFollowsTheRotation)
{
    ASSERT_GL_CONTEXT();
    auto light = rotatingSpotlight();
    light->rotate(0.37f);
    const glm::vec3 ahead = light->getPosition() + 2.0f * light->getDirection();
    glm::vec4 clip = light->getLightMatrix() * glm::vec4(ahead, 1.0f);
    glm::vec3 ndc = glm::vec3(clip) / clip.w;
    EXPECT_NEAR(ndc.x, 0.0f, 1e-5f);
    EXPECT_NEAR(ndc.y, 0.0f, 1e-5f);
    EXPECT_GT(ndc.z, -1.0f);
    EXPECT_LT(ndc.z, 1.0f);

    glm::vec4 atLight = light->getViewMatrix() * glm::vec4(light->getPosition(), 1.0f);
    expectNear(glm::vec3(atLight), glm::vec3(0.0f), 1e-5f);
    EXPECT_EQ(light->getLightMatrix(), light->getProjectionMatrix() * light->getViewMatrix());
}

TEST(ShadowBias, MapsClipCubeOntoTheUnitCube)
{
    const glm::mat4 bias = shadowBiasMatrix();
    expectNear(glm::vec3(bias * glm::vec4(-1, -1, -1, 1)), glm::vec3(0.0f), 0.0f);
    expectNear(glm::vec3(bias * glm::vec4(1, 1, 1, 1)), glm::vec3(1.0f), 0.0f);
    EXPECT_EQ(bias[3], glm::vec4(0.5f, 0.5f, 0.5f, 1.0f)) << "the offset is the last column";
    EXPECT_EQ(bias * glm::vec4(0, 0, 0, 2), glm::vec4(1, 1, 1, 2)) << "homogeneous w is kept for the divide";
}

TEST(ShadowMapFramebuffer, DepthOnlyAttachmentIsComplete)
{
    ASSERT_GL_CONTEXT();
    auto light = overheadSpotlight(512);
    EXPECT_TRUE(light->complete);
    EXPECT_EQ(glInteger(GL_FRAMEBUFFER_BINDING), 0) << "the default framebuffer is bound again";

    glBindFramebuffer(GL_FRAMEBUFFER, light->framebuffer);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    GLint type = 0;
    GLint name = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
        GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
        GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
    EXPECT_EQ(type, GL_TEXTURE);
    EXPECT_EQ(static_cast<GLuint>(name), light->depthTexture);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
        GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
    EXPECT_EQ(type, GL_NONE);
    EXPECT_EQ(glInteger(GL_DRAW_BUFFER), GL_NONE);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    light->bindTexture(3);
    EXPECT_EQ(glInteger(GL_ACTIVE_TEXTURE), GL_TEXTURE3);
    EXPECT_EQ(static_cast<GLuint>(glInteger(GL_TEXTURE_BINDING_2D)), light->depthTexture);
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &value);
    EXPECT_EQ(value, 512);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_DEPTH_SIZE, &value);
    EXPECT_GE(value, 24);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, &value);
    EXPECT_EQ(value, GL_COMPARE_REF_TO_TEXTURE);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, &value);
    EXPECT_EQ(value, GL_LESS);
    glActiveTexture(GL_TEXTURE0);
    EXPECT_NO_GL_ERROR();
}

TEST(ShadowMapFramebuffer, DepthPassBindsSetsTheViewportAndClears)
{
    ASSERT_GL_CONTEXT();
    auto light = overheadSpotlight(128);
    glViewport(0, 0, 7, 9);
    light->bindForDepthPass();
    EXPECT_EQ(static_cast<GLuint>(glInteger(GL_FRAMEBUFFER_BINDING)), light->framebuffer);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 128);
    EXPECT_EQ(viewport[3], 128);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    float depth = -1.0f;
    glReadPixels(64, 64, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f) << "cleared to the far plane";
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_NO_GL_ERROR();
}

TEST(ShadowMapFramebuffer, IncompleteMapIsNeverBound)
{
    ASSERT_GL_CONTEXT();
    // A zero-sized depth texture cannot make a complete framebuffer.
    auto light = overheadSpotlight(0);
    EXPECT_FALSE(light->complete);

    RenderTarget target(8, 8);
    target.clear(glm::vec4(0.0f, 1.0f, 0.0f, 1.0f));
    glViewport(1, 2, 5, 6);
    light->bindForDepthPass();
    EXPECT_EQ(static_cast<GLuint>(glInteger(GL_FRAMEBUFFER_BINDING)), target.framebuffer);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 1);
    EXPECT_EQ(viewport[3], 6);
    EXPECT_EQ(target.pixel(4, 4).g, 255) << "whatever is bound is not cleared";
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_NO_GL_ERROR();
}

class ShadowLookup : public ::testing::Test {
protected:
    std::unique_ptr<ShaderProgram> depthProgram;
    std::unique_ptr<ShaderProgram> receiverProgram;

    void SetUp() override
    {
        ASSERT_GL_CONTEXT();
        depthProgram = std::make_unique<ShaderProgram>(gameShader("shadowdistances.vert"), gameShader("shadowdistances.frag"));
        receiverProgram = std::make_unique<ShaderProgram>(fixture("shadowReceiver.vert"), fixture("shadowReceiver.frag"));
    }

    // The floor y = 0 seen from straight above, x to the right, z downwards on the screen.
    static glm::mat4 topView()
    {
        return glm::ortho(-2.0f, 2.0f, -2.0f, 2.0f, 0.1f, 10.0f)
            * glm::lookAt(glm::vec3(0, 5, 0), glm::vec3(0, 0, 0), glm::vec3(0, 0, -1));
    }

    void renderCaster(const ShadowMap& light, const Mesh& caster)
    {
        depthProgram->use();
        setMatrix(*depthProgram, "lightprojectionMatrix", light.getLightMatrix());
        setMatrix(*depthProgram, "modelMatrix", glm::mat4(1.0f));
        light.bindForDepthPass();
        caster.draw();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }

    void renderFloor(const ShadowMap& light, const Mesh& floor, const RenderTarget& target)
    {
        target.clear(glm::vec4(1.0f, 0.0f, 0.0f, 1.0f));
        receiverProgram->use();
        setMatrix(*receiverProgram, "cameraMatrix", topView());
        setMatrix(*receiverProgram, "modelMatrix", glm::mat4(1.0f));
        setMatrix(*receiverProgram, "shadowprojectionMatrix", shadowBiasMatrix() * light.getLightMatrix());
        light.bindTexture(1);
        setInt(*receiverProgram, "shadowTexture", 1);
        floor.draw();
    }
};

TEST_F(ShadowLookup, CasterDarkensTheFloorBehindItOnly)
{
    glEnable(GL_DEPTH_TEST);
    auto light = overheadSpotlight(256);
    Mesh floor(horizontalSquare(0.0f, 2.0f), *receiverProgram);
    Mesh caster(horizontalSquare(2.0f, 0.5f), *depthProgram);
    RenderTarget target(64, 64);

    // An empty map: nothing stands between the light and the floor.
    light->bindForDepthPass();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    renderFloor(*light, floor, target);
    EXPECT_EQ(target.pixel(32, 32).r, 255);

    renderCaster(*light, caster);
    renderFloor(*light, floor, target);
    // The caster's shadow on the floor is twice its size (half as far from the
    // light): x and z within 1 of the centre, 16 pixels on this view.
    EXPECT_EQ(target.pixel(32, 32).r, 0) << "right below the caster";
    EXPECT_EQ(target.pixel(32 + 10, 32 - 8).r, 0) << "inside the shadow";
    EXPECT_EQ(target.pixel(32 + 22, 32).r, 255) << "beside the shadow, still in the light";
    EXPECT_EQ(target.pixel(32, 32 - 22).r, 255);
    glDisable(GL_DEPTH_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glActiveTexture(GL_TEXTURE0);
    EXPECT_NO_GL_ERROR();
}

TEST(ShadowMapLifetime, DestructorDeletesTextureAndFramebuffer)
{
    ASSERT_GL_CONTEXT();
    GLuint texture = 0;
    GLuint framebuffer = 0;
    {
        auto light = overheadSpotlight(64);
        texture = light->depthTexture;
        framebuffer = light->framebuffer;
        EXPECT_TRUE(glIsTexture(texture));
        EXPECT_TRUE(glIsFramebuffer(framebuffer));
    }
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsFramebuffer(framebuffer));
    EXPECT_NO_GL_ERROR();
}

} // namespace
