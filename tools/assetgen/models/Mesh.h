#pragma once

#include <glm/glm.hpp>

#include <cstdint>
#include <vector>

namespace assetgen::models {

// A rectangle of a texture atlas; (s, t) in [0, 1] maps across it.
struct UvRect {
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;

    glm::vec2 at(float s, float t) const { return {u0 + (u1 - u0) * s, v0 + (v1 - v0) * t}; }
    // The part of this rectangle that (s0, t0)-(s1, t1) covers.
    UvRect sub(float s0, float t0, float s1, float t1) const
    {
        glm::vec2 a = at(s0, t0), b = at(s1, t1);
        return {a.x, a.y, b.x, b.y};
    }
};

// A cell of an atlas whose texture coordinates keep `margin` away from the
// cell's edges, so filtering and mipmaps never reach the next cell: the
// painter paints the whole cell, the mesh uses the inset rectangle.
constexpr UvRect atlasCell(float u0, float v0, float u1, float v1, float margin = 1.0f / 128.0f)
{
    return {u0 + margin, v0 + margin, u1 - margin, v1 - margin};
}

// One triangle mesh as the game's loaders read it: positions, normals,
// texture coordinates and up to four bone influences per vertex.
class Mesh {
public:
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec2> uvs;
    std::vector<glm::ivec4> boneIds;
    std::vector<glm::vec4> boneWeights;
    std::vector<std::uint32_t> indices;

    // Vertices added from now on follow this bone rigidly.
    int bone = 0;

    std::uint32_t addVertex(const glm::vec3& position, const glm::vec3& normal, const glm::vec2& uv);
    void addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c);
    std::size_t vertexCount() const { return positions.size(); }
    std::size_t triangleCount() const { return indices.size() / 3; }

    // Appends another mesh, keeping its bone influences.
    void append(const Mesh& other);
    // Moves every vertex; normals follow, and mirroring transforms keep the
    // winding facing outwards.
    void transform(const glm::mat4& matrix);
    void transformRange(std::size_t firstVertex, std::size_t firstIndex, const glm::mat4& matrix);
    // Gives the vertices from firstVertex on a blend of two bones.
    void blendBones(std::size_t firstVertex, int boneA, int boneB, float weightB);
};

} // namespace assetgen::models
