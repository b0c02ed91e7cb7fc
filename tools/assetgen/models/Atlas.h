#pragma once

#include "../Asset.h"
#include "../Canvas.h"
#include "Mesh.h"

#include <glm/glm.hpp>

#include <functional>

// A model's texture atlas is a Canvas painted cell by cell in texture
// coordinates: v runs up from the bottom row, as the texture is sampled, so a
// UvRect names the pixels the mesh reads.
namespace assetgen::models {

// A square atlas, size × size pixels of the background colour.
Canvas atlasCanvas(int size, const glm::vec3& background);

// Paints a cell with shader(s, t), (s, t) in [0, 1] across it, sampled at
// pixel centres. `bleed` pixels around the cell are painted too, so mipmaps
// do not mix neighbouring parts: clamped to the edge, or wrapped for tiles.
using CellShader = std::function<glm::vec3(glm::vec2 st)>;
void paintCell(Canvas& atlas, const UvRect& cell, const CellShader& shader, int bleed = 5, bool wrap = false);

// The atlas as the JPEG file its model names.
Bytes atlasJpeg(const Canvas& atlas);

} // namespace assetgen::models
