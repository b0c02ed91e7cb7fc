#include "scene/skeletalAnimation.h"

#include "scene/SkeletonNode.h"

#include <glm/gtc/matrix_transform.hpp>

namespace plim::scene {

namespace {

struct KeyPair {
    int first;
    float fraction;
};

// Needs count >= 2.
KeyPair findKeyPair(const double* times, int count, double time)
{
    int k = count - 2;
    for (int i = 0; i <= count - 2; ++i) {
        if (time <= times[i + 1]) {
            k = i;
            break;
        }
    }
    // The span goes through float, as the game's clocks do.
    const float span = static_cast<float>(times[k + 1] - times[k]);
    if (span == 0.0f)
        return {k, 1.0f};
    return {k, static_cast<float>((time - times[k]) / static_cast<double>(span))};
}

} // namespace

glm::vec3 interpolatePosition(const glm::vec3* keys, const double* times, int count, double time)
{
    if (count <= 0)
        return glm::vec3(0.0f);
    if (count == 1)
        return keys[0];
    const KeyPair pair = findKeyPair(times, count, time);
    const float f = pair.fraction;
    return keys[pair.first] * (1.0f - f) + keys[pair.first + 1] * f;
}

glm::quat interpolateRotation(const glm::quat* keys, const double* times, int count, double time)
{
    if (count <= 0)
        return glm::quat(1.0f, 0.0f, 0.0f, 0.0f);
    if (count == 1)
        return keys[0];
    const KeyPair pair = findKeyPair(times, count, time);
    return glm::slerp(keys[pair.first], keys[pair.first + 1], pair.fraction);
}

void evaluateNode(const SkeletonNode* node, const glm::mat4* offsets, glm::mat4* transforms, double time,
    glm::mat4 parent)
{
    if (!node)
        return;
    glm::mat4 translation(1.0f);
    if (node->positionKeyCount > 0)
        translation = glm::translate(glm::mat4(1.0f),
            interpolatePosition(node->positionKeys.data(), node->positionTimes.data(), node->positionKeyCount, time));
    glm::mat4 rotation(1.0f);
    if (node->rotationKeyCount > 0)
        rotation = glm::mat4_cast(
            interpolateRotation(node->rotationKeys.data(), node->rotationTimes.data(), node->rotationKeyCount, time));
    const glm::mat4 local = translation * rotation;

    glm::mat4 passedOn(1.0f);
    if (node->boneIndex >= 0) {
        const int b = node->boneIndex;
        transforms[b] = parent * local * offsets[b];
        passedOn = parent * local;
    }
    for (int i = 0; i < node->childCount; ++i)
        evaluateNode(node->children[i], offsets, transforms, time, passedOn);
}

} // namespace plim::scene
