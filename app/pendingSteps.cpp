#include "app/pendingSteps.h"

#include "sound/SoundSystem.h"
#include "sound/songs.h"

#include <iostream>

void buildSceneStep() {}
void buildStackDrawOrder() {}
void turnSpotlights(float) {}
void uploadShadowMatrices() {}
void refreshStackDrawOrder() {}
void renderShadowPasses(int) {}
void useCameraShader() {}
void renderSceneStep() {}
void renderGlowForNextFrame() {}
void updateAnimations(float)
{
    soundSystem.update();
}
void handleIntroAndEnding(float) {}
void applyMotionAndClicks(float) {}
void handleJukeboxLevelsAndReset()
{
    if (smoothSynthSong.isPaused())
        std::cout << "paused";
}
