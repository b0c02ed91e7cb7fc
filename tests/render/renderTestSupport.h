#pragma once
// Helpers shared by the rendering tests: shader paths, an off-screen target
// with pixel read-back, plain position-only meshes and uniform uploads.

#include "render/ShaderProgram.h"
#include "support/PixelReadBack.h"

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <string>
#include <vector>

namespace render_testing {

inline std::string fixture(const std::string& name)
{
    return std::string(CLANKORA_SOURCE_DIR) + "/tests/render/fixtures/" + name;
}

inline std::string gameShader(const std::string& name)
{
    return "OpenGL/Shader/" + name;
}

inline GLint glInteger(GLenum name)
{
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

struct Rgba {
    int r = 0;
    int g = 0;
    int b = 0;
    int a = 0;
};

inline Rgba readPixel(int x, int y)
{
    const std::vector<unsigned char> data = testing_support::readBoundColour(x, y, 1, 1);
    return {data[0], data[1], data[2], data[3]};
}

// An RGBA8 colour target with a 24-bit depth buffer.
class RenderTarget {
public:
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;
    int width;
    int height;

    RenderTarget(int width, int height)
        : width(width)
        , height(height)
    {
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glGenRenderbuffers(1, &depth);
        glBindRenderbuffer(GL_RENDERBUFFER, depth);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, colour, 0);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }
    ~RenderTarget()
    {
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(1, &depth);
        glDeleteTextures(1, &colour);
    }
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    void bind() const
    {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glViewport(0, 0, width, height);
    }
    void clear(glm::vec4 colourValue) const
    {
        bind();
        glClearColor(colourValue.r, colourValue.g, colourValue.b, colourValue.a);
        glClearDepth(1.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    }
    Rgba pixel(int x, int y) const
    {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
        Rgba value = readPixel(x, y);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        return value;
    }
    float depthAt(int x, int y) const
    {
        float value = -1.0f;
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
        glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &value);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        return value;
    }
};

// Triangles of positions only, with the "position" location of the program.
class Mesh {
public:
    GLuint vao = 0;
    GLuint buffer = 0;
    GLsizei vertexCount;

    Mesh(const std::vector<glm::vec3>& triangles, const ShaderProgram& program)
        : vertexCount(static_cast<GLsizei>(triangles.size()))
    {
        glGenVertexArrays(1, &vao);
        glBindVertexArray(vao);
        glGenBuffers(1, &buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(triangles.size() * sizeof(glm::vec3)),
            triangles.data(), GL_STATIC_DRAW);
        GLint location = glGetAttribLocation(program.program, "position");
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
        glBindVertexArray(0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    ~Mesh()
    {
        glDeleteVertexArrays(1, &vao);
        glDeleteBuffers(1, &buffer);
    }
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    void draw() const
    {
        glBindVertexArray(vao);
        glDrawArrays(GL_TRIANGLES, 0, vertexCount);
        glBindVertexArray(0);
    }
};

// A square in the plane y = height, centred on (x, z).
inline std::vector<glm::vec3> horizontalSquare(float height, float halfSize, float x = 0.0f, float z = 0.0f)
{
    glm::vec3 a(x - halfSize, height, z - halfSize);
    glm::vec3 b(x + halfSize, height, z - halfSize);
    glm::vec3 c(x + halfSize, height, z + halfSize);
    glm::vec3 d(x - halfSize, height, z + halfSize);
    return {a, b, c, a, c, d};
}

// A square in the plane z = depth, centred on (x, y).
inline std::vector<glm::vec3> verticalSquare(float depth, float halfSize, float x = 0.0f, float y = 0.0f)
{
    glm::vec3 a(x - halfSize, y - halfSize, depth);
    glm::vec3 b(x + halfSize, y - halfSize, depth);
    glm::vec3 c(x + halfSize, y + halfSize, depth);
    glm::vec3 d(x - halfSize, y + halfSize, depth);
    return {a, b, c, a, c, d};
}

inline void setMatrix(const ShaderProgram& program, const char* name, const glm::mat4& value)
{
    glUniformMatrix4fv(glGetUniformLocation(program.program, name), 1, GL_FALSE, glm::value_ptr(value));
}

inline void setVec3(const ShaderProgram& program, const char* name, glm::vec3 value)
{
    glUniform3fv(glGetUniformLocation(program.program, name), 1, glm::value_ptr(value));
}

inline void setInt(const ShaderProgram& program, const char* name, int value)
{
    glUniform1i(glGetUniformLocation(program.program, name), value);
}

} // namespace render_testing
