#include "scene/AnimatedModel.h"

#include "app/Camera.h"
#include "render/ShaderProgram.h"
#include "scene/Registry.h"
#include "scene/SkeletonNode.h"
#include "scene/drawing.h"
#include "scene/meshLoading.h"
#include "scene/skeletalAnimation.h"
#include "scene/visibility.h"

#include <assimp/scene.h>

#include <algorithm>
#include <iostream>

namespace plim::scene {

AnimatedModel::AnimatedModel(const glm::mat4& initialModelMatrix, const std::string& path, Texture* texture,
    ShaderProgram* depthShader, float uvScale, float cullMargin, const glm::vec3& initialCenter)
    : MeshObject(initialModelMatrix, texture, animatedCameraShader, depthShader, uvScale, initialCenter)
    , cullMargin(cullMargin)
{
    for (int i = 0; i < boneMatrixCapacity; ++i) {
        boneTransforms[i] = glm::mat4(1.0f);
        boneOffsets[i] = glm::mat4(1.0f);
    }
    if (!load(path))
        return;
    createBuffersAndVertexArrays();
}

AnimatedModel::~AnimatedModel()
{
    const GLuint buffers[] = {boneIdBuffer, boneWeightBuffer};
    glDeleteBuffers(2, buffers);
    delete skeleton;
}

bool AnimatedModel::load(const std::string& path)
{
    const aiScene* scene = importer.ReadFile(path, modelImportFlags());
    const aiMesh* mesh = firstDrawableMesh(scene);
    if (!mesh) {
        importer.FreeScene();
        std::cout << "Import Failed!!!" << std::endl;
        return false;
    }
    // Checked before anything is copied, so a rejected file leaves the model
    // exactly as a failed import does.
    const std::string problem = modelLimitProblem(*scene, *mesh);
    if (!problem.empty()) {
        importer.FreeScene();
        std::cout << "Model rejected: " << path << ": " << problem << std::endl;
        return false;
    }

    MeshArrays arrays;
    copyMesh(*mesh, uvScale, arrays);
    takeMesh(arrays);
    for (int axis = 0; axis < 3; ++axis)
        center[axis] = static_cast<float>((static_cast<double>(boxMax[axis]) + boxMin[axis]) * 0.5);
    radius = glm::length(boxMax - center);

    boneCount = loadBoneTable(*mesh, boneNames, boneOffsets, boneIds, boneWeights);
    if (!buildSkeleton(scene->mRootNode, skeleton, boneCount, boneNames))
        std::cout << "No skeleton found in file" << std::endl;
    attachAnimation(*scene, skeleton);
    return true;
}

void AnimatedModel::createBuffersAndVertexArrays()
{
    createMeshBuffersAndLitArray();
    // Array buffers are no state of the vertex array that stays bound.
    const GLsizeiptr n = vertexCount;
    boneIdBuffer = createStaticBuffer(GL_ARRAY_BUFFER, 16 * n, boneIds.data());
    boneWeightBuffer = createStaticBuffer(GL_ARRAY_BUFFER, 16 * n, boneWeights.data());
    attachIntAttribute(shader, "boneId", boneIdBuffer, 4);
    attachFloatAttribute(shader, "boneWeight", boneWeightBuffer, 4);
    glBindVertexArray(0);

    glUseProgram(programName(depthShader));
    glGenVertexArrays(1, &depthVao);
    glBindVertexArray(depthVao);
    attachFloatAttribute(depthShader, "position", positionBuffer, 3);
    attachIntAttribute(depthShader, "boneId", boneIdBuffer, 4);
    attachFloatAttribute(depthShader, "boneWeight", boneWeightBuffer, 4);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

int AnimatedModel::uploadedBoneCount() const
{
    // Every vertex of a file without bones is bound to bone 0 at full weight,
    // and the program is shared: without its own identity matrix the model
    // would be drawn through whatever bone 0 another robot left there.
    return std::max(boneCount, 1);
}

void AnimatedModel::draw()
{
    if (litVao == 0)
        return;
    const GLuint program = programName(shader);
    glUseProgram(program);
    uploadBoneMatrices(program, boneTransforms, uploadedBoneCount());
    drawTriangles(litVao, indexCount);
}

bool AnimatedModel::drawLit(Camera viewer, bool noCulling)
{
    if (!isVisible(viewer.position, viewer.viewMatrix(), viewer.projectionMatrix(), cullMargin, noCulling,
            getCenter(), radius))
        return false;
    if (litVao == 0)
        return true; // an empty model is not culled, it just has nothing to draw
    const GLuint program = programName(shader);
    glUseProgram(program);
    uploadLitUniforms(program, viewer, modelMatrix, texture, {0.1f, 1.0f, false});
    uploadBoneMatrices(program, boneTransforms, uploadedBoneCount());
    drawSurface(litVao, indexCount, closedSurface, modelMatrix);
    return true;
}

glm::vec3 AnimatedModel::getCenter() const
{
    return glm::vec3(modelMatrix * glm::vec4(center, 1.0f));
}

void AnimatedModel::drawDepth(
    const glm::vec3& lightPosition, const glm::mat4& lightView, const glm::mat4& lightProjection, bool cullingOff)
{
    if (!castsShadowFrom(lightPosition, lightView, lightProjection, cullingOff))
        return;
    const GLuint program = programName(depthShader);
    glUseProgram(program);
    setUniform(program, "modelMatrix", modelMatrix);
    uploadBoneMatrices(program, boneTransforms, uploadedBoneCount());
    drawSurface(depthVao, indexCount, closedSurface, modelMatrix);
}

void AnimatedModel::addDepthShape(DepthFingerprint& print) const
{
    MeshObject::addDepthShape(print);
    print.addBytes(boneTransforms, sizeof(glm::mat4) * static_cast<std::size_t>(uploadedBoneCount()));
}

void AnimatedModel::evaluateNode(
    const SkeletonNode* node, const glm::mat4* offsets, glm::mat4* transforms, double time, glm::mat4 parent) const
{
    plim::scene::evaluateNode(node, offsets, transforms, time, parent);
}

} // namespace plim::scene
