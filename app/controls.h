#pragma once

// The keys and mouse buttons that are not movement: light debug keys, the
// eye-height and control keys, the function-key toggles and the music volume
// keys with their console messages, the cursor re-centring and the
// elapsed-time report.

extern int helpPressCount;
extern int frameTimePressCount;
extern int wireframePressCount;

// The whole of the frame's input step: the gamepad's connection line;
// movement (keys, then the left stick), walk height, light keys and mouse
// look (the mouse, then the right stick) while controls are enabled; then
// E/Q, T, F1 to F9, the music keys M, + and -, the cursor re-centring and the
// right mouse button.
void handlePlayerInput(float deltaTime);

// Key 1 and keys 2, 3, 4 (the camera's point light).
void handleLightKeys();
// F1 to F9, in their order.
void handleFunctionKeys(float deltaTime);
// M mutes and unmutes the music, + and - (and the keypad's) change its volume.
void handleMusicVolumeKeys();
