// The rendering programs of the game: each builds, takes exactly the
// attributes and uniforms that the drawing code sends it, writes "fragColor",
// and programs that share a vertex array agree on attribute locations.
#include "render/ShaderProgram.h"
#include "render/attributeLocations.h"

#include "renderTestSupport.h"
#include "support/GlTestContext.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using namespace render_testing;
using Names = std::set<std::string>;

Names activeNames(GLuint program, GLenum countQuery, GLenum lengthQuery, bool attributes)
{
    GLint count = 0;
    GLint longest = 0;
    glGetProgramiv(program, countQuery, &count);
    glGetProgramiv(program, lengthQuery, &longest);
    Names names;
    std::string buffer(static_cast<size_t>(longest) + 1, '\0');
    for (GLint i = 0; i < count; ++i) {
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        if (attributes)
            glGetActiveAttrib(program, static_cast<GLuint>(i), longest + 1, &length, &size, &type, buffer.data());
        else
            glGetActiveUniform(program, static_cast<GLuint>(i), longest + 1, &length, &size, &type, buffer.data());
        std::string name = buffer.substr(0, static_cast<size_t>(length));
        // Built-in inputs such as gl_VertexID are listed too; they are not sent.
        if (name.rfind("gl_", 0) != 0)
            names.insert(name);
    }
    return names;
}

Names attributesOf(const ShaderProgram& program)
{
    return activeNames(program.program, GL_ACTIVE_ATTRIBUTES, GL_ACTIVE_ATTRIBUTE_MAX_LENGTH, true);
}

Names uniformsOf(const ShaderProgram& program)
{
    return activeNames(program.program, GL_ACTIVE_UNIFORMS, GL_ACTIVE_UNIFORM_MAX_LENGTH, false);
}

// Every active name is allowed, and every required one is active.
void expectInterface(const Names& active, const Names& allowed, const Names& required)
{
    for (const std::string& name : active)
        EXPECT_TRUE(allowed.count(name)) << "unexpected \"" << name << "\"";
    for (const std::string& name : required)
        EXPECT_TRUE(active.count(name)) << "missing \"" << name << "\"";
}

void expectWholeImageByDefault(const ShaderProgram& program)
{
    GLfloat share[2] = {0.0f, 0.0f};
    glGetUniformfv(program.program, glGetUniformLocation(program.program, "renderScale"), share);
    EXPECT_EQ(share[0], 1.0f);
    EXPECT_EQ(share[1], 1.0f);
}

class ProgramInterfaces : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_GL_CONTEXT(); }
};

