#pragma once

// The puzzles as data: which pillars must be on for each level, and which
// pillar the player's eye height points at.

enum PillarLevel { bottomPillar = 0, middlePillar = 1, topPillar = 2, noPillar = -1 };

// On/off state of the twelve pillars: [stack index][bottom, middle, top].
struct PillarStates {
    bool on[4][3] = {};
};

// Level 1: stack 1 bottom and stack 2 middle on, the ten others off.
bool matchesLevelOne(const PillarStates& states);
// Level 2: stack 0 top and stack 2 top on, the ten others off, and both voices
// heard at some time during the level.
bool matchesLevelTwo(const PillarStates& states, bool voiceOneHeard, bool voiceTwoHeard);
// Level 3: stack 3 bottom on, the eleven others off.
bool matchesLevelThree(const PillarStates& states);

// Bottom up to 1.75, middle below 2.75, top from 2.75; noPillar for NaN.
PillarLevel pillarAtEyeHeight(float eyeHeight);
