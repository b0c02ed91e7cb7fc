#include "Mesh.h"

#include <utility>

namespace assetgen::models {

std::uint32_t Mesh::addVertex(const glm::vec3& position, const glm::vec3& normal, const glm::vec2& uv)
{
    positions.push_back(position);
    normals.push_back(normal);
    uvs.push_back(uv);
    boneIds.emplace_back(bone, 0, 0, 0);
    boneWeights.emplace_back(1.0f, 0.0f, 0.0f, 0.0f);
    return static_cast<std::uint32_t>(positions.size() - 1);
}

void Mesh::addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    indices.push_back(a);
    indices.push_back(b);
    indices.push_back(c);
}

void Mesh::append(const Mesh& other)
{
    auto base = static_cast<std::uint32_t>(positions.size());
    positions.insert(positions.end(), other.positions.begin(), other.positions.end());
    normals.insert(normals.end(), other.normals.begin(), other.normals.end());
    uvs.insert(uvs.end(), other.uvs.begin(), other.uvs.end());
    boneIds.insert(boneIds.end(), other.boneIds.begin(), other.boneIds.end());
    boneWeights.insert(boneWeights.end(), other.boneWeights.begin(), other.boneWeights.end());
    for (std::uint32_t index : other.indices)
        indices.push_back(base + index);
}

void Mesh::transform(const glm::mat4& matrix)
{
    transformRange(0, 0, matrix);
}

void Mesh::transformRange(std::size_t firstVertex, std::size_t firstIndex, const glm::mat4& matrix)
{
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(matrix)));
    for (std::size_t i = firstVertex; i < positions.size(); ++i) {
        positions[i] = glm::vec3(matrix * glm::vec4(positions[i], 1.0f));
        glm::vec3 n = normalMatrix * normals[i];
        float length = glm::length(n);
        normals[i] = length > 0.0f ? n / length : n;
    }
    if (glm::determinant(glm::mat3(matrix)) < 0.0f) {
        for (std::size_t i = firstIndex; i + 2 < indices.size(); i += 3)
            std::swap(indices[i + 1], indices[i + 2]);
    }
}

void Mesh::blendBones(std::size_t firstVertex, int boneA, int boneB, float weightB)
{
    for (std::size_t i = firstVertex; i < positions.size(); ++i) {
        boneIds[i] = glm::ivec4(boneA, boneB, 0, 0);
        boneWeights[i] = glm::vec4(1.0f - weightB, weightB, 0.0f, 0.0f);
    }
}

} // namespace assetgen::models
