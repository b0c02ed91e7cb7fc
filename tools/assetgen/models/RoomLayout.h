#pragma once

#include "Mesh.h"

// Texture atlas of the room ("Model/house/TexHouseCellar.jpg",
// "TexHouseFluffy.jpg" and "TexHouseScifi.jpg" share it), and the measures
// of the room in world units that the mesh and the painters agree on.
namespace assetgen::models::room {

constexpr int textureSize = 1024;

constexpr UvRect floor = atlasCell(0.0f, 0.0f, 0.5f, 0.5f);
constexpr UvRect wall = atlasCell(0.5f, 0.0f, 1.0f, 0.5f);
constexpr UvRect ceiling = atlasCell(0.0f, 0.5f, 0.25f, 0.75f);
constexpr UvRect beam = atlasCell(0.25f, 0.5f, 0.5f, 0.75f);
constexpr UvRect baseboard = atlasCell(0.5f, 0.5f, 1.0f, 0.5625f);
constexpr UvRect frieze = atlasCell(0.5f, 0.5625f, 1.0f, 0.625f);
constexpr UvRect window = atlasCell(0.5f, 0.625f, 0.75f, 0.875f);
constexpr UvRect doorway = atlasCell(0.75f, 0.625f, 1.0f, 0.875f);
constexpr UvRect picture = atlasCell(0.0f, 0.75f, 0.25f, 1.0f);
constexpr UvRect pillar = atlasCell(0.25f, 0.75f, 0.5f, 1.0f);
constexpr UvRect sill = atlasCell(0.5f, 0.875f, 0.75f, 1.0f);
constexpr UvRect trim = atlasCell(0.75f, 0.875f, 1.0f, 1.0f);

// The room's inner faces: just outside the walk bounds (x within 6, z
// within 9.8).
constexpr float halfWidth = 6.5f;
constexpr float halfLength = 10.5f;
constexpr float height = 5.5f;
constexpr float baseboardTop = 0.35f;
constexpr float friezeBottom = 5.1f;
// Floor and wall tiles, in world units.
constexpr float floorTile = 2.0f;
constexpr float wallTileWidth = 2.0f;
constexpr float wallTileHeight = (friezeBottom - baseboardTop) / 2.0f;

// The stairs: from z = 8 to the back wall, one unit of rise per unit of
// run, and a landing where the door stands.
constexpr float stairStart = 8.0f;
constexpr int stepCount = 4;
constexpr float firstStepEnd = 8.65f;
constexpr float stepRun = 0.5f;
constexpr float firstStepHeight = 0.25f;
constexpr float landingStart = firstStepEnd + (stepCount - 1) * stepRun;
constexpr float landingHeight = firstStepHeight + stepCount * stepRun;
// The door's opening in the back wall, above the landing.
constexpr float doorwayHalfWidth = 0.9f;
constexpr float doorwayTop = 5.0f;

} // namespace assetgen::models::room
