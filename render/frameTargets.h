#pragma once

// Creates the whole-frame render targets of the scene registry: the scene's
// colour texture and depth buffer in sceneFramebuffer, and the effect (glow)
// image in effectFramebuffer, which shares the scene's depth. An incomplete
// scene framebuffer is reported and set-up goes on; an incomplete effect
// framebuffer is reported and ends the program with exit status -1.
void createWholeFrameTargets(int width, int height);
