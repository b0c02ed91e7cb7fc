#pragma once

#include "../Asset.h"
#include "Mesh.h"

#include <glm/glm.hpp>

#include <string>
#include <vector>

namespace assetgen::models {

struct ColladaJoint {
    std::string name;
    int parent = -1;    // index of an earlier joint, or -1 below the armature
    glm::mat4 bindPose; // the joint's frame in mesh space
};

// One skinned or static mesh with its skeleton and one animation, as a
// COLLADA 1.4.1 document.
struct ColladaDocument {
    std::string name;
    const Mesh* mesh = nullptr;
    bool zUp = false;
    std::vector<ColladaJoint> joints; // empty: a static mesh
    std::vector<double> keyTimes;     // seconds, as the file states them
    // keys[joint][time]: the joint's transform relative to its parent joint.
    std::vector<std::vector<glm::mat4>> keys;
};

// Each joint gets id = sid = name, and every key of the document is written
// as a full matrix, so an importer reads translation and rotation keys at
// every key time. Joints without a weighted vertex are written anyway, but
// importers drop them from the mesh's bone list.
Bytes writeCollada(const ColladaDocument& document);

} // namespace assetgen::models