TEST_F(ProgramInterfaces, GaussianBlur)
{
    ShaderProgram blur(gameShader("GaussianBlur.vert"), gameShader("GaussianBlur.frag"));
    const Names attributes{"position", "uv"};
    const Names uniforms{"colorTexture", "blurDirection", "modelMatrix", "size"};
    expectInterface(attributesOf(blur), attributes, attributes);
    // Below a render scale of 1 the glow fills a corner of the targets; a
    // pass that never hears the scale blurs the whole target.
    Names allowed = uniforms;
    allowed.insert("renderScale");
    expectInterface(uniformsOf(blur), allowed, uniforms);
    expectWholeImageByDefault(blur);
    EXPECT_EQ(glGetFragDataLocation(blur.program, "fragColor"), 0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(ProgramInterfaces, AddTextures)
{
    ShaderProgram composition(gameShader("note.vert"), gameShader("addtextures.frag"));
    expectInterface(attributesOf(composition), {"position", "uv"}, {"position"});
    const Names uniforms{"colorTexture", "preprocessTexture", "modelMatrix"};
    // note.vert also serves the papers, which set their projection; the
    // full-screen passes leave it at its identity default.
    Names allowed = uniforms;
    allowed.insert("projectionMatrix");
    // The share of the scene image that a lower render scale fills; a frame
    // that never sets it reads the whole image.
    allowed.insert("renderScale");
    expectInterface(uniformsOf(composition), allowed, uniforms);
    expectWholeImageByDefault(composition);
    EXPECT_EQ(glGetFragDataLocation(composition.program, "fragColor"), 0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(ProgramInterfaces, LightVolume)
{
    ShaderProgram cone(gameShader("Test.vert"), gameShader("Test.frag"), gameShader("Test.geom"));
    expectInterface(attributesOf(cone), {"position"}, {"position"});
    const Names uniforms{"cameraMatrix", "modelMatrix", "inverseProjection", "Lpos", "Lightcolor", "Ldir", "angle",
        "shadowTexture"};
    expectInterface(uniformsOf(cone), uniforms, uniforms);
    EXPECT_EQ(glGetFragDataLocation(cone.program, "fragColor"), 0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(ProgramInterfaces, TransparencyTakesOnlyTheLitObjectSet)
{
    ShaderProgram eyes(gameShader("camera.vert"), gameShader("Transparency.frag"));
    expectInterface(attributesOf(eyes), {"position", "normal", "uv", "tangent"}, {"position"});
    Names uniforms = uniformsOf(eyes);
    const Names litObjectSet{"cameraMatrix", "modelMatrix", "colorTexture", "light.position", "light.intensities",
        "light.attenuation", "light.ambientCoefficient", "cameraPosition", "materialShininess",
        "materialSpecularColor", "transparency"};
    // camera.vert may also read the camera program's spotlight matrices.
    for (auto name = uniforms.begin(); name != uniforms.end();)
        name = name->rfind("shadowprojectionMatrix[", 0) == 0 ? uniforms.erase(name) : std::next(name);
    Names allowed = litObjectSet;
    allowed.insert("wireframe"); // camera.vert's switch for what lies outside the room
    expectInterface(uniforms, allowed, {"transparency", "cameraMatrix", "modelMatrix", "wireframe"});
    EXPECT_EQ(glGetFragDataLocation(eyes.program, "fragColor"), 0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(ProgramInterfaces, ToonTakesNothingAndStillDraws)
{
    ShaderProgram toon(gameShader("toon.vert"), gameShader("toon.frag"));
    EXPECT_TRUE(attributesOf(toon).empty());
    EXPECT_TRUE(uniformsOf(toon).empty());

    RenderTarget target(32, 32);
    target.clear(glm::vec4(0.0f, 0.0f, 1.0f, 1.0f));
    GLuint vao = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    toon.use();
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vao);
    Rgba ball = target.pixel(16, 16);
    EXPECT_GT(ball.r, ball.b) << "the ball covers the middle";
    Rgba corner = target.pixel(0, 0);
    EXPECT_EQ(corner.b, 0) << "the triangle covers the corners too";
    glUseProgram(0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_NO_GL_ERROR();
}

// The lit object set that every lit draw uploads.
const Names litObjectSet{"cameraMatrix", "modelMatrix", "colorTexture", "light.position", "light.intensities",
    "light.attenuation", "light.ambientCoefficient", "cameraPosition", "materialShininess", "materialSpecularColor",
    "transparency"};

// The camera program's spotlight slots, as GL lists the active names.
Names spotlightSlotSet()
{
    Names names{"anz", "shadowTexture[0]", "shadowprojectionMatrix[0]"};
    for (int i = 0; i < 5; ++i)
        for (const char* field : {"position", "intensities", "direction", "angle"})
            names.insert("spotlight[" + std::to_string(i) + "]." + field);
    return names;
}

TEST_F(ProgramInterfaces, CameraTakesTheLitSetAndTheSpotlightSlots)
{
    ShaderProgram camera(gameShader("camera.vert"), gameShader("camera.frag"));
    // "tangent" is accepted but unused: the per-triple tangent is no face tangent.
    expectInterface(attributesOf(camera), {"position", "normal", "uv", "tangent"}, {"position", "normal", "uv"});
    Names allowed = litObjectSet;
    for (const std::string& name : spotlightSlotSet())
        allowed.insert(name);
    allowed.insert("wireframe");
    expectInterface(uniformsOf(camera), allowed, allowed);
    EXPECT_EQ(glGetFragDataLocation(camera.program, "fragColor"), 0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(ProgramInterfaces, AnimatedCameraSkinsWithThirtyBones)
{
    ShaderProgram animated(gameShader("animatedCamera.vert"), gameShader("camera.frag"));
    expectInterface(attributesOf(animated), {"position", "normal", "uv", "tangent", "boneId", "boneWeight"},
        {"position", "normal", "uv", "boneId", "boneWeight"});
    Names allowed = litObjectSet;
    for (const std::string& name : spotlightSlotSet())
        allowed.insert(name);
    allowed.insert("boneMatrices[0]");
    expectInterface(uniformsOf(animated), allowed, {"boneMatrices[0]", "cameraMatrix", "modelMatrix"});
    EXPECT_NE(glGetUniformLocation(animated.program, "boneMatrices[29]"), -1);
    EXPECT_EQ(glGetUniformLocation(animated.program, "boneMatrices[30]"), -1);
    EXPECT_NO_GL_ERROR();
}

TEST_F(ProgramInterfaces, DepthProgramsTakeTheLightMatrix)
{
    ShaderProgram still(gameShader("shadowdistances.vert"), gameShader("shadowdistances.frag"));
    expectInterface(attributesOf(still), {"position"}, {"position"});
    expectInterface(uniformsOf(still), {"lightprojectionMatrix", "modelMatrix"}, {"lightprojectionMatrix", "modelMatrix"});
    ShaderProgram animated(gameShader("animatedshadowdistances.vert"), gameShader("shadowdistances.frag"));
    expectInterface(attributesOf(animated), {"position", "boneId", "boneWeight"}, {"position", "boneId", "boneWeight"});
    expectInterface(uniformsOf(animated), {"lightprojectionMatrix", "modelMatrix", "boneMatrices[0]"},
        {"lightprojectionMatrix", "modelMatrix", "boneMatrices[0]"});
    EXPECT_NE(glGetUniformLocation(animated.program, "boneMatrices[29]"), -1);
    EXPECT_NO_GL_ERROR();
}

TEST_F(ProgramInterfaces, SkyBoxAndNotes)
{
    ShaderProgram sky(gameShader("projection.vert"), gameShader("projection.frag"));
    expectInterface(attributesOf(sky), {"position", "normal", "uv"}, {"position", "uv"});
    expectInterface(uniformsOf(sky), {"cameraMatrix", "modelMatrix", "colorTexture"},
        {"cameraMatrix", "modelMatrix", "colorTexture"});
    ShaderProgram note(gameShader("note.vert"), gameShader("note.frag"));
    expectInterface(attributesOf(note), {"position", "uv"}, {"position", "uv"});
    // The papers also set their projection, which a full-screen card does not
    // need; the down-sampling pass sets the share of the effect image it reads.
    expectInterface(uniformsOf(note), {"colorTexture", "modelMatrix", "projectionMatrix", "renderScale"},
        {"colorTexture", "modelMatrix"});
    expectWholeImageByDefault(note);
    EXPECT_NO_GL_ERROR();
}

// Every sampler starts on unit 0, where the lit draws bind the colour
// texture; a shadow sampler there as well is a program that conforming
// drivers refuse to draw with. The animated program's depth-map samplers are
// never set by the frame, so they must start on units of their own.
TEST_F(ProgramInterfaces, DepthMapSamplersStartOnTheirOwnUnits)
{
    for (const char* vertex : {"camera.vert", "animatedCamera.vert"}) {
        SCOPED_TRACE(vertex);
        ShaderProgram lit(gameShader(vertex), gameShader("camera.frag"));
        // The robots' program never has its slots filled, and its shadow
        // coordinates are constant: the linker may drop its depth maps.
        const bool mapsMayBeDropped = std::string(vertex) == "animatedCamera.vert";
        for (int i = 0; i < 5; ++i) {
            const std::string name = "shadowTexture[" + std::to_string(i) + "]";
            const GLint location = glGetUniformLocation(lit.program, name.c_str());
            if (location == -1 && mapsMayBeDropped)
                continue;
            GLint unit = -1;
            glGetUniformiv(lit.program, location, &unit);
            EXPECT_EQ(unit, 1 + i) << name;
        }
        GLint current = -1;
        glGetIntegerv(GL_CURRENT_PROGRAM, &current);
        EXPECT_EQ(current, 0) << "no program is current after construction";
        glValidateProgram(lit.program);
        GLint valid = GL_FALSE;
        glGetProgramiv(lit.program, GL_VALIDATE_STATUS, &valid);
        EXPECT_EQ(valid, GL_TRUE) << "no unit holds two kinds of sampler";
    }
    EXPECT_NO_GL_ERROR();
}

TEST_F(ProgramInterfaces, SharedAttributesHaveTheSameLocationsInEveryProgram)
{
    // The blur quad is built with the blur program and drawn with the note
    // program.
    ShaderProgram blur(gameShader("GaussianBlur.vert"), gameShader("GaussianBlur.frag"));
    ShaderProgram note(gameShader("note.vert"), gameShader("note.frag"));
    for (const ShaderProgram* program : {&blur, &note}) {
        EXPECT_EQ(glGetAttribLocation(program->program, "position"), static_cast<GLint>(attributeLocations::position));
        EXPECT_EQ(glGetAttribLocation(program->program, "uv"), static_cast<GLint>(attributeLocations::uv));
    }
    ShaderProgram eyes(gameShader("camera.vert"), gameShader("Transparency.frag"));
    ShaderProgram cone(gameShader("Test.vert"), gameShader("Test.frag"), gameShader("Test.geom"));
    EXPECT_EQ(glGetAttribLocation(eyes.program, "position"), static_cast<GLint>(attributeLocations::position));
    EXPECT_EQ(glGetAttribLocation(cone.program, "position"), static_cast<GLint>(attributeLocations::position));
    EXPECT_NO_GL_ERROR();
}

} // namespace
