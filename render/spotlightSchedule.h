#pragma once

#include <array>

class ShadowMap;
class LightCone;

// Which spotlights and light cones each level uses, without touching GL.
// Spotlights and cones are named by their number: 3 is shadowMap3, 5 is
// lightCone5.

struct LevelFlags {
    bool levelOneStarted = false;
    bool levelTwo = false;
    bool levelThree = false;
};

// The flags as the game state holds them now.
LevelFlags currentLevelFlags();

// Every spotlight fits, whatever the flags.
struct SpotlightList {
    int count = 0;
    std::array<int, 10> numbers{};
};

// The spotlights whose depth pass runs this frame, in the order they run. The
// four large level-1 maps alternate between the two frame phases.
SpotlightList depthPassSpotlights(LevelFlags flags, int framePhase);

// The spotlight that fills each of the camera program's five slots; the shadow
// matrices follow the same slots, so every sampler is read with the matrix of
// the light that rendered it.
std::array<int, 5> spotlightSlots(LevelFlags flags);

// The value for "anz", or -1 before level 1 starts, when it is not written and
// keeps whatever it held.
int spotlightsInUse(LevelFlags flags);

struct LightConePair {
    int spotlight = 0;
    int cone = 0;
    bool followsRotation = false; // the cone takes the spotlight's current direction first
};

struct LightConeList {
    int count = 0;
    std::array<LightConePair, 4> pairs{};
};

// The (spotlight, cone) pairs drawn this frame, in drawing order.
LightConeList lightConePairs(LevelFlags flags);

// The spotlights that turn every frame, in every level.
constexpr std::array<int, 4> rotatingSpotlights{2, 8, 9, 10};

// The registry's spotlight or cone of that number; null outside 1..10 or 1..7.
ShadowMap* spotlightNumbered(int number);
LightCone* lightConeNumbered(int number);
