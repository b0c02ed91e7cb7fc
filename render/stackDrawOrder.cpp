#include "render/stackDrawOrder.h"

#include "app/Camera.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"

#include <algorithm>

std::vector<StackDistance> stackDrawOrder;

namespace {

std::array<glm::vec3, 4> registryStackPositions()
{
    std::array<glm::vec3, 4> positions{};
    for (int i = 0; i < 4; ++i)
        if (pillarStacks[i])
            positions[static_cast<size_t>(i)] = pillarStacks[i]->getPosition();
    return positions;
}

} // namespace

void sortByDistance(std::vector<StackDistance>& order, const glm::vec3& eye,
    const std::array<glm::vec3, 4>& stackPositions)
{
    for (StackDistance& entry : order)
        entry.distance = glm::distance(eye, stackPositions[static_cast<size_t>(entry.stackIndex)]);
    std::sort(order.begin(), order.end(),
        [](const StackDistance& a, const StackDistance& b) { return a.distance < b.distance; });
}

void buildStackDrawOrder()
{
    stackDrawOrder.clear();
    for (int i = 0; i < 4; ++i)
        if (pillarStacks[i])
            stackDrawOrder.push_back({i, 0.0f});
    sortByDistance(stackDrawOrder, camera.position, registryStackPositions());
}

void refreshStackDrawOrder()
{
    sortByDistance(stackDrawOrder, camera.position, registryStackPositions());
}
