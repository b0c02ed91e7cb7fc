#include "render/ShaderProgram.h"

#include "support/ChildProcess.h"
#include "support/GlTestContext.h"

#include <gtest/gtest.h>

#include <array>

namespace {

const char* vertexSource = R"(#version 150 core
in vec3 position;
void main() { gl_Position = vec4(position, 1.0); }
)";

const char* fragmentSource = R"(#version 150 core
uniform vec3 tint;
out vec4 fragColor;
void main() { fragColor = vec4(tint, 1.0); }
)";

const char* geometrySource = R"(#version 150 core
layout(triangles) in;
layout(triangle_strip, max_vertices = 3) out;
void main() {
    for (int i = 0; i < 3; ++i) { gl_Position = gl_in[i].gl_Position; EmitVertex(); }
    EndPrimitive();
}
)";

std::string shaderFile(const std::string& name, const std::string& text)
{
    static const std::string directory = testing_support::makeTempDirectory("clankora-shader");
    std::string path = directory + "/" + name;
    testing_support::writeFile(path, text);
    return path;
}

GLint attachedShaders(GLuint program)
{
    GLint count = 0;
    glGetProgramiv(program, GL_ATTACHED_SHADERS, &count);
    return count;
}

TEST(ShaderProgramBuild, TwoStagesLinkWithFragColorOnOutputZero)
{
    ASSERT_GL_CONTEXT();
    ShaderProgram program(shaderFile("a.vert", vertexSource), shaderFile("a.frag", fragmentSource));
    EXPECT_NE(program.program, 0u);
    EXPECT_NE(program.vertexShader, 0u);
    EXPECT_NE(program.fragmentShader, 0u);
    EXPECT_EQ(program.geometryShader, 0u);
    EXPECT_EQ(attachedShaders(program.program), 2);
    EXPECT_EQ(glGetFragDataLocation(program.program, "fragColor"), 0);
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0) << "no program is current after construction";
    program.use();
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), program.program);
    glUseProgram(0);
    EXPECT_NO_GL_ERROR();
}

TEST(ShaderProgramBuild, ThreeStagesAttachTheGeometryShader)
{
    ASSERT_GL_CONTEXT();
    ShaderProgram program(shaderFile("b.vert", vertexSource), shaderFile("b.frag", fragmentSource),
        shaderFile("b.geom", geometrySource));
    EXPECT_NE(program.geometryShader, 0u);
    EXPECT_EQ(attachedShaders(program.program), 3);
    EXPECT_NO_GL_ERROR();
}

TEST(ShaderProgramBuild, OutputWithAnotherNameStillLinks)
{
    ASSERT_GL_CONTEXT();
    const char* otherOutput = R"(#version 150 core
out vec4 colour;
void main() { colour = vec4(1.0); }
)";
    ShaderProgram program(shaderFile("c.vert", vertexSource), shaderFile("c.frag", otherOutput));
    GLint linked = 0;
    glGetProgramiv(program.program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
}

TEST(ShaderProgramUniforms, UploadingAnUndeclaredUniformIsHarmless)
{
    ASSERT_GL_CONTEXT();
    ShaderProgram program(shaderFile("d.vert", vertexSource), shaderFile("d.frag", fragmentSource));
    program.use();
    GLint missing = glGetUniformLocation(program.program, "notThere");
    EXPECT_EQ(missing, -1);
    glUniform1f(missing, 3.0f);
    glUniform3fv(glGetUniformLocation(program.program, "tint"), 1, std::array<float, 3>{1, 0, 0}.data());
    glUseProgram(0);
    EXPECT_NO_GL_ERROR();
}

TEST(ShaderProgramLifetime, DestructorDeletesProgramAndShaders)
{
    ASSERT_GL_CONTEXT();
    GLuint names[3];
    {
        ShaderProgram program(shaderFile("e.vert", vertexSource), shaderFile("e.frag", fragmentSource));
        names[0] = program.program;
        names[1] = program.vertexShader;
        names[2] = program.fragmentShader;
    }
    EXPECT_FALSE(glIsProgram(names[0]));
    EXPECT_FALSE(glIsShader(names[1]));
    EXPECT_FALSE(glIsShader(names[2]));
}

} // namespace
