#pragma once

// Start-up and frame steps whose work arrives with the rendering code. Each is called from its place in the frame loop; until its
// subsystem lands it does nothing.

void buildStackDrawOrder();                  // start-up step 10
void turnSpotlights(float deltaTime);        // frame step 4
void uploadShadowMatrices();                 // frame step 5
void refreshStackDrawOrder();                // frame step 6
void renderShadowPasses(int framePhase);     // frame step 7
void useCameraShader();                      // part of frame step 8
void renderSceneStep();                      // frame step 9
void renderGlowForNextFrame();               // frame step 10
