#include "scene/skeletonLoading.h"

#include <assimp/scene.h>

#include <algorithm>
#include <cstring>
#include <iostream>

namespace plim::scene {

namespace {

bool isBoneName(const aiString& name, const aiMesh& mesh)
{
    for (unsigned b = 0; b < mesh.mNumBones; ++b)
        if (mesh.mBones[b]->mName == name)
            return true;
    return false;
}

// Walks the whole tree once: whether the node stays in the skeleton, and the
// first limit that a node of the subtree exceeds.
bool checkNode(const aiNode* node, const aiMesh& mesh, std::string& problem)
{
    if (node->mName.length >= static_cast<unsigned>(SkeletonNode::nameCapacity) && problem.empty())
        problem = "a node name of " + std::to_string(node->mName.length) + " characters, the limit is "
            + std::to_string(SkeletonNode::nameCapacity - 1);
    int keptChildren = 0;
    for (unsigned c = 0; c < node->mNumChildren; ++c)
        if (checkNode(node->mChildren[c], mesh, problem))
            ++keptChildren;
    if (keptChildren > SkeletonNode::childCapacity && problem.empty())
        problem = "a node with " + std::to_string(keptChildren) + " children in the skeleton, the limit is "
            + std::to_string(SkeletonNode::childCapacity);
    return keptChildren > 0 || isBoneName(node->mName, mesh);
}

// Names were checked to fit; the copy is bounded anyway.
void copyName(char (&destination)[SkeletonNode::nameCapacity], const aiString& source)
{
    const std::size_t length = std::min<std::size_t>(source.length, SkeletonNode::nameCapacity - 1);
    std::memcpy(destination, source.data, length);
    destination[length] = '\0';
}

glm::mat4 columnMajor(const aiMatrix4x4& m)
{
    return glm::mat4(m.a1, m.b1, m.c1, m.d1, m.a2, m.b2, m.c2, m.d2, m.a3, m.b3, m.c3, m.d3, m.a4, m.b4, m.c4, m.d4);
}

} // namespace

std::string modelLimitProblem(const aiScene& scene, const aiMesh& mesh)
{
    if (mesh.mNumBones > static_cast<unsigned>(maxBones))
        return std::to_string(mesh.mNumBones) + " bones, the limit is " + std::to_string(maxBones);
    for (unsigned b = 0; b < mesh.mNumBones; ++b) {
        const unsigned length = mesh.mBones[b]->mName.length;
        if (length >= static_cast<unsigned>(SkeletonNode::nameCapacity))
            return "a bone name of " + std::to_string(length) + " characters, the limit is "
                + std::to_string(SkeletonNode::nameCapacity - 1);
    }
    std::string problem;
    if (scene.mRootNode)
        checkNode(scene.mRootNode, mesh, problem);
    return problem;
}

int loadBoneTable(const aiMesh& mesh, BoneNameTable& names, glm::mat4* offsets, std::vector<glm::ivec4>& boneIds,
    std::vector<glm::vec4>& boneWeights)
{
    const unsigned vertexCount = mesh.mNumVertices;
    boneIds.assign(vertexCount, glm::ivec4(0));
    boneWeights.assign(vertexCount, glm::vec4(1.0f, 0.0f, 0.0f, 0.0f));
    std::vector<unsigned char> influences(vertexCount, 0);

    const int boneCount = static_cast<int>(mesh.mNumBones);
    for (int b = 0; b < boneCount; ++b) {
        const aiBone& bone = *mesh.mBones[b];
        copyName(names[b], bone.mName);
        offsets[b] = columnMajor(bone.mOffsetMatrix);
        for (unsigned w = 0; w < bone.mNumWeights; ++w) {
            const aiVertexWeight& weight = bone.mWeights[w];
            if (weight.mVertexId >= vertexCount)
                continue; // a broken file must not write outside the vertex arrays
            if (weight.mWeight < minimumBoneWeight)
                continue;
            unsigned char& slot = influences[weight.mVertexId];
            if (slot >= maxInfluences) {
                std::cout << "Too many bones, can't create bonestructure" << std::endl;
                continue;
            }
            boneIds[weight.mVertexId][slot] = b;
            boneWeights[weight.mVertexId][slot] = weight.mWeight;
            ++slot;
        }
    }
    return boneCount;
}

bool buildSkeleton(const aiNode* fileNode, SkeletonNode*& result, int boneCount, const BoneNameTable& names)
{
    auto* node = new SkeletonNode;
    copyName(node->name, fileNode->mName);
    for (int b = 0; b < boneCount; ++b) {
        if (std::strcmp(node->name, names[b]) == 0) {
            node->boneIndex = b;
            break;
        }
    }
    for (unsigned c = 0; c < fileNode->mNumChildren && node->childCount < SkeletonNode::childCapacity; ++c)
        if (buildSkeleton(fileNode->mChildren[c], node->children[node->childCount], boneCount, names))
            ++node->childCount;
    if (node->boneIndex < 0 && node->childCount == 0) {
        delete node;
        result = nullptr;
        return false;
    }
    result = node;
    return true;
}

SkeletonNode* findNode(SkeletonNode* node, const char* name)
{
    if (!node)
        return nullptr;
    if (std::strcmp(node->name, name) == 0)
        return node;
    for (int i = 0; i < node->childCount; ++i)
        if (SkeletonNode* found = findNode(node->children[i], name))
            return found;
    return nullptr;
}

void attachAnimation(const aiScene& scene, SkeletonNode* skeleton)
{
    if (scene.mNumAnimations == 0) {
        std::cout << "mNumAnimations is not greater than 0" << std::endl;
        return;
    }
    const aiAnimation& animation = *scene.mAnimations[0];
    for (unsigned c = 0; c < animation.mNumChannels; ++c) {
        const aiNodeAnim& channel = *animation.mChannels[c];
        SkeletonNode* node = findNode(skeleton, channel.mNodeName.C_Str());
        if (!node)
            continue;
        node->positionKeyCount = static_cast<int>(channel.mNumPositionKeys);
        node->positionKeys.resize(channel.mNumPositionKeys);
        node->positionTimes.resize(channel.mNumPositionKeys);
        for (unsigned k = 0; k < channel.mNumPositionKeys; ++k) {
            const aiVectorKey& key = channel.mPositionKeys[k];
            node->positionTimes[k] = key.mTime;
            node->positionKeys[k] = glm::vec3(key.mValue.x, key.mValue.y, key.mValue.z);
        }
        node->rotationKeyCount = static_cast<int>(channel.mNumRotationKeys);
        node->rotationKeys.resize(channel.mNumRotationKeys);
        node->rotationTimes.resize(channel.mNumRotationKeys);
        for (unsigned k = 0; k < channel.mNumRotationKeys; ++k) {
            const aiQuatKey& key = channel.mRotationKeys[k];
            node->rotationTimes[k] = key.mTime;
            node->rotationKeys[k] = glm::quat(key.mValue.w, key.mValue.x, key.mValue.y, key.mValue.z);
        }
    }
}

} // namespace plim::scene
