#pragma once

// The robots' animation clocks A to G belong to the game state too; they
// stand with the scene roster, which names each robot's.
#include "scene/robotClocks.h"

// Game state: flags of the game's phases and puzzles and the active track
// count.
extern bool controlsEnabled;
extern bool flyMode;
extern bool introStarted;
extern bool introLaughStarted;
extern bool levelOneStarted;
extern bool levelTwo;
extern bool levelThree;
extern bool levelTwoNoticeDismissed;
extern bool levelThreeNoticeDismissed;
extern bool puzzleSolved;
extern bool levelTwoSolved;
extern bool voiceOneHeard;
extern bool voiceTwoHeard;
extern int activeTrackCount;
extern bool jukeboxPlaying;
extern bool jukeboxLatch;
extern bool endingFlight;

// Render settings switched by the function keys.
extern bool helpVisible;
extern bool wireframe;
extern bool frustumCullingOff;
extern bool reportCulledCount;
extern bool transparencyFlag;
extern int culledObjectCount;

// Player options chosen at start-up (flags, settings): off by default.
extern bool showMusic; // the pillars' and the jukebox's glows follow their songs' loudness
