#pragma once

#include "Mesh.h"

// Texture atlases of the first robot, the tracked rover: its lower half
// ("Model/robots/TexRobot1_bottom.jpg") and its dancing upper half
// ("Model/robots/TexRobot1_top.jpg"), and where the halves meet.
namespace assetgen::models::rover {

namespace top {
constexpr UvRect torso = atlasCell(0.0f, 0.5f, 0.5f, 1.0f);
constexpr UvRect head = atlasCell(0.5f, 0.5f, 1.0f, 1.0f);
constexpr UvRect arm = atlasCell(0.0f, 0.25f, 0.5f, 0.5f);
constexpr UvRect joint = atlasCell(0.5f, 0.25f, 0.75f, 0.5f);
constexpr UvRect claw = atlasCell(0.75f, 0.25f, 1.0f, 0.5f);
constexpr UvRect ring = atlasCell(0.0f, 0.0f, 0.5f, 0.25f);
constexpr UvRect lamp = atlasCell(0.5f, 0.0f, 0.75f, 0.25f);
constexpr UvRect dark = atlasCell(0.75f, 0.0f, 1.0f, 0.25f);
} // namespace top

namespace bottom {
constexpr UvRect tread = atlasCell(0.0f, 0.75f, 1.0f, 1.0f);
constexpr UvRect sidePlate = atlasCell(0.0f, 0.25f, 0.5f, 0.75f);
constexpr UvRect hub = atlasCell(0.5f, 0.5f, 0.75f, 0.75f);
constexpr UvRect chassis = atlasCell(0.5f, 0.25f, 1.0f, 0.5f);
constexpr UvRect column = atlasCell(0.0f, 0.0f, 0.5f, 0.25f);
constexpr UvRect fender = atlasCell(0.5f, 0.0f, 1.0f, 0.25f);
constexpr UvRect dark = atlasCell(0.75f, 0.5f, 1.0f, 0.75f);
} // namespace bottom

// The halves meet at this height above the floor.
constexpr float waist = 0.8f;
// It stands at (5, 0, 1), facing the player's way in.
constexpr float standX = 5.0f, standZ = 1.0f, yaw = 235.0f;

} // namespace assetgen::models::rover
