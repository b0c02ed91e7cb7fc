#include "scene/drawing.h"

#include "app/Camera.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"
#include "scene/Registry.h"

#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <cstdio>

namespace plim::scene {

void setUniform(GLuint program, const char* name, const glm::mat4& value)
{
    glUniformMatrix4fv(glGetUniformLocation(program, name), 1, GL_FALSE, glm::value_ptr(value));
}

void setUniform(GLuint program, const char* name, const glm::vec3& value)
{
    glUniform3fv(glGetUniformLocation(program, name), 1, glm::value_ptr(value));
}

void setUniform(GLuint program, const char* name, float value)
{
    glUniform1f(glGetUniformLocation(program, name), value);
}

void setUniform(GLuint program, const char* name, int value)
{
    glUniform1i(glGetUniformLocation(program, name), value);
}

void uploadLitUniforms(GLuint program, const Camera& viewer, const glm::mat4& modelMatrix, const Texture* texture,
    const LitSurface& surface)
{
    setUniform(program, "cameraMatrix", viewer.viewProjectionMatrix());
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture ? texture->textureId : 0);
    setUniform(program, "colorTexture", 0);
    setUniform(program, "modelMatrix", modelMatrix);
    setUniform(program, "light.position", viewer.lightPosition);
    if (surface.pointLightCopy)
        setUniform(program, "Lpos", viewer.lightPosition);
    setUniform(program, "light.intensities", viewer.lightIntensities);
    setUniform(program, "cameraPosition", viewer.position);
    setUniform(program, "materialShininess", 80.0f);
    setUniform(program, "materialSpecularColor", glm::vec3(1.0f, 1.0f, 1.0f));
    setUniform(program, "light.attenuation", 0.2f);
    setUniform(program, "light.ambientCoefficient", surface.ambientCoefficient);
    setUniform(program, "transparency", surface.transparency);
}

void uploadBoneMatrices(GLuint program, const glm::mat4* transforms, int count)
{
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "boneMatrices[%d]", i);
        setUniform(program, name, transforms[i]);
    }
}

void drawTriangles(GLuint vertexArray, GLuint indexCount)
{
    glBindVertexArray(vertexArray);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indexCount), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

bool skipHiddenBackFaces = true;

void drawSurface(GLuint vertexArray, GLuint indexCount, bool closedSurface, const glm::mat4& modelMatrix,
    GLuint firstIndex)
{
    // A mirroring placement turns the winding inside out.
    const bool cull = closedSurface && skipHiddenBackFaces && glm::determinant(glm::mat3(modelMatrix)) > 0.0f;
    if (cull)
        glEnable(GL_CULL_FACE);
    glBindVertexArray(vertexArray);
    const GLsizeiptr offset = static_cast<GLsizeiptr>(firstIndex) * static_cast<GLsizeiptr>(sizeof(GLuint));
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indexCount), GL_UNSIGNED_INT,
        reinterpret_cast<const void*>(offset));
    glBindVertexArray(0);
    if (cull)
        glDisable(GL_CULL_FACE);
}

GLuint createStaticBuffer(GLenum target, GLsizeiptr bytes, const void* data)
{
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, bytes, data, GL_STATIC_DRAW);
    glBindBuffer(target, 0);
    return buffer;
}

GLuint programName(const ShaderProgram* program)
{
    return program ? program->program : 0;
}

GLuint litBoxProgram(const ShaderProgram* own, PieceLighting* lighting, const glm::mat4& modelMatrix)
{
    if (!lighting || own != cameraShader) {
        glUseProgram(programName(own));
        return programName(own);
    }
    // The unit box's corners lie half a diagonal from its centre.
    const glm::mat3 placement(modelMatrix);
    const float largest = std::max({glm::length(placement[0]), glm::length(placement[1]), glm::length(placement[2])});
    const glm::vec4 centre = modelMatrix * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    return programName(lighting->programFor(glm::vec3(centre) / centre.w, 0.8660254f * largest));
}

namespace {

GLint attributeLocation(const ShaderProgram* program, const char* name, GLuint buffer)
{
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    if (!program)
        return -1;
    return glGetAttribLocation(program->program, name);
}

} // namespace

void attachFloatAttribute(const ShaderProgram* program, const char* name, GLuint buffer, GLint components)
{
    const GLint location = attributeLocation(program, name, buffer);
    if (location == -1)
        return;
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribPointer(static_cast<GLuint>(location), components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

void attachIntAttribute(const ShaderProgram* program, const char* name, GLuint buffer, GLint components)
{
    const GLint location = attributeLocation(program, name, buffer);
    if (location == -1)
        return;
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribIPointer(static_cast<GLuint>(location), components, GL_INT, 0, nullptr);
}

} // namespace plim::scene
