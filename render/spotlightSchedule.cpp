#include "render/spotlightSchedule.h"

#include "app/GameState.h"
#include "scene/Registry.h"

namespace {

void append(SpotlightList& list, int number)
{
    list.numbers[static_cast<size_t>(list.count++)] = number;
}

void append(LightConeList& list, int spotlight, int cone, bool followsRotation)
{
    list.pairs[static_cast<size_t>(list.count++)] = {spotlight, cone, followsRotation};
}

bool inLevelTwoOnly(LevelFlags flags)
{
    return flags.levelTwo && !flags.levelThree;
}

} // namespace

LevelFlags currentLevelFlags()
{
    return {levelOneStarted, levelTwo, levelThree};
}

SpotlightList depthPassSpotlights(LevelFlags flags, int framePhase)
{
    const bool levelOne = flags.levelOneStarted && !flags.levelTwo;
    SpotlightList list;
    if (levelOne && framePhase == 0)
        append(list, 1);
    append(list, 2);
    if (levelOne && framePhase == 1)
        append(list, 3);
    if (levelOne && framePhase == 0)
        append(list, 4);
    if (levelOne && framePhase == 1)
        append(list, 5);
    if (inLevelTwoOnly(flags)) {
        append(list, 6);
        append(list, 7);
    }
    if (flags.levelThree) {
        append(list, 8);
        append(list, 9);
        append(list, 10);
    }
    return list;
}

std::array<int, 5> spotlightSlots(LevelFlags flags)
{
    std::array<int, 5> slots{1, 2, 3, 4, 5};
    if (inLevelTwoOnly(flags)) {
        slots[0] = 6;
        slots[2] = 7;
    }
    if (flags.levelThree) {
        slots[0] = 8;
        slots[2] = 9;
        slots[3] = 10;
    }
    return slots;
}

int spotlightsInUse(LevelFlags flags)
{
    if (flags.levelThree)
        return 4;
    if (flags.levelTwo)
        return 3;
    if (flags.levelOneStarted)
        return 5;
    return -1;
}

LightConeList lightConePairs(LevelFlags flags)
{
    LightConeList list;
    if (inLevelTwoOnly(flags)) {
        append(list, 6, 3, false);
        append(list, 7, 4, false);
    }
    append(list, 2, 2, true);
    if (flags.levelThree) {
        append(list, 8, 5, true);
        append(list, 9, 6, true);
        append(list, 10, 7, true);
    }
    return list;
}

ShadowMap* spotlightNumbered(int number)
{
    ShadowMap* const spotlights[] = {shadowMap1, shadowMap2, shadowMap3, shadowMap4, shadowMap5, shadowMap6,
        shadowMap7, shadowMap8, shadowMap9, shadowMap10};
    if (number < 1 || number > 10)
        return nullptr;
    return spotlights[number - 1];
}

LightCone* lightConeNumbered(int number)
{
    LightCone* const cones[] = {lightCone1, lightCone2, lightCone3, lightCone4, lightCone5, lightCone6, lightCone7};
    if (number < 1 || number > 7)
        return nullptr;
    return cones[number - 1];
}
