#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>

#include <cstddef>
#include <vector>

struct aiMesh;
struct aiScene;

namespace plim::scene {

// Post-processing of both model loaders: tangents, joined vertices,
// triangles, primitives sorted by type (32779).
unsigned modelImportFlags();

// The first mesh of an imported scene when it can be drawn safely: every face
// a triangle whose indices lie inside the vertex array. Null otherwise (no
// mesh, points or lines first, or indices out of range); the loaders then
// treat the file like one that did not import.
const aiMesh* firstDrawableMesh(const aiScene* scene);
bool hasValidTriangles(const aiMesh& mesh);

// Vertex data of one mesh in tight arrays, as the GPU buffers take it.
struct MeshArrays {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;
    std::vector<GLuint> indices;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> tangents;
    glm::vec3 boxMax{0.0f};
    glm::vec3 boxMin{0.0f};
    bool closedSurface = false; // see isClosedSurface
};

// Copies positions, normals (zero when missing), indices and texture
// coordinates of channel 0 times uvScale (zero when missing), computes the
// tangents from the unscaled coordinates, the bounding box and whether the
// mesh is a closed surface.
void copyMesh(const aiMesh& mesh, float uvScale, MeshArrays& out);

// One tangent per consecutive vertex triple in vertex order (not per face),
// stored for all three vertices. Trailing vertices that make no full triple,
// and triples whose texture coordinates span no area, get a zero tangent.
std::vector<glm::vec3> tangentsPerTriple(const glm::vec3* positions, const glm::vec2* uvs, std::size_t count);

// Whether the triangles enclose a volume and face out of it: vertices at the
// same position count as one (meshes repeat a corner for each normal and
// texture coordinate), every edge is walked once in each direction, and the
// signed volume is positive (counter-clockwise seen from outside). Seen from
// outside, such a surface hides each of its back faces behind one of its
// front faces, so they need not be drawn.
bool isClosedSurface(const std::vector<glm::vec3>& positions, const std::vector<GLuint>& indices);

// Running maximum from the lowest float and minimum from the largest, so a
// mesh entirely below zero keeps a negative maximum.
void boundingBox(const std::vector<glm::vec3>& positions, glm::vec3& boxMin, glm::vec3& boxMax);

} // namespace plim::scene
