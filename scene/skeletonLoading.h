#pragma once

#include "scene/SkeletonNode.h"

#include <glm/glm.hpp>

#include <string>
#include <vector>

struct aiMesh;
struct aiNode;
struct aiScene;

namespace plim::scene {

constexpr int maxBones = 30;            // entries of the name table used while loading
constexpr int boneMatrixCapacity = 150; // entries of the bone matrix arrays
constexpr int maxInfluences = 4;        // bones per vertex
constexpr float minimumBoneWeight = 0.2f;

using BoneNameTable = char[maxBones][SkeletonNode::nameCapacity];

// Empty when the file fits the fixed tables of the loader; otherwise which
// limit it exceeds: more than 30 bones, a bone or node name of 150 characters
// or more, or a node with more than 150 children that would stay in the
// skeleton.
std::string modelLimitProblem(const aiScene& scene, const aiMesh& mesh);

// Fills the name table, the offset matrices (column-major) and four
// influences per vertex from the mesh's bones, in file order; returns the bone
// count. Every vertex starts bound to bone 0 with weight 1. Weights below 0.2
// are dropped, and so are weights of vertices outside the mesh; a fifth
// influence prints "Too many bones, can't create bonestructure" and is
// dropped. Needs a mesh that modelLimitProblem accepted.
int loadBoneTable(const aiMesh& mesh, BoneNameTable& names, glm::mat4* offsets, std::vector<glm::ivec4>& boneIds,
    std::vector<glm::vec4>& boneWeights);

// Copies the bone-carrying part of the node tree: a node stays when it is a
// bone or has a child that stays, children in file order. Returns true and
// stores the new node when the file node stays.
bool buildSkeleton(const aiNode* fileNode, SkeletonNode*& result, int boneCount, const BoneNameTable& names);

// The first node in depth-first pre-order whose name equals the given one.
SkeletonNode* findNode(SkeletonNode* node, const char* name);

// Gives the skeleton the position and rotation keys of the file's first
// animation; channels naming no node are ignored, a later channel for the same
// node replaces an earlier one. Prints "mNumAnimations is not greater than 0"
// when the file has no animation.
void attachAnimation(const aiScene& scene, SkeletonNode* skeleton);

} // namespace plim::scene
