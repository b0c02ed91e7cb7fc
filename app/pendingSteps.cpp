#include "app/pendingSteps.h"

void buildSceneStep() {}
void buildStackDrawOrder() {}
void turnSpotlights(float) {}
void uploadShadowMatrices() {}
void refreshStackDrawOrder() {}
void renderShadowPasses(int) {}
void useCameraShader() {}
void renderSceneStep() {}
void renderGlowForNextFrame() {}
void updateAnimations(float) {}
void handleIntroAndEnding(float) {}
void applyMotionAndClicks(float) {}
void handleJukeboxLevelsAndReset() {}
