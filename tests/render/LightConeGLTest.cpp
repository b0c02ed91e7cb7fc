// Light cones: the grid and its buffers, the draw call and its uniforms, and
// the light the cone program adds in the air, read back as pixels.
#include "app/Camera.h"
#include "render/LightCone.h"
#include "render/ShadowMap.h"
#include "render/Spotlights.h"
#include "scene/Registry.h"

#include "renderTestSupport.h"
#include "support/GlTestContext.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace render_testing;

class LightConeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GL_CONTEXT();
        lightConeShader = new ShaderProgram(gameShader("Test.vert"), gameShader("Test.frag"), gameShader("Test.geom"));
    }
    void TearDown() override
    {
        if (!testing_support::glContext())
            return; // SetUp failed already; there is nothing to release
        delete lightConeShader;
        lightConeShader = nullptr;
        glUseProgram(0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glActiveTexture(GL_TEXTURE0);
    }
};

TEST_F(LightConeTest, GridPointsAndTrianglesAsUploaded)
{
    LightCone cone(3, glm::vec3(1, 2, 3), glm::vec3(0, -1, 0), 0.9f, glm::vec3(1, 0.5f, 0.25f));
    EXPECT_EQ(cone.shader, lightConeShader);
    ASSERT_EQ(cone.vertices.size(), 27u);
    // Point (i, j) at i * N + j is (i / 2, 1, j / 2).
    EXPECT_EQ(glm::make_vec3(&cone.vertices[0]), glm::vec3(0, 1, 0));
    EXPECT_EQ(glm::make_vec3(&cone.vertices[3 * 1]), glm::vec3(0, 1, 0.5f));
    EXPECT_EQ(glm::make_vec3(&cone.vertices[3 * 5]), glm::vec3(0.5f, 1, 1));
    EXPECT_EQ(glm::make_vec3(&cone.vertices[3 * 6]), glm::vec3(1, 1, 0));
    EXPECT_EQ(glm::make_vec3(&cone.vertices[3 * 8]), glm::vec3(1, 1, 1));
    // Cell (i, j) at ((N - 1) i + j) * 6.
    const std::vector<GLuint> expected{0, 1, 3, 3, 1, 4, 1, 2, 4, 4, 2, 5, 3, 4, 6, 6, 4, 7, 4, 5, 7, 7, 5, 8};
    EXPECT_EQ(cone.indices, expected);

    GLint bytes = 0;
    glBindBuffer(GL_ARRAY_BUFFER, cone.vertexBuffer);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &bytes);
    EXPECT_EQ(bytes, 3 * 3 * 12);
    std::vector<GLfloat> uploaded(cone.vertices.size());
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, bytes, uploaded.data());
    EXPECT_EQ(uploaded, cone.vertices);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glBindVertexArray(cone.vao);
    EXPECT_EQ(static_cast<GLuint>(glInteger(GL_ELEMENT_ARRAY_BUFFER_BINDING)), cone.indexBuffer);
    glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &bytes);
    EXPECT_EQ(bytes, 2 * 2 * 24);
    std::vector<GLuint> uploadedIndices(cone.indices.size());
    glGetBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, bytes, uploadedIndices.data());
    EXPECT_EQ(uploadedIndices, expected);
    GLint value = 0;
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &value);
    EXPECT_EQ(value, GL_TRUE) << "\"position\" at its shared location";
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_SIZE, &value);
    EXPECT_EQ(value, 3);
    glBindVertexArray(0);
    EXPECT_EQ(glInteger(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(LightConeTest, DrawIssuesSixIndicesPerCell)
{
    // A program without the geometry stage counts the grid's own triangles.
    ShaderProgram* coneProgram = lightConeShader;
    ShaderProgram counting(fixture("flat.vert"), fixture("flat.frag"));
    lightConeShader = &counting;
    RenderTarget target(8, 8);
    target.bind();
    for (auto [n, indices] : {std::pair{7, 216}, std::pair{32, 5766}, std::pair{20, 2166}}) {
        SCOPED_TRACE(n);
        LightCone cone(n, glm::vec3(0), glm::vec3(0, -1, 0), 0.9f, glm::vec3(1));
        GLuint query = 0;
        glGenQueries(1, &query);
        glBeginQuery(GL_PRIMITIVES_GENERATED, query);
        cone.draw(Camera{});
        glEndQuery(GL_PRIMITIVES_GENERATED);
        GLuint triangles = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &triangles);
        glDeleteQueries(1, &query);
        EXPECT_EQ(static_cast<int>(triangles) * 3, indices);
        EXPECT_EQ(glInteger(GL_VERTEX_ARRAY_BINDING), 0);
    }
    lightConeShader = coneProgram;
    EXPECT_NO_GL_ERROR();
}

TEST_F(LightConeTest, DrawUploadsTheConeAndTheCamera)
{
    LightCone cone(7, glm::vec3(0, 4.5f, 2.5f), glm::vec3(-2, -2, -1), 0.99255f, glm::vec3(1.275f, 0.51f, 0.455f));
    cone.setDirection(glm::vec3(-1, -2, 2));
    Camera viewer;
    viewer.position = glm::vec3(3, 2, 9);
    viewer.yawDegrees = 20.0f;
    RenderTarget target(8, 8);
    target.bind();
    cone.draw(viewer);

    const GLuint program = lightConeShader->program;
    EXPECT_EQ(static_cast<GLuint>(glInteger(GL_CURRENT_PROGRAM)), program);
    auto vec3Uniform = [&](const char* name) {
        glm::vec3 value(-9.0f);
        glGetUniformfv(program, glGetUniformLocation(program, name), &value[0]);
        return value;
    };
    auto mat4Uniform = [&](const char* name) {
        glm::mat4 value(-9.0f);
        glGetUniformfv(program, glGetUniformLocation(program, name), &value[0][0]);
        return value;
    };
    EXPECT_EQ(vec3Uniform("Lpos"), glm::vec3(0, 4.5f, 2.5f));
    EXPECT_EQ(vec3Uniform("Ldir"), glm::vec3(-1, -2, 2)) << "the direction set last";
    EXPECT_EQ(vec3Uniform("Lightcolor"), glm::vec3(1.275f, 0.51f, 0.455f));
    float angle = 0.0f;
    glGetUniformfv(program, glGetUniformLocation(program, "angle"), &angle);
    EXPECT_EQ(angle, 0.99255f) << "the cosine, not the angle";
    EXPECT_EQ(mat4Uniform("cameraMatrix"), viewer.viewProjectionMatrix());
    EXPECT_EQ(mat4Uniform("modelMatrix"), glm::mat4(1.0f));
    EXPECT_NO_GL_ERROR();
}

// A spotlight 4 units above a floor, looking straight down with a 20-degree
// half-angle; its cone is seen from the side, from 8 units away.
class ConeInTheAir : public LightConeTest {
protected:
    static constexpr int size = 96;
    std::unique_ptr<ShaderProgram> depthProgram;
    std::unique_ptr<ShadowMap> light;
    Camera viewer;

    void SetUp() override
    {
        LightConeTest::SetUp();
        if (HasFatalFailure())
            return;
        depthProgram = std::make_unique<ShaderProgram>(gameShader("shadowdistances.vert"), gameShader("shadowdistances.frag"));
        light = std::make_unique<ShadowMap>(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), glm::vec3(0, 0, 1),
            glm::vec3(1.0f, 0.8f, 0.6f), glm::vec3(0, 1, 0), 128, 20.0f);
        viewer.position = glm::vec3(0, 2, 8);
        viewer.aspectRatio = 1.0f;
        viewer.nearClip = 0.1f;
        viewer.farClip = 50.0f;
    }

    // The light's depth map of the floor and of whatever else is given.
    void renderDepthMap(const std::vector<glm::vec3>& extra = {})
    {
        std::vector<glm::vec3> casters = horizontalSquare(0.0f, 6.0f);
        casters.insert(casters.end(), extra.begin(), extra.end());
        Mesh mesh(casters, *depthProgram);
        glEnable(GL_DEPTH_TEST);
        depthProgram->use();
        setMatrix(*depthProgram, "lightprojectionMatrix", light->getLightMatrix());
        setMatrix(*depthProgram, "modelMatrix", glm::mat4(1.0f));
        light->bindForDepthPass();
        mesh.draw();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }

    // The cone drawn as the frame draws it: additive, depth-tested, no depth writes.
    void drawCone(const RenderTarget& target, int gridSize = 7)
    {
        LightCone cone(gridSize, light->getPosition(), light->getDirection(), light->getAngleCosine(),
            light->getIntensities());
        target.bind();
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        glDepthMask(GL_FALSE);
        lightConeShader->use();
        light->bindTexture(1);
        setInt(*lightConeShader, "shadowTexture", 1);
        setMatrix(*lightConeShader, "inverseProjection", glm::inverse(shadowBiasMatrix() * light->getLightMatrix()));
        cone.draw(viewer);
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
    }

    glm::ivec2 pixelOf(glm::vec3 world) const
    {
        glm::vec4 clip = viewer.viewProjectionMatrix() * glm::vec4(world, 1.0f);
        glm::vec2 ndc = glm::vec2(clip) / clip.w;
        return glm::ivec2((ndc * 0.5f + 0.5f) * static_cast<float>(size));
    }

    Rgba at(const RenderTarget& target, glm::vec3 world) const
    {
        glm::ivec2 p = pixelOf(world);
        return target.pixel(p.x, p.y);
    }
};

