#pragma once

#include "../Asset.h"
#include "Mesh.h"

#include <string>

namespace assetgen::models {

// Wavefront OBJ text of one mesh, one object with positions, texture
// coordinates and normals.
Bytes writeObj(const Mesh& mesh, const std::string& objectName);

} // namespace assetgen::models
