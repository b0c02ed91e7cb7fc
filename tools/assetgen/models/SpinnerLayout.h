#pragma once

#include "Mesh.h"

// Texture atlas of the fourth robot, the spinning bell
// ("Model/robots/TexRobot4.jpg").
namespace assetgen::models::spinner {

constexpr UvRect skirt = atlasCell(0.0f, 0.5f, 0.5f, 1.0f);
constexpr UvRect band = atlasCell(0.5f, 0.5f, 1.0f, 1.0f);
constexpr UvRect dome = atlasCell(0.0f, 0.25f, 0.5f, 0.5f);
constexpr UvRect stud = atlasCell(0.5f, 0.25f, 0.75f, 0.5f);
constexpr UvRect eye = atlasCell(0.75f, 0.25f, 1.0f, 0.5f);
constexpr UvRect arm = atlasCell(0.0f, 0.0f, 0.5f, 0.25f);
constexpr UvRect bulb = atlasCell(0.5f, 0.0f, 0.75f, 0.25f);
constexpr UvRect dark = atlasCell(0.75f, 0.0f, 1.0f, 0.25f);

} // namespace assetgen::models::spinner