TEST_F(ConeInTheAir, AddsLightAlongTheAxisAndNoneBesideIt)
{
    renderDepthMap();
    RenderTarget target(size, size);
    const glm::vec4 grey(40.0f / 255.0f, 40.0f / 255.0f, 40.0f / 255.0f, 1.0f);
    target.clear(grey);
    drawCone(target);

    Rgba axis = at(target, glm::vec3(0, 2, 0));
    Rgba offAxis = at(target, glm::vec3(0.45f, 2, 0));
    Rgba nearEdge = at(target, glm::vec3(0.65f, 2, 0));
    Rgba nearFloor = at(target, glm::vec3(0, 0.25f, 0));
    EXPECT_GT(axis.r, 40 + 25) << "light in the air on the axis";
    EXPECT_GT(axis.r, axis.b) << "in the light's colour";
    EXPECT_GT(axis.r, offAxis.r) << "brightest on the axis";
    EXPECT_GT(offAxis.r, nearEdge.r) << "fading towards the edge";
    EXPECT_LT(nearFloor.r - 40, (axis.r - 40) / 2) << "fading towards the far end";
    for (glm::vec3 beside : {glm::vec3(1.6f, 2, 0), glm::vec3(-1.6f, 2, 0), glm::vec3(0, 4.6f, 0)}) {
        Rgba pixel = at(target, beside);
        EXPECT_EQ(pixel.r, 40) << "nothing beside the cone";
        EXPECT_EQ(pixel.b, 40);
    }
    EXPECT_FLOAT_EQ(target.depthAt(size / 2, size / 2), 1.0f) << "no depth written";
    EXPECT_NO_GL_ERROR();
}

