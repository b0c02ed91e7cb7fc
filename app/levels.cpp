#include "app/levels.h"

namespace {

bool onlyTheseOn(const PillarStates& states, const PillarStates& wanted)
{
    for (int stack = 0; stack < 4; ++stack)
        for (int pillar = 0; pillar < 3; ++pillar)
            if (states.on[stack][pillar] != wanted.on[stack][pillar])
                return false;
    return true;
}

PillarStates with(int stackA, PillarLevel pillarA, int stackB = -1, PillarLevel pillarB = noPillar)
{
    PillarStates states;
    states.on[stackA][pillarA] = true;
    if (stackB >= 0)
        states.on[stackB][pillarB] = true;
    return states;
}

} // namespace

bool matchesLevelOne(const PillarStates& states)
{
    return onlyTheseOn(states, with(1, bottomPillar, 2, middlePillar));
}

bool matchesLevelTwo(const PillarStates& states, bool voiceOneHeard, bool voiceTwoHeard)
{
    return onlyTheseOn(states, with(0, topPillar, 2, topPillar)) && voiceOneHeard && voiceTwoHeard;
}

bool matchesLevelThree(const PillarStates& states)
{
    return onlyTheseOn(states, with(3, bottomPillar));
}

PillarLevel pillarAtEyeHeight(float eyeHeight)
{
    if (static_cast<double>(eyeHeight) <= 1.75)
        return bottomPillar;
    if (eyeHeight > 1.75f && eyeHeight < 2.75f)
        return middlePillar;
    if (eyeHeight >= 2.75f)
        return topPillar;
    return noPillar;
}
