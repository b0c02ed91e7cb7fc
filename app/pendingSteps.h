#pragma once

// Start-up and frame steps whose work arrives with the scene, rendering and
// game code. Each is called from its place in the frame loop; until its
// subsystem lands it does nothing.

void buildSceneStep();                       // start-up step 9
void updateAnimations(float deltaTime);      // frame step 14
void handleIntroAndEnding(float deltaTime);  // frame step 16
void applyMotionAndClicks(float deltaTime);  // frame step 18
void handleJukeboxLevelsAndReset();          // frame step 19
