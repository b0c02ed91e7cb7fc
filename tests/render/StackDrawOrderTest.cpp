// The pillar stacks' draw order: nearest first, kept sorted as the camera
// moves, without GL.
#include "render/stackDrawOrder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The stacks where scene assembly puts them; a stack's position is 2 above
// its foot.
const std::array<glm::vec3, 4> stacks{
    glm::vec3(4, 2, 3), glm::vec3(4, 2, -3), glm::vec3(-4, 2, 3), glm::vec3(-4, 2, -3)};

std::vector<int> indices(const std::vector<StackDistance>& order)
{
    std::vector<int> result;
    for (const StackDistance& entry : order)
        result.push_back(entry.stackIndex);
    return result;
}

std::vector<StackDistance> freshOrder()
{
    return {{0, 0.0f}, {1, 0.0f}, {2, 0.0f}, {3, 0.0f}};
}

TEST(StackDrawOrder, NearestStackComesFirst)
{
    std::vector<StackDistance> order = freshOrder();
    sortByDistance(order, glm::vec3(-6, 2, -5), stacks);
    EXPECT_EQ(indices(order), (std::vector<int>{3, 2, 1, 0}));
    EXPECT_FLOAT_EQ(order[0].distance, std::sqrt(4.0f + 4.0f));
    EXPECT_FLOAT_EQ(order[3].distance, std::sqrt(100.0f + 64.0f));
}

TEST(StackDrawOrder, DistanceIsMeasuredInAllThreeDimensions)
{
    std::vector<StackDistance> order = freshOrder();
    // Level with stack 0 but far above it, and right beside stack 1's foot:
    // in the ground plane stack 0 would be nearer.
    sortByDistance(order, glm::vec3(4, 30, 2), stacks);
    EXPECT_EQ(order[0].stackIndex, 0);
    sortByDistance(order, glm::vec3(4, 2, 1.2f), stacks);
    EXPECT_EQ(order[0].stackIndex, 0);
    sortByDistance(order, glm::vec3(4, -3, -1.0f), stacks);
    EXPECT_EQ(order[0].stackIndex, 1);
    EXPECT_FLOAT_EQ(order[0].distance, std::sqrt(25.0f + 4.0f));
}

TEST(StackDrawOrder, RefreshingFollowsTheCameraAndKeepsEveryStackOnce)
{
    std::vector<StackDistance> order = freshOrder();
    for (float x = -10.0f; x <= 10.0f; x += 0.5f) {
        sortByDistance(order, glm::vec3(x, 1.8f, 0.5f * x), stacks);
        ASSERT_EQ(order.size(), 4u);
        std::vector<int> seen = indices(order);
        std::sort(seen.begin(), seen.end());
        EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3}));
        for (size_t i = 1; i < order.size(); ++i)
            EXPECT_LE(order[i - 1].distance, order[i].distance) << "at x " << x;
    }
    const StackDistance* before = order.data();
    sortByDistance(order, glm::vec3(0), stacks);
    EXPECT_EQ(order.data(), before) << "sorting in place, nothing allocated";
}

} // namespace
