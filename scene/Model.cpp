#include "scene/Model.h"

#include "app/Camera.h"
#include "render/ShaderProgram.h"
#include "scene/Registry.h"
#include "scene/drawing.h"
#include "scene/meshLoading.h"
#include "scene/visibility.h"

#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>

#include <iostream>

namespace plim::scene {

Model::Model(const glm::mat4& initialModelMatrix, const std::string& path, Texture* texture, ShaderProgram* shader,
    float centerX, float centerY, float centerZ, float uvScale)
    : MeshObject(initialModelMatrix, texture, shader, shadowDistancesShader, uvScale,
        glm::vec3(centerX, centerY, centerZ))
{
    if (!loadMesh(path))
        return;
    createBuffersAndVertexArrays();
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
    takeMesh(arrays);
    center = (boxMax + boxMin) * 0.5f;
    radius = glm::length(boxMax - center);
    return true;
}

void Model::createBuffersAndVertexArrays()
{
    createMeshBuffersAndLitArray();
    glBindVertexArray(0);

    glGenVertexArrays(1, &depthVao);
    glBindVertexArray(depthVao);
    attachFloatAttribute(depthShader, "position", positionBuffer, 3);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void Model::draw()
{
    if (litVao == 0)
        return;
    drawTriangles(litVao, indexCount);
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

bool Model::drawLitPieces(const Camera& viewer, bool noCulling, PieceLighting& lighting)
{
    // The spotlights' slots are the camera program's.
    if (shader != cameraShader)
        return drawLit(viewer, noCulling);
    if (!isVisible(viewer.position, viewer.viewMatrix(), viewer.projectionMatrix(), radius, noCulling, getCenter(),
            radius))
        return false;
    if (litVao == 0)
        return true;
    auto drawPiece = [&](GLuint first, GLuint count, const glm::vec3& centre, float pieceRadius) {
        const GLuint program = programName(lighting.programFor(centre, pieceRadius));
        uploadLitUniforms(program, viewer, modelMatrix, texture, {0.05f, 1.0f, false});
        drawSurface(litVao, count, closedSurface, modelMatrix, first);
    };
    if (pieces.empty()) {
        drawPiece(0, indexCount, getCenter(), radius);
        return true;
    }
    for (const Piece& piece : pieces)
        drawPiece(piece.firstIndex, piece.indexCount, worldCentreOf(piece.centre), worldRadiusOf(piece.radius));
    return true;
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

void Model::drawDepth(const glm::vec3& lightPosition, const glm::mat4& lightView, const glm::mat4& lightProjection,
    bool cullingOff)
{
    if (!castsShadowFrom(lightPosition, lightView, lightProjection, cullingOff))
        return;
    glUseProgram(programName(depthShader));
    setUniform(programName(depthShader), "modelMatrix", modelMatrix);
    drawSurface(depthVao, indexCount, closedSurface, modelMatrix);
}

} // namespace plim::scene
