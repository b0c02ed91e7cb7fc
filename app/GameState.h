#pragma once

// Game state: flags of the game's phases and puzzles, the active track count
// and the robots' animation clocks (in the animations' own key-time units).
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

extern float robot1TopClock;   // clock A
extern float robot3Clock;      // clock B
extern float flyingRobotClock; // clock C
extern float robot6AClock;     // clock D
extern float robot6BClock;     // clock E
extern float robot6CClock;     // clock F
extern float robot6DClock;     // clock G

// Render settings switched by the function keys.
extern bool helpVisible;
extern bool wireframe;
extern bool frustumCullingOff;
extern bool reportCulledCount;
extern bool transparencyFlag;
extern int culledObjectCount;

// Player options chosen at start-up (flags, settings): off by default.
extern bool showMusic; // the pillars' and the jukebox's glows follow their songs' loudness
