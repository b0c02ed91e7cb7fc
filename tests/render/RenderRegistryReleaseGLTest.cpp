// Shutdown releases the spotlights, light cones and blur stage of the
// registry with their GL names, after the textures and before the targets.
#include "render/BlurStage.h"
#include "render/LightCone.h"
#include "render/ShadowMap.h"
#include "scene/Registry.h"

#include "renderTestSupport.h"
#include "support/GlTestContext.h"

#include <gtest/gtest.h>

namespace {

using namespace render_testing;

TEST(RenderRegistryRelease, DeletesSpotlightsConesAndTheBlurStage)
{
    ASSERT_GL_CONTEXT();
    gaussianBlurShader = new ShaderProgram(gameShader("GaussianBlur.vert"), gameShader("GaussianBlur.frag"));
    addTexturesShader = new ShaderProgram(gameShader("note.vert"), gameShader("addtextures.frag"));
    lightConeShader = new ShaderProgram(gameShader("Test.vert"), gameShader("Test.frag"), gameShader("Test.geom"));

    ShadowMap** spotlights[] = {&shadowMap1, &shadowMap2, &shadowMap3, &shadowMap4, &shadowMap5, &shadowMap6,
        &shadowMap7, &shadowMap8, &shadowMap9, &shadowMap10};
    LightCone** cones[] = {&lightCone1, &lightCone2, &lightCone3, &lightCone4, &lightCone5, &lightCone6,
        &lightCone7};
    std::vector<GLuint> textures;
    std::vector<GLuint> framebuffers;
    std::vector<GLuint> vertexArrays;
    std::vector<GLuint> buffers;
    for (ShadowMap** spotlight : spotlights) {
        *spotlight = new ShadowMap(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), glm::vec3(0, 0, 1), glm::vec3(1),
            glm::vec3(0, 1, 0), 32, 20.0f);
        textures.push_back((*spotlight)->depthTexture);
        framebuffers.push_back((*spotlight)->framebuffer);
    }
    for (LightCone** cone : cones) {
        *cone = new LightCone(7, glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), 0.9f, glm::vec3(1));
        vertexArrays.push_back((*cone)->vao);
        buffers.push_back((*cone)->vertexBuffer);
        buffers.push_back((*cone)->indexBuffer);
    }
    blurStage = new BlurStage(16, 12);
    for (int k = 0; k < 3; ++k) {
        textures.push_back(blurStage->colorTextures[k]);
        framebuffers.push_back(blurStage->framebuffers[k]);
    }
    vertexArrays.push_back(blurStage->blurVao);
    buffers.push_back(blurStage->positionBuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    releaseRegistry();

    for (ShadowMap** spotlight : spotlights)
        EXPECT_EQ(*spotlight, nullptr);
    for (LightCone** cone : cones)
        EXPECT_EQ(*cone, nullptr);
    EXPECT_EQ(blurStage, nullptr);
    EXPECT_EQ(lightConeShader, nullptr);
    for (GLuint name : textures)
        EXPECT_FALSE(glIsTexture(name)) << name;
    for (GLuint name : framebuffers)
        EXPECT_FALSE(glIsFramebuffer(name)) << name;
    for (GLuint name : vertexArrays)
        EXPECT_FALSE(glIsVertexArray(name)) << name;
    for (GLuint name : buffers)
        EXPECT_FALSE(glIsBuffer(name)) << name;
    EXPECT_NO_GL_ERROR();
}

} // namespace
