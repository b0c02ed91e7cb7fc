#include "app/pendingSteps.h"

void buildStackDrawOrder() {}
void turnSpotlights(float) {}
void uploadShadowMatrices() {}
void refreshStackDrawOrder() {}
void renderShadowPasses(int) {}
void useCameraShader() {}
void renderSceneStep() {}
void renderGlowForNextFrame() {}
