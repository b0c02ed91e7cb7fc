#include "app/pendingSteps.h"

void buildSceneStep() {}
void updateAnimations(float) {}
void handleIntroAndEnding(float) {}
void applyMotionAndClicks(float) {}
void handleJukeboxLevelsAndReset() {}
