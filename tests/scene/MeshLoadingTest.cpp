#include "scene/boxGeometry.h"
#include "scene/meshLoading.h"

#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace {

using namespace plim::scene;

// An in-memory mesh, the way Assimp hands one over, so that the broken cases
// that Assimp's own importers never produce can be fed to the loader.
std::unique_ptr<aiMesh> makeMesh(std::initializer_list<glm::vec3> positions, std::initializer_list<unsigned> indices,
    unsigned indicesPerFace = 3)
{
    auto mesh = std::make_unique<aiMesh>();
    mesh->mNumVertices = static_cast<unsigned>(positions.size());
    mesh->mVertices = new aiVector3D[positions.size()];
    unsigned v = 0;
    for (const glm::vec3& p : positions)
        mesh->mVertices[v++] = aiVector3D(p.x, p.y, p.z);
    mesh->mNumFaces = static_cast<unsigned>(indices.size()) / indicesPerFace;
    mesh->mFaces = new aiFace[mesh->mNumFaces];
    auto index = indices.begin();
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        mesh->mFaces[f].mNumIndices = indicesPerFace;
        mesh->mFaces[f].mIndices = new unsigned[indicesPerFace];
        for (unsigned i = 0; i < indicesPerFace; ++i)
            mesh->mFaces[f].mIndices[i] = *index++;
    }
    return mesh;
}

void addUvs(aiMesh& mesh, std::initializer_list<glm::vec2> uvs)
{
    mesh.mTextureCoords[0] = new aiVector3D[mesh.mNumVertices];
    mesh.mNumUVComponents[0] = 2;
    unsigned v = 0;
    for (const glm::vec2& t : uvs)
        mesh.mTextureCoords[0][v++] = aiVector3D(t.x, t.y, 0.0f);
}

TEST(FaceValidation, AcceptsTrianglesInsideTheVertexArray)
{
    auto mesh = makeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {0, 1, 2, 2, 1, 3});
    EXPECT_TRUE(hasValidTriangles(*mesh));
}

TEST(FaceValidation, RejectsIndicesOutsideTheVertexArray)
{
    auto mesh = makeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2, 0, 2, 3});
    EXPECT_FALSE(hasValidTriangles(*mesh));
}

TEST(FaceValidation, RejectsPointsAndLines)
{
    // Assimp sorts a file of points into a first mesh of one-index faces.
    auto points = makeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2}, 1);
    EXPECT_FALSE(hasValidTriangles(*points));
    auto lines = makeMesh({{0, 0, 0}, {1, 0, 0}}, {0, 1}, 2);
    EXPECT_FALSE(hasValidTriangles(*lines));
}

TEST(FaceValidation, SceneWithoutMeshHasNothingToDraw)
{
    aiScene scene;
    EXPECT_EQ(firstDrawableMesh(&scene), nullptr);
    EXPECT_EQ(firstDrawableMesh(nullptr), nullptr);
}

TEST(Tangents, FollowTheTextureUAxisOfEachTriple)
{
    const glm::vec3 positions[] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    const glm::vec2 uvs[] = {{0, 0}, {1, 0}, {0, 1}, {0, 0}, {0, 1}, {1, 0}};
    const std::vector<glm::vec3> tangents = tangentsPerTriple(positions, uvs, 6);
    for (int v = 0; v < 3; ++v)
        EXPECT_EQ(tangents[v], glm::vec3(1, 0, 0)) << v;
    for (int v = 3; v < 6; ++v)
        EXPECT_EQ(tangents[v], glm::vec3(0, 1, 0)) << v;
}

