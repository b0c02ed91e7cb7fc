#include "scene/MeshObject.h"

#include "scene/drawing.h"
#include "scene/meshLoading.h"

#include <algorithm>

namespace plim::scene {

MeshObject::MeshObject(const glm::mat4& initialModelMatrix, Texture* texture, ShaderProgram* shader,
    ShaderProgram* depthShader, float uvScale, const glm::vec3& initialCenter)
    : SceneObject(initialModelMatrix)
    , center(initialCenter)
    , shader(shader)
    , texture(texture)
    , depthShader(depthShader)
    , uvScale(uvScale)
{
}

MeshObject::~MeshObject()
{
    const GLuint buffers[] = {positionBuffer, normalBuffer, indexBuffer, uvBuffer, tangentBuffer};
    glDeleteBuffers(5, buffers);
    const GLuint vertexArrays[] = {litVao, depthVao};
    glDeleteVertexArrays(2, vertexArrays);
}

void MeshObject::scale(double x, double y, double z)
{
    SceneObject::scale(x, y, z);
    radius *= static_cast<float>(std::max({x, y, z}));
}

ShaderProgram* MeshObject::getShader() const
{
    return shader;
}

void MeshObject::takeMesh(MeshArrays& arrays)
{
    positions = std::move(arrays.positions);
    normals = std::move(arrays.normals);
    indices = std::move(arrays.indices);
    uvs = std::move(arrays.uvs);
    tangents = std::move(arrays.tangents);
    vertexCount = static_cast<GLuint>(positions.size());
    indexCount = static_cast<GLuint>(indices.size());
    boxMax = arrays.boxMax;
    boxMin = arrays.boxMin;
    closedSurface = arrays.closedSurface;
}

void MeshObject::createMeshBuffersAndLitArray()
{
    const GLsizeiptr n = vertexCount;
    positionBuffer = createStaticBuffer(GL_ARRAY_BUFFER, 12 * n, positions.data());
    normalBuffer = createStaticBuffer(GL_ARRAY_BUFFER, 12 * n, normals.data());
    indexBuffer = createStaticBuffer(GL_ELEMENT_ARRAY_BUFFER, 4 * GLsizeiptr(indexCount), indices.data());
    uvBuffer = createStaticBuffer(GL_ARRAY_BUFFER, 8 * n, uvs.data());
    tangentBuffer = createStaticBuffer(GL_ARRAY_BUFFER, 12 * n, tangents.data());

    glGenVertexArrays(1, &litVao);
    glBindVertexArray(litVao);
    attachFloatAttribute(shader, "position", positionBuffer, 3);
    attachFloatAttribute(shader, "normal", normalBuffer, 3);
    attachFloatAttribute(shader, "uv", uvBuffer, 2);
    attachFloatAttribute(shader, "tangent", tangentBuffer, 3);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
}

} // namespace plim::scene
