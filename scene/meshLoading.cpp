#include "scene/meshLoading.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

namespace plim::scene {

unsigned modelImportFlags()
{
    return aiProcess_CalcTangentSpace | aiProcess_JoinIdenticalVertices | aiProcess_Triangulate
        | aiProcess_SortByPType;
}

const aiMesh* firstDrawableMesh(const aiScene* scene)
{
    if (!scene || scene->mNumMeshes == 0 || !scene->mMeshes || !scene->mMeshes[0])
        return nullptr;
    const aiMesh* mesh = scene->mMeshes[0];
    return hasValidTriangles(*mesh) ? mesh : nullptr;
}

bool hasValidTriangles(const aiMesh& mesh)
{
    if (!mesh.mVertices || (mesh.mNumFaces > 0 && !mesh.mFaces))
        return false;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices != 3 || !face.mIndices)
            return false;
        for (unsigned i = 0; i < 3; ++i)
            if (face.mIndices[i] >= mesh.mNumVertices)
                return false;
    }
    return true;
}

void copyMesh(const aiMesh& mesh, float uvScale, MeshArrays& out)
{
    const std::size_t vertexCount = mesh.mNumVertices;
    out.positions.assign(vertexCount, glm::vec3(0.0f));
    out.normals.assign(vertexCount, glm::vec3(0.0f));
    out.uvs.assign(vertexCount, glm::vec2(0.0f));
    out.tangents.assign(vertexCount, glm::vec3(0.0f));
    out.indices.assign(static_cast<std::size_t>(mesh.mNumFaces) * 3, 0);

    for (std::size_t v = 0; v < vertexCount; ++v) {
        const aiVector3D& p = mesh.mVertices[v];
        out.positions[v] = glm::vec3(p.x, p.y, p.z);
        if (mesh.HasNormals()) {
            const aiVector3D& n = mesh.mNormals[v];
            out.normals[v] = glm::vec3(n.x, n.y, n.z);
        }
    }
    for (unsigned f = 0; f < mesh.mNumFaces; ++f)
        for (unsigned i = 0; i < 3; ++i)
            out.indices[3 * static_cast<std::size_t>(f) + i] = mesh.mFaces[f].mIndices[i];

    if (mesh.HasTextureCoords(0)) {
        std::vector<glm::vec2> unscaled(vertexCount);
        for (std::size_t v = 0; v < vertexCount; ++v) {
            const aiVector3D& t = mesh.mTextureCoords[0][v];
            unscaled[v] = glm::vec2(t.x, t.y);
            out.uvs[v] = glm::vec2(t.x * uvScale, t.y * uvScale);
        }
        out.tangents = tangentsPerTriple(out.positions.data(), unscaled.data(), vertexCount);
    }
    boundingBox(out.positions, out.boxMin, out.boxMax);
    out.closedSurface = isClosedSurface(out.positions, out.indices);
}

bool isClosedSurface(const std::vector<glm::vec3>& positions, const std::vector<GLuint>& indices)
{
    if (indices.empty() || indices.size() % 3 != 0)
        return false;
    std::map<std::array<float, 3>, GLuint> corners;
    std::vector<GLuint> corner(positions.size());
    for (std::size_t v = 0; v < positions.size(); ++v) {
        // NaN would break the ordering of the map below.
        if (!std::isfinite(positions[v].x) || !std::isfinite(positions[v].y) || !std::isfinite(positions[v].z))
            return false;
        const std::array<float, 3> key{positions[v].x, positions[v].y, positions[v].z};
        corner[v] = corners.emplace(key, static_cast<GLuint>(corners.size())).first->second;
    }
    std::map<std::pair<GLuint, GLuint>, int> edges; // walks from one corner to another
    double volume = 0.0;
    for (std::size_t i = 0; i < indices.size(); i += 3) {
        if (indices[i] >= positions.size() || indices[i + 1] >= positions.size() || indices[i + 2] >= positions.size())
            return false;
        const GLuint a = corner[indices[i]];
        const GLuint b = corner[indices[i + 1]];
        const GLuint c = corner[indices[i + 2]];
        ++edges[{a, b}];
        ++edges[{b, c}];
        ++edges[{c, a}];
        const glm::dvec3 p0(positions[indices[i]]);
        const glm::dvec3 p1(positions[indices[i + 1]]);
        const glm::dvec3 p2(positions[indices[i + 2]]);
        volume += glm::dot(p0, glm::cross(p1, p2)) / 6.0;
    }
    for (const auto& [edge, walks] : edges) {
        const auto back = edges.find({edge.second, edge.first});
        if (back == edges.end() || back->second != walks)
            return false;
    }
    return volume > 0.0;
}

std::vector<glm::vec3> tangentsPerTriple(const glm::vec3* positions, const glm::vec2* uvs, std::size_t count)
{
    std::vector<glm::vec3> tangents(count, glm::vec3(0.0f));
    for (std::size_t v = 0; v + 2 < count; v += 3) {
        const glm::vec3 e1 = positions[v + 1] - positions[v];
        const glm::vec3 e2 = positions[v + 2] - positions[v];
        const glm::vec2 d1 = uvs[v + 1] - uvs[v];
        const glm::vec2 d2 = uvs[v + 2] - uvs[v];
        const float determinant = d1.x * d2.y - d2.x * d1.y;
        glm::vec3 tangent(0.0f);
        // A triple without texture area has no tangent direction; 1 / 0 would
        // put NaN into the buffer.
        if (determinant != 0.0f) {
            const glm::vec3 direction = (e1 * d2.y - e2 * d1.y) * (1.0f / determinant);
            if (glm::dot(direction, direction) > 0.0f)
                tangent = glm::normalize(direction);
        }
        tangents[v] = tangents[v + 1] = tangents[v + 2] = tangent;
    }
    return tangents;
}

void boundingBox(const std::vector<glm::vec3>& positions, glm::vec3& boxMin, glm::vec3& boxMax)
{
    boxMax = glm::vec3(std::numeric_limits<float>::lowest());
    boxMin = glm::vec3(std::numeric_limits<float>::max());
    for (const glm::vec3& p : positions) {
        boxMax = glm::max(boxMax, p);
        boxMin = glm::min(boxMin, p);
    }
}

} // namespace plim::scene
