#pragma once

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

namespace plim::scene {

struct SkeletonNode;

// Key interpolation over one key list. The pair is the first (k, k + 1) with
// time <= times[k + 1], else the last pair, and the fraction is not clamped:
// before the first key and after the last the result extrapolates. A single
// key holds its value at every time, an empty list gives zero (identity
// rotation), and two keys at the same time give the later one.
glm::vec3 interpolatePosition(const glm::vec3* keys, const double* times, int count, double time);
glm::quat interpolateRotation(const glm::quat* keys, const double* times, int count, double time);

// Writes the bone transforms of the node's subtree for the time: a bone gets
// parent * local * offset and hands parent * local to its children; a node
// that is no bone writes nothing and hands the identity on. The node's local
// transform is translate(position key) * rotation key; a missing list adds the
// identity. Allocates nothing. A null node does nothing.
void evaluateNode(const SkeletonNode* node, const glm::mat4* offsets, glm::mat4* transforms, double time,
    glm::mat4 parent);

} // namespace plim::scene
