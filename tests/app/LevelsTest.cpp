#include "app/levels.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

PillarStates states(std::initializer_list<std::pair<int, int>> on)
{
    PillarStates s;
    for (auto [stack, pillar] : on)
        s.on[stack][pillar] = true;
    return s;
}

TEST(LevelPatterns, LevelOneNeedsExactlyItsTwoPillars)
{
    EXPECT_TRUE(matchesLevelOne(states({{1, bottomPillar}, {2, middlePillar}})));
    EXPECT_FALSE(matchesLevelOne(states({{1, bottomPillar}})));
    EXPECT_FALSE(matchesLevelOne(states({{1, bottomPillar}, {2, middlePillar}, {0, topPillar}})))
        << "an extra pillar spoils it";
    EXPECT_FALSE(matchesLevelOne(states({{2, bottomPillar}, {1, middlePillar}})));
}

TEST(LevelPatterns, LevelTwoAlsoNeedsBothVoicesHeard)
{
    PillarStates solution = states({{0, topPillar}, {2, topPillar}});
    EXPECT_TRUE(matchesLevelTwo(solution, true, true));
    EXPECT_FALSE(matchesLevelTwo(solution, true, false));
    EXPECT_FALSE(matchesLevelTwo(solution, false, true));
    EXPECT_FALSE(matchesLevelTwo(states({{0, topPillar}, {2, topPillar}, {3, middlePillar}}), true, true))
        << "a voice still on fails the check";
}

TEST(LevelPatterns, LevelThreeIsOnePillarAlone)
{
    EXPECT_TRUE(matchesLevelThree(states({{3, bottomPillar}})));
    EXPECT_FALSE(matchesLevelThree(states({})));
    EXPECT_FALSE(matchesLevelThree(states({{3, bottomPillar}, {3, topPillar}})));
}

TEST(PillarChoice, EyeHeightThresholds)
{
    EXPECT_EQ(pillarAtEyeHeight(1.5f), bottomPillar);
    EXPECT_EQ(pillarAtEyeHeight(1.75f), bottomPillar);
    EXPECT_EQ(pillarAtEyeHeight(1.76f), middlePillar);
    EXPECT_EQ(pillarAtEyeHeight(2.0f), middlePillar);
    EXPECT_EQ(pillarAtEyeHeight(2.5f), middlePillar);
    EXPECT_EQ(pillarAtEyeHeight(2.75f), topPillar);
    EXPECT_EQ(pillarAtEyeHeight(3.05f), topPillar);
    EXPECT_EQ(pillarAtEyeHeight(std::nanf("")), noPillar);
}

} // namespace
