#pragma once

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include <vector>

namespace plim::scene {

// One node of a model's skeleton: a bone or an ancestor of one, with the
// position and rotation keys of the first animation that name it. Owns its
// children. The fixed tables bound what a file may hold; the loader rejects a
// file that would exceed them.
struct SkeletonNode {
    static constexpr int nameCapacity = 150; // 149 characters and the terminator
    static constexpr int childCapacity = 150;

    char name[nameCapacity] = {};
    int boneIndex = -1; // -1: no bone
    int childCount = 0;
    SkeletonNode* children[childCapacity] = {};
    std::vector<glm::vec3> positionKeys;
    std::vector<glm::quat> rotationKeys; // stored x, y, z, w
    std::vector<double> positionTimes;   // in the file's own time units
    std::vector<double> rotationTimes;
    int positionKeyCount = 0;
    int rotationKeyCount = 0;

    SkeletonNode() = default;
    ~SkeletonNode();
    SkeletonNode(const SkeletonNode&) = delete;
    SkeletonNode& operator=(const SkeletonNode&) = delete;
};

} // namespace plim::scene
