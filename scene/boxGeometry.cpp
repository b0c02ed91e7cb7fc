#include "scene/boxGeometry.h"

#include "scene/drawing.h"
#include "scene/meshLoading.h"

#include <vector>

namespace plim::scene {

// clang-format off
const GLfloat boxPositions[boxVertexCount * 3] = {
    -0.5f, -0.5f, -0.5f,  -0.5f,  0.5f, -0.5f,   0.5f,  0.5f, -0.5f,   0.5f, -0.5f, -0.5f,
    -0.5f, -0.5f,  0.5f,   0.5f, -0.5f,  0.5f,   0.5f,  0.5f,  0.5f,  -0.5f,  0.5f,  0.5f,
     0.5f,  0.5f,  0.5f,   0.5f,  0.5f, -0.5f,  -0.5f,  0.5f, -0.5f,  -0.5f,  0.5f,  0.5f,
     0.5f, -0.5f,  0.5f,  -0.5f, -0.5f,  0.5f,  -0.5f, -0.5f, -0.5f,   0.5f, -0.5f, -0.5f,
     0.5f,  0.5f,  0.5f,   0.5f, -0.5f,  0.5f,   0.5f, -0.5f, -0.5f,   0.5f,  0.5f, -0.5f,
    -0.5f,  0.5f,  0.5f,  -0.5f,  0.5f, -0.5f,  -0.5f, -0.5f, -0.5f,  -0.5f, -0.5f,  0.5f,
};

const GLfloat boxNormals[boxVertexCount * 3] = {
     0,  0, -1,   0,  0, -1,   0,  0, -1,   0,  0, -1,
     0,  0,  1,   0,  0,  1,   0,  0,  1,   0,  0,  1,
     0,  1,  0,   0,  1,  0,   0,  1,  0,   0,  1,  0,
     0, -1,  0,   0, -1,  0,   0, -1,  0,   0, -1,  0,
     1,  0,  0,   1,  0,  0,   1,  0,  0,   1,  0,  0,
    -1,  0,  0,  -1,  0,  0,  -1,  0,  0,  -1,  0,  0,
};

const GLfloat boxUvs[boxVertexCount * 2] = {
    1, 0,  1, 1,  0, 1,  0, 0,
    0, 0,  1, 0,  1, 1,  0, 1,
    0, 0,  1, 0,  1, 1,  0, 1,
    0, 0,  1, 0,  1, 1,  0, 1,
    1, 1,  1, 0,  0, 0,  0, 1,
    0, 1,  1, 1,  1, 0,  0, 0,
};

const GLuint boxIndices[boxIndexCount] = {
     0,  1,  2,   0,  2,  3,
     4,  5,  6,   4,  6,  7,
     8,  9, 10,   8, 10, 11,
    12, 13, 14,  12, 14, 15,
    16, 17, 18,  16, 18, 19,
    20, 21, 22,  20, 22, 23,
};

const GLfloat skyboxPositions[boxVertexCount * 3] = {
     0.5f,  0.5f,  0.5f,   0.5f,  0.5f, -0.5f,   0.5f, -0.5f, -0.5f,   0.5f, -0.5f,  0.5f,
    -0.5f,  0.5f,  0.5f,  -0.5f,  0.5f, -0.5f,  -0.5f, -0.5f, -0.5f,  -0.5f, -0.5f,  0.5f,
};

const GLfloat skyboxNormals[boxVertexCount * 3] = {
    0, 0, -1,  0, 0, -1,  0, 0, -1,  0, 0, -1,
    0, 0,  1,  0, 0,  1,  0, 0,  1,  0, 0,  1,
};

const GLfloat skyboxUvs[boxVertexCount * 2] = {
    4, 0,  4, 4,  0, 4,  0, 0,
    0, 0,  4, 0,  4, 4,  0, 4,
};

const GLuint skyboxIndices[boxIndexCount] = {
    0, 1, 2,  0, 2, 3,  4, 5, 6,  4, 6, 7,
    0, 1, 4,  1, 5, 4,  2, 3, 6,  3, 7, 6,
    1, 2, 6,  1, 6, 5,  0, 4, 7,  0, 7, 3,
};
// clang-format on

bool boxIsClosed()
{
    static const bool closed = [] {
        std::vector<glm::vec3> corners;
        for (int k = 0; k < boxVertexCount; ++k)
            corners.emplace_back(boxPositions[3 * k], boxPositions[3 * k + 1], boxPositions[3 * k + 2]);
        return isClosedSurface(corners, std::vector<GLuint>(boxIndices, boxIndices + boxIndexCount));
    }();
    return closed;
}

BoxBuffers createBoxBuffers(const GLfloat* positions, const GLfloat* normals, const GLfloat* uvs, const GLuint* indices)
{
    BoxBuffers buffers;
    buffers.positions = createStaticBuffer(GL_ARRAY_BUFFER, boxVertexCount * 3 * sizeof(GLfloat), positions);
    buffers.normals = createStaticBuffer(GL_ARRAY_BUFFER, boxVertexCount * 3 * sizeof(GLfloat), normals);
    buffers.uvs = createStaticBuffer(GL_ARRAY_BUFFER, boxVertexCount * 2 * sizeof(GLfloat), uvs);
    buffers.indices = createStaticBuffer(GL_ELEMENT_ARRAY_BUFFER, boxIndexCount * sizeof(GLuint), indices);
    return buffers;
}

void deleteBoxBuffers(const BoxBuffers& buffers)
{
    const GLuint names[] = {buffers.positions, buffers.normals, buffers.uvs, buffers.indices};
    glDeleteBuffers(4, names);
}

GLuint createBoxVertexArray(const ShaderProgram* program, const BoxBuffers& buffers)
{
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    attachFloatAttribute(program, "position", buffers.positions, 3);
    attachFloatAttribute(program, "normal", buffers.normals, 3);
    attachFloatAttribute(program, "uv", buffers.uvs, 2);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers.indices);
    glBindVertexArray(0);
    return vertexArray;
}

GLuint createPositionVertexArray(const ShaderProgram* program, const BoxBuffers& buffers)
{
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    attachFloatAttribute(program, "position", buffers.positions, 3);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers.indices);
    glBindVertexArray(0);
    return vertexArray;
}

void unbindVertexState()
{
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

} // namespace plim::scene
