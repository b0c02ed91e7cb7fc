// What holds for the spotlight schedule in every level: the slots' maps are
// refreshed within two frames, each cone is drawn with the spotlight it was
// built from; and the numbers that name the registry's lights. Which passes
// run and what the slots hold are read back from real frames in
// ShadowPassesGLTest and SpotlightFrameGLTest.
#include "render/Spotlights.h"

#include "scene/Registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const LevelFlags intro{false, false, false};
const LevelFlags levelOne{true, false, false};
const LevelFlags levelTwoFlags{true, true, false};
const LevelFlags levelThreeFlags{true, true, true};

std::vector<int> passes(LevelFlags flags, int framePhase)
{
    SpotlightList list = depthPassSpotlights(flags, framePhase);
    return std::vector<int>(list.numbers.begin(), list.numbers.begin() + list.count);
}

std::vector<std::vector<int>> cones(LevelFlags flags)
{
    LightConeList list = lightConePairs(flags);
    std::vector<std::vector<int>> pairs;
    for (int i = 0; i < list.count; ++i) {
        const LightConePair& pair = list.pairs[static_cast<size_t>(i)];
        pairs.push_back({pair.spotlight, pair.cone, pair.followsRotation ? 1 : 0});
    }
    return pairs;
}

bool contains(const std::vector<int>& numbers, int number)
{
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

TEST(DepthPassSchedule, EveryLitSlotIsRefreshedWithinTwoFrames)
{
    for (LevelFlags flags : {levelOne, levelTwoFlags, levelThreeFlags}) {
        std::vector<int> even = passes(flags, 0);
        std::vector<int> odd = passes(flags, 1);
        EXPECT_LE(even.size(), 4u);
        EXPECT_LE(odd.size(), 4u);
        std::array<int, 5> slots = spotlightSlots(flags);
        for (int slot = 0; slot < spotlightsInUse(flags); ++slot) {
            int spotlight = slots[static_cast<size_t>(slot)];
            int refreshes = (contains(even, spotlight) ? 1 : 0) + (contains(odd, spotlight) ? 1 : 0);
            EXPECT_GE(refreshes, 1) << "slot " << slot << " shows spotlight " << spotlight;
        }
    }
    // No level-1 map renders twice in two frames except the small one.
    std::vector<int> both = passes(levelOne, 0);
    std::vector<int> odd = passes(levelOne, 1);
    both.insert(both.end(), odd.begin(), odd.end());
    for (int spotlight : {1, 3, 4, 5})
        EXPECT_EQ(std::count(both.begin(), both.end(), spotlight), 1) << spotlight;
}

TEST(LightConeSchedule, PairsPerLevelInDrawingOrder)
{
    using Pairs = std::vector<std::vector<int>>;
    EXPECT_EQ(cones(intro), Pairs({{2, 2, 1}}));
    EXPECT_EQ(cones(levelOne), Pairs({{2, 2, 1}}));
    EXPECT_EQ(cones(levelTwoFlags), Pairs({{6, 3, 0}, {7, 4, 0}, {2, 2, 1}}));
    EXPECT_EQ(cones(levelThreeFlags), Pairs({{2, 2, 1}, {8, 5, 1}, {9, 6, 1}, {10, 7, 1}}));

    // Every cone is drawn with the spotlight it was built from, and follows
    // it exactly when that spotlight turns. Cone 1 is never drawn.
    const int builtFrom[8] = {0, 1, 2, 6, 7, 8, 9, 10};
    for (LevelFlags flags : {intro, levelOne, levelTwoFlags, levelThreeFlags})
        for (const std::vector<int>& pair : cones(flags)) {
            EXPECT_NE(pair[1], 1);
            EXPECT_EQ(pair[0], builtFrom[pair[1]]);
            bool turns = std::count(rotatingSpotlights.begin(), rotatingSpotlights.end(), pair[0]) > 0;
            EXPECT_EQ(pair[2] == 1, turns) << "cone " << pair[1];
        }
}

TEST(SpotlightSchedule, NumbersNameTheRegistrysSpotlightsAndCones)
{
    // Stand-in addresses: only the pointers are compared, never used.
    alignas(8) static char spotlights[10][8];
    alignas(8) static char lightCones[7][8];
    ShadowMap** spotlightGlobals[] = {&shadowMap1, &shadowMap2, &shadowMap3, &shadowMap4, &shadowMap5, &shadowMap6,
        &shadowMap7, &shadowMap8, &shadowMap9, &shadowMap10};
    LightCone** coneGlobals[] = {&lightCone1, &lightCone2, &lightCone3, &lightCone4, &lightCone5, &lightCone6,
        &lightCone7};
    for (int i = 0; i < 10; ++i)
        *spotlightGlobals[i] = reinterpret_cast<ShadowMap*>(spotlights[i]);
    for (int i = 0; i < 7; ++i)
        *coneGlobals[i] = reinterpret_cast<LightCone*>(lightCones[i]);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(spotlightNumbered(i + 1), *spotlightGlobals[i]) << i + 1;
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(lightConeNumbered(i + 1), *coneGlobals[i]) << i + 1;
    EXPECT_EQ(spotlightNumbered(0), nullptr);
    EXPECT_EQ(spotlightNumbered(11), nullptr);
    EXPECT_EQ(lightConeNumbered(8), nullptr);
    for (ShadowMap** global : spotlightGlobals)
        *global = nullptr;
    for (LightCone** global : coneGlobals)
        *global = nullptr;
}

} // namespace
