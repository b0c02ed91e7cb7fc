#pragma once

#include <glm/vec2.hpp>

// The gamepad's share of the frame's input, read through the platform seam:
// its buttons stand for keys and the left mouse button (A clicks, B resets,
// Start is Enter, Back the help, the shoulders raise and lower the eye), its
// sticks walk and look.

// A stick nearer the middle than this reads as centred: worn sticks rest a
// little off it.
constexpr float stickDeadZone = 0.2f;

// True while a pad is plugged in and its button (GLFW_GAMEPAD_BUTTON_...) is down.
bool padButtonDown(int button);

// A stick as (x, y), right and down positive: (0, 0) inside the dead zone,
// otherwise as pushed, at most 1 long (pads with square gates reach past it
// in the corners).
glm::vec2 padStick(int xAxis, int yAxis);

// Once a frame: one line when a pad is plugged in or pulled out.
void reportGamepadConnection();
