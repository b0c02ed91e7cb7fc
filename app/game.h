#pragma once

#include "render/FrameRequest.h"

// The game's phases, puzzles and levels: the title, the intro flight, three
// levels with their pillar puzzles, the jukebox and the door, and the ending.
// All of it acts on the global game state, camera and scene registry.

void stopAllTracks();
// The start values of the game state for the title and the intro flight,
// once the scene is built.
void prepareIntro();
void startLevelOne();
void startLevelTwo();
void startLevelThree();
void startEnding();
bool isAtDoor();
// F7: saves one loop of the level's music that plays now (the switched-on
// instrument tracks, or the jukebox's song) to a WAV file.
void saveMusic();

// With the music shown (showMusic), how bright each switched-on pillar and
// the playing jukebox glow, from their songs' loudness where they are heard
// now.
MusicGlow musicGlowNow();

// Frame step 14: the robots' animation clocks, the pillar stacks and the sound.
void updateAnimations(float deltaTime);
// Frame step 16: Enter, the intro flight and the ending flight.
void handleIntroAndEnding(float deltaTime);
// Frame step 18: walk bounds, eye height, stairs and collisions, with each
// pillar stack's clicks right after its own push-out.
void applyMotionAndClicks(float deltaTime);
// Frame step 19: the jukebox, the paused notice, the level checks and R.
void handleJukeboxLevelsAndReset();