TEST_F(ConeInTheAir, LooksAlikeForEveryGridSize)
{
    renderDepthMap();
    RenderTarget coarse(size, size);
    coarse.clear(glm::vec4(0.0f));
    drawCone(coarse, 7);
    RenderTarget fine(size, size);
    fine.clear(glm::vec4(0.0f));
    drawCone(fine, 32);
    for (glm::vec3 point : {glm::vec3(0, 2, 0), glm::vec3(0.3f, 2.5f, 0), glm::vec3(0, 3.3f, 0)}) {
        int a = at(coarse, point).r;
        int b = at(fine, point).r;
        EXPECT_GT(a, 25);
        // More sheets, each adding less: the sum stays within a fifth.
        EXPECT_NEAR(a, b, a / 5) << point.x << " " << point.y;
    }
    EXPECT_NO_GL_ERROR();
}

TEST_F(ConeInTheAir, FillDoesNotGrowWithTheGrid)
{
    renderDepthMap();
    RenderTarget target(size, size);
    auto fragments = [&](int gridSize) {
        target.clear(glm::vec4(0.0f));
        GLuint query = 0;
        glGenQueries(1, &query);
        glBeginQuery(GL_SAMPLES_PASSED, query);
        drawCone(target, gridSize);
        glEndQuery(GL_SAMPLES_PASSED);
        GLuint samples = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
        glDeleteQueries(1, &query);
        return static_cast<double>(samples);
    };
    const double coarse = fragments(7);
    EXPECT_GT(coarse, 0.0);
    // A finer grid shapes the sheets more closely but adds none: software
    // rendering pays for every covered pixel of every sheet.
    EXPECT_LT(fragments(20), 1.3 * coarse);
    EXPECT_LT(fragments(32), 1.3 * coarse);
    EXPECT_NO_GL_ERROR();
}

