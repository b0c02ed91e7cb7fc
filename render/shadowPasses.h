#pragma once

#include "render/Spotlights.h"

// The spotlights' depth passes of one frame. Which spotlights render depends
// on the level and on the frame parity: the four large level-1 maps take
// turns, two per frame. Each pass draws its spotlight's casters (the scene
// roster's entries that cast for it, then the pillar stacks) into its map
// with the depth programs, each caster culled against the light unless
// culling is off.

// Sets the depth passes' state (depth test on, polygon offset factor 2 and
// units 2) and runs the passes
// the level and frame phase call for, in order. Leaves the last map drawn bound.
void renderShadowPasses(int framePhase, LevelFlags level, bool cullingOff);

// One pass: the light matrix on both depth programs, the map bound and
// cleared, then the spotlight's casters in their order. Nothing happens for a
// spotlight the registry does not hold, nor for a complete map whose last
// pass drew the same: the light where it was, and every caster that is not
// culled against it placed and posed as it was (a dancing robot in its view,
// a turning light, a moved pillar or a switch of the face culling draws it
// again).
void renderDepthPass(int spotlightNumber, bool cullingOff);

// Called after every depth pass drawn with the spotlight's number (3 for
// shadowMap3); tests count the passes of each frame with it. Null by default.
using DepthPassObserver = void (*)(int spotlightNumber);
void setDepthPassObserver(DepthPassObserver observer);
