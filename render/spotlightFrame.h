#pragma once

// The spotlights' work at the start of every frame, before the depth passes:
// the four rotating spotlights turn, and the camera program learns, slot by
// slot, the matrix that reads each slot's depth map. Spotlights the registry
// does not hold yet are left out.

// Turns shadowMap2, shadowMap8, shadowMap9 and shadowMap10 by 90 degrees per
// second, in every level.
void turnSpotlights(float deltaTime);

// Makes the camera program current and sets "shadowprojectionMatrix[i]" to
// bias x light matrix of the spotlight in slot i for the current level.
void uploadShadowMatrices();