TEST_F(ConeInTheAir, EndsWhereTheDepthMapSeesSomething)
{
    // A plate 2 units below the light, wider than the cone: the light stops there.
    renderDepthMap(horizontalSquare(2.0f, 0.8f));
    RenderTarget target(size, size);
    target.clear(glm::vec4(0.0f));
    drawCone(target);
    EXPECT_GT(at(target, glm::vec3(0, 3.2f, 0)).r, 25) << "above the plate";
    EXPECT_EQ(at(target, glm::vec3(0, 1.2f, 0)).r, 0) << "in the plate's shadow";

    renderDepthMap();
    target.clear(glm::vec4(0.0f));
    drawCone(target);
    EXPECT_GT(at(target, glm::vec3(0, 1.2f, 0)).r, 25) << "without the plate the light goes on";
    EXPECT_NO_GL_ERROR();
}

TEST_F(ConeInTheAir, ObjectsInFrontHideTheCone)
{
    renderDepthMap();
    RenderTarget target(size, size);
    target.clear(glm::vec4(0.0f));
    // A wall between the viewer and the right half of the cone, drawn first
    // into the depth buffer as the scene would be.
    ShaderProgram flat(fixture("flat.vert"), fixture("flat.frag"));
    Mesh wall({glm::vec3(0, -1, 3), glm::vec3(3, -1, 3), glm::vec3(3, 5, 3), glm::vec3(0, -1, 3),
                  glm::vec3(3, 5, 3), glm::vec3(0, 5, 3)},
        flat);
    glEnable(GL_DEPTH_TEST);
    flat.use();
    setMatrix(flat, "cameraMatrix", viewer.viewProjectionMatrix());
    setMatrix(flat, "modelMatrix", glm::mat4(1.0f));
    setVec3(flat, "colour", glm::vec3(0.0f));
    wall.draw();
    drawCone(target);
    EXPECT_GT(at(target, glm::vec3(-0.2f, 2, 0)).r, 25) << "the uncovered half";
    EXPECT_EQ(at(target, glm::vec3(0.3f, 2, 0)).r, 0) << "behind the wall";
    EXPECT_NO_GL_ERROR();
}

TEST_F(LightConeTest, DestructorDeletesItsNames)
{
    GLuint vao = 0;
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
    {
        LightCone cone(7, glm::vec3(0), glm::vec3(0, -1, 0), 0.9f, glm::vec3(1));
        vao = cone.vao;
        vertexBuffer = cone.vertexBuffer;
        indexBuffer = cone.indexBuffer;
        EXPECT_TRUE(glIsVertexArray(vao));
        EXPECT_TRUE(glIsBuffer(vertexBuffer));
        EXPECT_TRUE(glIsBuffer(indexBuffer));
    }
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_FALSE(glIsBuffer(vertexBuffer));
    EXPECT_FALSE(glIsBuffer(indexBuffer));
    EXPECT_NO_GL_ERROR();
}

} // namespace
