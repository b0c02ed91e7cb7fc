#include "scene/Cube.h"
#include "scene/Paper.h"
#include "scene/Skybox.h"

#include "sceneGlSupport.h"
#include "support/ChildProcess.h"

#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace plim::scene;
using scenetest::cameraLookingAt;

class Primitives : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GL_CONTEXT();
        scenetest::buildScenePrograms();
        static const std::string directory = testing_support::makeTempDirectory("clankora-primitives");
        if (!red) {
            red = scenetest::solidTexture(directory, "red", 230, 20, 20);
            blue = scenetest::solidTexture(directory, "blue", 20, 30, 220);
        }
        glDisable(GL_BLEND);
        glDisable(GL_CULL_FACE);
        glEnable(GL_DEPTH_TEST);
        EXPECT_NO_GL_ERROR();
    }
    void TearDown() override { EXPECT_NO_GL_ERROR(); }

    static Texture* red;
    static Texture* blue;
};

Texture* Primitives::red = nullptr;
Texture* Primitives::blue = nullptr;

const Camera viewer = cameraLookingAt(glm::vec3(0, 0, 3), glm::vec3(0, 0, 0));

TEST_F(Primitives, TransparentCubeDrawsInnerThenOuterFacesAndLeavesBlendingAndCullingOff)
{
    Cube cube(glm::mat4(1.0f), cameraShader, shadowDistancesShader, red);
    scenetest::OffscreenTarget target(64);
    ASSERT_TRUE(target.complete());
    target.clear(0, 0, 1);
    // Lit from the side, so that the faces the eye looks through show only
    // their ambient share of the red texture, without a highlight.
    Camera sideLit = viewer;
    sideLit.lightPosition = glm::vec3(4, 0, 0);
    scenetest::PrimitiveCounter counter;
    cube.drawLit(sideLit, true);
    EXPECT_EQ(counter.count() * 3, 72u);
    // Each face keeps half of what lies behind it. Inner faces first: the
    // blue background is halved twice (about 64). Outer faces first: the
    // depth test drops the inner ones and the background is halved once.
    const glm::ivec4 centre = target.pixel(32, 32);
    EXPECT_GT(centre.b, 50) << "the cube is see-through";
    EXPECT_LT(centre.b, 100) << "the inner faces were not drawn behind the outer ones";
    EXPECT_GT(centre.r, 20) << "the red faces show";
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FLOAT_EQ(scenetest::uniformFloat(cameraShader->program, "transparency"), 0.5f);
    EXPECT_FLOAT_EQ(scenetest::uniformFloat(cameraShader->program, "light.ambientCoefficient"), 0.2f);
}

TEST_F(Primitives, OpaqueCubeDrawsOnceAndLeavesBlendingAndCullingAlone)
{
    Cube cube(glm::mat4(1.0f), cameraShader, shadowDistancesShader, red);
    glEnable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    scenetest::PrimitiveCounter counter;
    cube.drawLit(viewer, false);
    EXPECT_EQ(counter.count() * 3, 36u);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FLOAT_EQ(scenetest::uniformFloat(cameraShader->program, "transparency"), 1.0f);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
}

TEST_F(Primitives, CubeUploadsTheLitUniformsInOrder)
{
    Cube cube(glm::mat4(1.0f), cameraShader, shadowDistancesShader, red);
    scenetest::GlCallRecorder recorder;
    cube.drawLit(viewer, true);
    EXPECT_EQ(recorder.names(), scenetest::litUniformOrder());
    EXPECT_EQ(recorder.bufferUploads(), 0);
}

TEST_F(Primitives, CubeRepeatsItsTexture150TimesAndCastsAShadow)
{
    Cube cube(glm::mat4(1.0f), cameraShader, shadowDistancesShader, red);
    GLfloat uvs[boxVertexCount * 2] = {};
    glBindBuffer(GL_ARRAY_BUFFER, cube.buffers.uvs);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof uvs, uvs);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_EQ(uvs[2], 150.0f);
    EXPECT_EQ(uvs[3], 150.0f);

    cube.translate(1, 2, 3);
    scenetest::PrimitiveCounter counter;
    cube.drawDepth();
    EXPECT_EQ(counter.count(), 12u);
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(GLuint(current), shadowDistancesShader->program);
    EXPECT_EQ(scenetest::uniformMatrix(shadowDistancesShader->program, "modelMatrix"), cube.modelMatrix);
}

