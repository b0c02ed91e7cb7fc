#pragma once

#include <glm/glm.hpp>

#include <array>
#include <vector>

// The order in which the translucent boxes of the pillar stacks are drawn:
// one entry per stack, nearest first, so that the frame rendering can walk it
// backwards and blend the boxes back to front.
struct StackDistance {
    int stackIndex;  // 0 to 3, the stacks in their assembly order
    float distance;  // from the camera's eye to the stack's position
};

// The frame loop's list: built at start-up, refreshed every frame, read by
// the frame rendering.
extern std::vector<StackDistance> stackDrawOrder;

// One entry for each stack the registry holds, sorted by the camera's
// distance. Start-up only: it is the one place the list grows.
void buildStackDrawOrder();
// New distances from the camera's current position, in the list's current
// order, then sorted again. Allocates nothing.
void refreshStackDrawOrder();

// Sets every entry's distance from the eye to its stack's position and sorts
// the list, nearest first; ties keep no particular order.
void sortByDistance(std::vector<StackDistance>& order, const glm::vec3& eye,
    const std::array<glm::vec3, 4>& stackPositions);
