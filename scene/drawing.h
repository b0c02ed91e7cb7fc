#pragma once

#include "scene/PieceLighting.h"

#include <GL/glew.h>
#include <glm/glm.hpp>

class Camera;
class ShaderProgram;
class Texture;

namespace plim::scene {

// Uniform uploads by name; a name the program lacks gives -1, which GL ignores.
void setUniform(GLuint program, const char* name, const glm::mat4& value);
void setUniform(GLuint program, const char* name, const glm::vec3& value);
void setUniform(GLuint program, const char* name, float value);
void setUniform(GLuint program, const char* name, int value);

// The uniform set of every lit object draw, in the fixed order the shaders are
// written for. With pointLightCopy, "Lpos" repeats the point light's position
// right after "light.position" (the pillars' glow shader reads it).
struct LitSurface {
    float ambientCoefficient;
    float transparency;
    bool pointLightCopy;
};
void uploadLitUniforms(GLuint program, const Camera& viewer, const glm::mat4& modelMatrix, const Texture* texture,
    const LitSurface& surface);

// Uploads "boneMatrices[i]" for i below count. Builds each name in a fixed
// buffer so that a frame allocates nothing.
void uploadBoneMatrices(GLuint program, const glm::mat4* transforms, int count);

// Binds the vertex array, draws its indices as triangles and unbinds it.
void drawTriangles(GLuint vertexArray, GLuint indexCount);

// Draws like drawTriangles; firstIndex and indexCount pick a run of the
// element buffer. A closed surface (isClosedSurface) placed
// without mirroring leaves out its back faces while skipHiddenBackFaces is
// on. They are hidden behind its front faces anyway, but a software renderer
// sets up and bins every triangle, and the robots are most of the scene's.
// Seen from a light the nearest surface is a front face too, so the depth
// maps come out the same.
void drawSurface(GLuint vertexArray, GLuint indexCount, bool closedSurface, const glm::mat4& modelMatrix,
    GLuint firstIndex = 0);
// Off while wireframe shows the edges behind.
extern bool skipHiddenBackFaces;

// A buffer generated, bound, filled once with GL_STATIC_DRAW and unbound.
GLuint createStaticBuffer(GLenum target, GLsizeiptr bytes, const void* data);

// For the vertex array being built: binds the buffer and, when the program
// knows the attribute, enables it at the program's location. Integer
// attributes stay integers in the shader.
void attachFloatAttribute(const ShaderProgram* program, const char* name, GLuint buffer, GLint components);
void attachIntAttribute(const ShaderProgram* program, const char* name, GLuint buffer, GLint components);

GLuint programName(const ShaderProgram* program);

// The program a unit box (the pillars, the stacks' boxes) placed by
// modelMatrix is lit with, made current: the lighting's choice for the box's
// bounding sphere where the box is drawn with the camera program, else its
// own.
GLuint litBoxProgram(const ShaderProgram* own, PieceLighting* lighting, const glm::mat4& modelMatrix);

} // namespace plim::scene
