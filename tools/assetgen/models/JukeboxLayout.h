#pragma once

#include "Mesh.h"

// Texture atlas of the jukebox ("Model/miscellaneous/Jukebox_D.jpg") and the
// measures of its body in world units, shared with its glowing front.
namespace assetgen::models::jukebox {

constexpr UvRect front = atlasCell(0.0f, 0.0f, 0.5f, 1.0f);
constexpr UvRect cabinet = atlasCell(0.5f, 0.5f, 1.0f, 1.0f);
constexpr UvRect back = atlasCell(0.5f, 0.0f, 0.75f, 0.5f);
constexpr UvRect chrome = atlasCell(0.75f, 0.25f, 1.0f, 0.5f);
constexpr UvRect bubbles = atlasCell(0.75f, 0.0f, 1.0f, 0.25f);

constexpr float width = 1.0f;
constexpr float shoulder = 1.15f; // height of the straight sides above the plinth
constexpr float plinth = 0.1f;
constexpr float backZ = -0.3f;
constexpr float frontZ = 0.22f;
constexpr float top = plinth + shoulder + width * 0.5f;
// The glowing tubes run round the front this far inside its edge.
constexpr float tubeOuterInset = 0.035f;
constexpr float tubeInnerInset = 0.085f;
constexpr float tubeBottom = 0.2f;
constexpr float barBottom = 1.19f, barTop = 1.23f;

} // namespace assetgen::models::jukebox
