#pragma once

#include "Mesh.h"

// Texture atlas of the dancing robot ("Model/robots/TexRobot6_diffuse.jpg"),
// shared by its mesh and its painter.
namespace assetgen::models::dancer {

constexpr UvRect head = atlasCell(0.0f, 0.5f, 0.5f, 1.0f);
constexpr UvRect torso = atlasCell(0.5f, 0.5f, 1.0f, 1.0f);
constexpr UvRect limb = atlasCell(0.0f, 0.25f, 0.5f, 0.5f);
constexpr UvRect joint = atlasCell(0.5f, 0.25f, 0.75f, 0.5f);
constexpr UvRect extremity = atlasCell(0.75f, 0.25f, 1.0f, 0.5f);
constexpr UvRect pelvis = atlasCell(0.0f, 0.0f, 0.5f, 0.25f);
constexpr UvRect glow = atlasCell(0.5f, 0.0f, 0.75f, 0.25f);
constexpr UvRect dark = atlasCell(0.75f, 0.0f, 1.0f, 0.25f);

} // namespace assetgen::models::dancer
