#pragma once

#include "Mesh.h"

// Texture atlas of the third robot, the TV-headed walker
// ("Model/robots/TexRobot3.jpg").
namespace assetgen::models::telly {

constexpr UvRect screen = atlasCell(0.0f, 0.5f, 0.5f, 1.0f);
constexpr UvRect bodyFront = atlasCell(0.5f, 0.5f, 1.0f, 1.0f);
constexpr UvRect panel = atlasCell(0.0f, 0.25f, 0.5f, 0.5f);
constexpr UvRect bellows = atlasCell(0.5f, 0.25f, 0.75f, 0.5f);
constexpr UvRect knob = atlasCell(0.75f, 0.25f, 1.0f, 0.5f);
constexpr UvRect boot = atlasCell(0.0f, 0.0f, 0.5f, 0.25f);
constexpr UvRect chrome = atlasCell(0.5f, 0.0f, 0.75f, 0.25f);
constexpr UvRect dark = atlasCell(0.75f, 0.0f, 1.0f, 0.25f);

} // namespace assetgen::models::telly
