#pragma once

#include "Mesh.h"

// Texture atlas of the door ("Model/door/tex/specular.jpg") and its measures
// in world units.
namespace assetgen::models::door {

constexpr UvRect front = atlasCell(0.0f, 0.0f, 0.5f, 1.0f);
constexpr UvRect edge = atlasCell(0.5f, 0.0f, 0.75f, 0.5f);
constexpr UvRect brass = atlasCell(0.75f, 0.0f, 1.0f, 0.25f);
constexpr UvRect iron = atlasCell(0.75f, 0.25f, 1.0f, 0.5f);
constexpr UvRect frame = atlasCell(0.5f, 0.5f, 1.0f, 1.0f);

constexpr float width = 1.2f;
constexpr float height = 2.3f;
constexpr float thickness = 0.07f;
constexpr float frameWidth = 0.12f;
// The four raised panels, as parts (s0, t0, s1, t1) of the door's face.
constexpr float panels[4][4] = {
    {0.14f, 0.56f, 0.46f, 0.9f}, {0.54f, 0.56f, 0.86f, 0.9f}, {0.14f, 0.1f, 0.46f, 0.46f}, {0.54f, 0.1f, 0.86f, 0.46f}};

} // namespace assetgen::models::door
