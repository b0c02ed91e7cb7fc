#pragma once

// The player's motion each frame: keyboard movement, mouse look, the eye
// height with its crouch and raise animation, the walk bounds, the stairs and
// the push-out from the room's objects. Everything acts on the global camera.

extern float eyeHeight;        // walking eye height; 2.0 at start
extern float targetEyeHeight;  // where the crouch/raise animation heads; 2.25 at start
extern bool risingEyeHeight;
extern bool loweringEyeHeight;
extern bool onStairs;          // latch of the stairs rule
extern float stairsBaseHeight; // eye height captured when the latch was set
extern float mouseSensitivity; // times 0.1 degree a pixel; 1 at start
extern bool invertMouse;       // mouse up (and the right stick up) looks down

// The movement table: the first row whose keys are held moves the camera.
void applyMovementKeys(float deltaTime);
// In walk mode the camera's height is the eye height (of the previous frame's end).
void applyWalkHeight();
// 0.1 degree times the sensitivity per pixel of cursor motion since the last
// frame; re-centres the cursor.
void applyMouseLook();
// The left stick walks at the keyboard's speeds, scaled by how far it is pushed.
void applyStickMovement(float deltaTime);
// The right stick turns up to 180 degrees a second times the sensitivity.
void applyStickLook(float deltaTime);
// E/Space and Q/Left Shift choose the next eye height, controls enabled or not.
void chooseEyeHeightTargets();
// Walk mode keeps the camera inside the room: x in [-6, 6], z in [-9.8, 9.8].
void applyWalkBounds();
void animateEyeHeight(float deltaTime);
// Behind z = 8 the eye rises one unit per unit of z above the height captured
// when the stairs were entered.
void applyStairs();
// Pushes the camera out of one object's circle in the XZ plane.
void pushOutOf(float centreX, float centreZ, float radius);
