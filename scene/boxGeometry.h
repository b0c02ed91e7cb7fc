#pragma once

#include <GL/glew.h>

class ShaderProgram;

namespace plim::scene {

// The built-in boxes: a unit cube centred on the origin, four vertices per
// face with the face's normal, two triangles per face. Cube, paper and
// pillars share it; the sky box has its own eight-corner tables.
constexpr int boxVertexCount = 24;
constexpr int boxIndexCount = 36;

extern const GLfloat boxPositions[boxVertexCount * 3];
extern const GLfloat boxNormals[boxVertexCount * 3];
extern const GLfloat boxUvs[boxVertexCount * 2]; // the paper's and the pillars' coordinates
extern const GLuint boxIndices[boxIndexCount];
// Whether the box tables enclose the cube with their faces turned outwards
// (isClosedSurface), so that an opaque box may leave out its back faces.
bool boxIsClosed();

extern const GLfloat skyboxPositions[boxVertexCount * 3]; // vertices 8 to 23 stay at the origin
extern const GLfloat skyboxNormals[boxVertexCount * 3];
extern const GLfloat skyboxUvs[boxVertexCount * 2];
extern const GLuint skyboxIndices[boxIndexCount];

// The four buffers of a box, created in the order positions, normals,
// texture coordinates, indices.
struct BoxBuffers {
    GLuint positions = 0;
    GLuint normals = 0;
    GLuint uvs = 0;
    GLuint indices = 0;
};
BoxBuffers createBoxBuffers(const GLfloat* positions, const GLfloat* normals, const GLfloat* uvs, const GLuint* indices);
void deleteBoxBuffers(const BoxBuffers& buffers);

// A vertex array with "position", "normal" and "uv" at the locations the
// program reports, and the index buffer.
GLuint createBoxVertexArray(const ShaderProgram* program, const BoxBuffers& buffers);
// A vertex array with only "position" (for a depth program) and the index buffer.
GLuint createPositionVertexArray(const ShaderProgram* program, const BoxBuffers& buffers);
// Leaves no vertex array, array buffer or element buffer bound.
void unbindVertexState();

} // namespace plim::scene