TEST(Tangents, TrailingVerticesGetZeroAndNothingIsReadPastTheArrays)
{
    // Exactly sized heap arrays, so a read past them shows under AddressSanitizer.
    for (std::size_t count : {1u, 2u, 4u, 5u}) {
        std::vector<glm::vec3> positions(count, glm::vec3(0.0f));
        std::vector<glm::vec2> uvs(count, glm::vec2(0.0f));
        for (std::size_t v = 0; v < count; ++v) {
            positions[v] = glm::vec3(float(v % 3 == 1), float(v % 3 == 2), 0.0f);
            uvs[v] = glm::vec2(float(v % 3 == 1), float(v % 3 == 2));
        }
        const std::vector<glm::vec3> tangents = tangentsPerTriple(positions.data(), uvs.data(), count);
        ASSERT_EQ(tangents.size(), count);
        for (std::size_t v = count - count % 3; v < count; ++v)
            EXPECT_EQ(tangents[v], glm::vec3(0.0f)) << "vertex " << v << " of " << count;
        if (count >= 3) {
            EXPECT_EQ(tangents[0], glm::vec3(1, 0, 0));
        }
    }
}

TEST(Tangents, TripleWithoutTextureAreaGetsZeroNotNaN)
{
    const glm::vec3 positions[] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    const glm::vec2 uvs[] = {{0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, 0.5f}};
    const std::vector<glm::vec3> tangents = tangentsPerTriple(positions, uvs, 3);
    EXPECT_EQ(tangents[0], glm::vec3(0.0f));
}

TEST(MeshCopy, MissingNormalsAndCoordinatesStayZero)
{
    auto mesh = makeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 2, 1});
    MeshArrays arrays;
    copyMesh(*mesh, 1.0f, arrays);
    ASSERT_EQ(arrays.positions.size(), 3u);
    EXPECT_EQ(arrays.positions[1], glm::vec3(1, 0, 0));
    EXPECT_EQ(arrays.indices, (std::vector<GLuint>{0, 2, 1}));
    for (int v = 0; v < 3; ++v) {
        EXPECT_EQ(arrays.normals[v], glm::vec3(0.0f));
        EXPECT_EQ(arrays.uvs[v], glm::vec2(0.0f));
        EXPECT_EQ(arrays.tangents[v], glm::vec3(0.0f));
    }
}

TEST(MeshCopy, CoordinatesAreScaledButTangentsUseTheFileValues)
{
    // A negative scale mirrors the coordinates; the tangent must not flip with it.
    auto mesh = makeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2});
    addUvs(*mesh, {{0, 0}, {1, 0}, {0, 1}});
    MeshArrays arrays;
    copyMesh(*mesh, -2.0f, arrays);
    EXPECT_EQ(arrays.uvs[1], glm::vec2(-2, 0));
    EXPECT_EQ(arrays.tangents[0], glm::vec3(1, 0, 0));
}

} // namespace

// A tetrahedron wound counter-clockwise seen from outside, each face with
// corners of its own, as exported meshes repeat them for each normal.
TEST(ClosedSurface, NeedsEveryEdgeWalkedBothWaysAndTheFacesTurnedOutwards)
{
    const glm::vec3 o(0, 0, 0), x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    const std::vector<glm::vec3> corners{o, y, x, o, x, z, o, z, y, x, y, z};
    std::vector<GLuint> faces{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    EXPECT_TRUE(isClosedSurface(corners, faces));

    std::vector<GLuint> inward = faces;
    for (std::size_t i = 0; i < inward.size(); i += 3)
        std::swap(inward[i + 1], inward[i + 2]);
    EXPECT_FALSE(isClosedSurface(corners, inward)) << "closed, but facing in";

    std::vector<GLuint> open(faces.begin(), faces.end() - 3);
    EXPECT_FALSE(isClosedSurface(corners, open)) << "one face missing";

    std::vector<GLuint> twice = faces;
    twice.insert(twice.end(), {0, 1, 2});
    EXPECT_FALSE(isClosedSurface(corners, twice)) << "one face drawn twice: its edges walked one way more often";

    EXPECT_FALSE(isClosedSurface(corners, {})) << "nothing to enclose";
    EXPECT_FALSE(isClosedSurface(corners, {0, 1, 99})) << "an index outside the vertices";
    std::vector<glm::vec3> broken = corners;
    broken[4].y = std::nanf("");
    EXPECT_FALSE(isClosedSurface(broken, faces)) << "a corner that is not a number";

    EXPECT_TRUE(plim::scene::boxIsClosed()) << "the pillars' box, drawn without its back faces";
}
