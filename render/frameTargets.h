#pragma once

// The whole-frame render targets of the registry: the scene
// image (sceneFramebuffer with sceneTexture and the depth renderbuffer
// sceneDepthBuffer) and the effect image of the glowing objects
// (effectFramebuffer with effectTexture), which shares the scene's depth so
// that only the visible parts of a glowing object reach it. Scene assembly
// creates them once, last of all, at the largest size the game can be shown
// at; they are never resized, and each frame draws into their lower-left
// corner (FrameViewport.h).
//
// An incomplete scene target prints "Problem mit Framebuffer" and set-up goes
// on. An incomplete effect target prints the same line and ends the program
// with exit status -1: the frame could never show its glow, and ending with
// status 0 would report the failure as a normal end. Returns with
// effectFramebuffer bound.
void createFrameTargets(int width, int height);

// The size the targets were created at; 0 x 0 before.
extern int frameTargetWidth;
extern int frameTargetHeight;
