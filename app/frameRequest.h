#pragma once

#include "render/FrameRequest.h"

// The game's progress as the spotlights follow it.
LevelFlags currentLevelFlags();

// What the renderer shows this frame, decided from the game state and the
// render settings: the level, the notices (help, the title until the intro
// starts, the level notice until Enter closes it), the door's glow once per
// solved puzzle, the sky (white from level 2 on), the switches and the
// viewport.
FrameRequest decideFrame(int framePhase, float deltaTime, const FrameViewport& viewport);
