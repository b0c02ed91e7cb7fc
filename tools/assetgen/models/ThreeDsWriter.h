#pragma once

#include "../Asset.h"
#include "Mesh.h"

#include <string>

namespace assetgen::models {

// A 3D Studio file holding one mesh object with texture coordinates, one
// material and flat shading, without a local matrix,
// so importers read the vertices exactly as given.
Bytes writeThreeDs(const Mesh& mesh, const std::string& objectName, const std::string& textureFile);

} // namespace assetgen::models
