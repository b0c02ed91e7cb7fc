#include "scene/MeshObject.h"

#include "app/Camera.h"
#include "scene/drawing.h"
#include "scene/meshLoading.h"
#include "scene/visibility.h"

#include <algorithm>
#include <cmath>

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

bool MeshObject::drawLitPieces(const Camera& viewer, bool noCulling, PieceLighting&)
{
    return drawLit(viewer, noCulling);
}

glm::vec3 MeshObject::worldCentreOf(const glm::vec3& centre) const
{
    const glm::vec4 p = modelMatrix * glm::vec4(centre, 1.0f);
    return glm::vec3(p) / p.w;
}

float MeshObject::worldRadiusOf(float radius) const
{
    const glm::mat3 placement(modelMatrix);
    const float largest
        = std::max({glm::length(placement[0]), glm::length(placement[1]), glm::length(placement[2])});
    return radius * largest;
}

void MeshObject::divideIntoPieces(float cellSize)
{
    const std::size_t triangles = indices.size() / 3;
    if (triangles == 0 || cellSize <= 0.0f)
        return;
    // The cell's size in model space along each axis, from the placement's
    // scale along it.
    const glm::mat3 placement(modelMatrix);
    glm::vec3 cell;
    for (int axis = 0; axis < 3; ++axis) {
        const float scale = glm::length(placement[axis]);
        cell[axis] = scale > 0.0f ? cellSize / scale : cellSize;
    }
    auto cellOf = [&](std::size_t triangle) {
        glm::vec3 centroid(0.0f);
        for (int k = 0; k < 3; ++k)
            centroid += positions[indices[triangle * 3 + k]];
        const glm::ivec3 at = glm::ivec3(glm::floor((centroid / 3.0f - boxMin) / cell));
        return (static_cast<long>(at.x) * 4096 + at.y) * 4096 + at.z;
    };
    // Runs of consecutive triangles in one cell: the triangles keep their
    // order, so that where two of them meet at the same depth the same one
    // still wins.
    pieces.clear();
    long previous = 0;
    for (std::size_t t = 0; t < triangles; ++t) {
        const long at = cellOf(t);
        if (t == 0 || at != previous)
            pieces.push_back({static_cast<GLuint>(t * 3), 0, glm::vec3(0.0f), 0.0f});
        pieces.back().indexCount += 3;
        previous = at;
    }
    for (Piece& piece : pieces) {
        glm::vec3 low(INFINITY);
        glm::vec3 high(-INFINITY);
        for (GLuint i = piece.firstIndex; i < piece.firstIndex + piece.indexCount; ++i) {
            low = glm::min(low, positions[indices[i]]);
            high = glm::max(high, positions[indices[i]]);
        }
        piece.centre = 0.5f * (low + high);
        piece.radius = glm::length(high - piece.centre);
    }
}

bool MeshObject::castsShadowFrom(const glm::vec3& lightPosition, const glm::mat4& lightView,
    const glm::mat4& lightProjection, bool cullingOff) const
{
    return depthVao != 0 && isVisible(lightPosition, lightView, lightProjection, radius, cullingOff, getCenter(), radius);
}

void MeshObject::fingerprintDepth(DepthFingerprint& print, const glm::vec3& lightPosition, const glm::mat4& lightView,
    const glm::mat4& lightProjection, bool cullingOff) const
{
    if (castsShadowFrom(lightPosition, lightView, lightProjection, cullingOff))
        addDepthShape(print);
}

void MeshObject::addDepthShape(DepthFingerprint& print) const
{
    print.add(this);
    print.add(depthVao);
    print.add(indexCount);
    print.add(closedSurface);
    print.add(modelMatrix);
}

} // namespace plim::scene
