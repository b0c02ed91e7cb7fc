#include "scene/Model.h"

#include "app/Camera.h"
#include "app/GameState.h"
#include "render/ShaderProgram.h"
#include "scene/Registry.h"
#include "scene/drawing.h"
#include "scene/meshLoading.h"
#include "scene/visibility.h"

#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <iostream>

namespace plim::scene {

Model::Model(const glm::mat4& initialModelMatrix, const std::string& path, Texture* texture, ShaderProgram* shader,
    float centerX, float centerY, float centerZ, float uvScale)
    : SceneObject(initialModelMatrix)
    , center(centerX, centerY, centerZ)
    , shader(shader)
    , texture(texture)
    , depthShader(shadowDistancesShader)
    , uvScale(uvScale)
{
    if (!loadMesh(path))
        return;
    createBuffersAndVertexArrays();
}

Model::~Model()
{
    const GLuint buffers[] = {positionBuffer, normalBuffer, indexBuffer, uvBuffer, tangentBuffer};
    glDeleteBuffers(5, buffers);
    const GLuint vertexArrays[] = {litVao, depthVao};
    glDeleteVertexArrays(2, vertexArrays);
}

bool Model::loadMesh(const std::string& path)
{
    const aiScene* scene = importer.ReadFile(path, modelImportFlags());
    const aiMesh* mesh = firstDrawableMesh(scene);
    if (!mesh) {
        // A file whose first mesh cannot be drawn safely counts as not imported.
        importer.FreeScene();
        std::cout << "Import Failed!!!" << std::endl;
        return false;
    }
    MeshArrays arrays;
    copyMesh(*mesh, uvScale, arrays);
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
    center = (boxMax + boxMin) * 0.5f;
    radius = glm::length(boxMax - center);
    return true;
}

void Model::createBuffersAndVertexArrays()
{
    positionBuffer = createStaticBuffer(GL_ARRAY_BUFFER, 12 * GLsizeiptr(vertexCount), positions.data());
    normalBuffer = createStaticBuffer(GL_ARRAY_BUFFER, 12 * GLsizeiptr(vertexCount), normals.data());
    indexBuffer = createStaticBuffer(GL_ELEMENT_ARRAY_BUFFER, 4 * GLsizeiptr(indexCount), indices.data());
    uvBuffer = createStaticBuffer(GL_ARRAY_BUFFER, 8 * GLsizeiptr(vertexCount), uvs.data());
    tangentBuffer = createStaticBuffer(GL_ARRAY_BUFFER, 12 * GLsizeiptr(vertexCount), tangents.data());

    glGenVertexArrays(1, &litVao);
    glBindVertexArray(litVao);
    attachFloatAttribute(shader, "position", positionBuffer, 3);
    attachFloatAttribute(shader, "normal", normalBuffer, 3);
    attachFloatAttribute(shader, "uv", uvBuffer, 2);
    attachFloatAttribute(shader, "tangent", tangentBuffer, 3);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBindVertexArray(0);

    glGenVertexArrays(1, &depthVao);
    glBindVertexArray(depthVao);
    attachFloatAttribute(depthShader, "position", positionBuffer, 3);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void Model::update(double deltaTime)
{
    SceneObject::update(deltaTime);
}

void Model::draw()
{
    if (litVao == 0)
        return;
    drawTriangles(litVao, indexCount);
}

void Model::translate(double x, double y, double z)
{
    SceneObject::translate(x, y, z);
}

void Model::scale(double x, double y, double z)
{
    SceneObject::scale(x, y, z);
    radius *= static_cast<float>(std::max({x, y, z}));
}

void Model::rotate(double x, double y, double z, float angle)
{
    SceneObject::rotate(x, y, z, angle);
}

bool Model::drawLit(Camera viewer, bool noCulling)
{
    if (!isVisible(viewer.position, viewer.viewMatrix(), viewer.projectionMatrix(), radius, noCulling, getCenter(),
            radius))
        return false;
    if (litVao == 0)
        return true; // an empty model is not culled, it just has nothing to draw
    glUseProgram(programName(shader));
    uploadLitUniforms(programName(shader), viewer, modelMatrix, texture, {0.05f, 1.0f, false});
    drawSurface(litVao, indexCount, closedSurface, modelMatrix);
    return true;
}

ShaderProgram* Model::getShader() const
{
    return shader;
}

glm::vec3 Model::getCenter() const
{
    const glm::vec4 p = modelMatrix * glm::vec4(center, 1.0f);
    return glm::vec3(p.x / p.w, p.y / p.w, p.z / p.w);
}

void Model::setTexture(Texture* newTexture)
{
    texture = newTexture;
}

void Model::drawDepth(const glm::vec3& lightPosition, const glm::mat4& lightView, const glm::mat4& lightProjection)
{
    if (!isVisible(lightPosition, lightView, lightProjection, radius, frustumCullingOff, getCenter(), radius))
        return;
    if (depthVao == 0)
        return;
    glUseProgram(programName(depthShader));
    setUniform(programName(depthShader), "modelMatrix", modelMatrix);
    drawSurface(depthVao, indexCount, closedSurface, modelMatrix);
}

} // namespace plim::scene