TEST_F(Primitives, PaperSetsTheViewportFromTheCamera)
{
    Paper paper(glm::mat4(1.0f), red);
    Camera card = viewer;
    card.viewportWidth = 64.9f; // truncated
    card.viewportHeight = 48.2f;
    glViewport(0, 0, 10, 10);
    paper.drawLit(card);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 64);
    EXPECT_EQ(viewport[3], 48);
    EXPECT_EQ(paper.getTexture(), red);
}

TEST_F(Primitives, PaperStaysInFrontOfTheEyeWhereverTheCameraLooks)
{
    scenetest::OffscreenTarget target(32);
    ASSERT_TRUE(target.complete());
    Paper paper(glm::mat4(1.0f), blue);
    paper.translate(0, 0, -1.5);
    paper.scale(2, 2, 2);
    for (const Camera& card : {cameraLookingAt(glm::vec3(0, 0, 3), glm::vec3(0), 32),
             cameraLookingAt(glm::vec3(40, -7, 2), glm::vec3(-3, 5, 9), 32)}) {
        target.clear(0, 0, 0);
        paper.drawLit(card);
        for (const glm::ivec2& at : {glm::ivec2(16, 16), glm::ivec2(1, 1), glm::ivec2(30, 30)}) {
            const glm::ivec4 pixel = target.pixel(at.x, at.y);
            EXPECT_EQ(pixel.r, 20) << at.x << "," << at.y;
            EXPECT_EQ(pixel.g, 30);
            EXPECT_EQ(pixel.b, 220);
        }
    }
}

TEST_F(Primitives, PaperBuildsAndReleasesItsOwnNoteProgram)
{
    Paper paper(glm::mat4(1.0f), red);
    ASSERT_NE(paper.shader, nullptr);
    EXPECT_NE(paper.shader->program, noteShader->program);
    EXPECT_EQ(paper.attributeShader, noteShader);
    for (const char* name : {"position", "uv"})
        EXPECT_EQ(glGetAttribLocation(paper.shader->program, name), glGetAttribLocation(noteShader->program, name))
            << name;
}

TEST_F(Primitives, SkyBoxSharesItsAttributeLocationsWithTheProjectionProgram)
{
    for (const char* name : {"position", "uv"}) {
        const GLint camera = glGetAttribLocation(cameraShader->program, name);
        const GLint projection = glGetAttribLocation(projectionShader->program, name);
        EXPECT_NE(camera, -1) << name;
        EXPECT_EQ(camera, projection) << name;
    }
    const GLint projectionNormal = glGetAttribLocation(projectionShader->program, "normal");
    if (projectionNormal != -1) {
        EXPECT_EQ(projectionNormal, glGetAttribLocation(cameraShader->program, "normal"));
    }
}

TEST_F(Primitives, SkyBoxDrawsWithTheProgramTheCallerMadeCurrent)
{
    scenetest::OffscreenTarget target(32);
    Skybox sky(glm::mat4(1.0f));
    EXPECT_EQ(sky.attributeShader, cameraShader);
    sky.scale(150, 150, 150);
    sky.rotate(1, 0, 0, -90);
    const Camera inside = cameraLookingAt(glm::vec3(0, 0, 0), glm::vec3(1, 0.2f, 0.3f), 32);

    target.clear(0, 0, 0);
    const GLuint program = projectionShader->program;
    glUseProgram(program);
    glUniformMatrix4fv(glGetUniformLocation(program, "cameraMatrix"), 1, GL_FALSE,
        glm::value_ptr(inside.viewProjectionMatrix()));
    glUniformMatrix4fv(glGetUniformLocation(program, "modelMatrix"), 1, GL_FALSE, glm::value_ptr(sky.modelMatrix));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, red->textureId);
    glUniform1i(glGetUniformLocation(program, "colorTexture"), 0);
    scenetest::PrimitiveCounter counter;
    sky.draw();
    EXPECT_EQ(counter.count(), 12u);
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(GLuint(current), program) << "the sky box never makes its own program current";
    const glm::ivec4 pixel = target.pixel(16, 16);
    EXPECT_EQ(pixel.r, 230);
    EXPECT_EQ(pixel.g, 20);
}

} // namespace
