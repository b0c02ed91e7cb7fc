// Turns any bytes into a small skinned COLLADA document, imports it as the
// animated model loader does and runs the loader's checks, bone table,
// skeleton and poses on it, then interpolates raw key lists: nothing may
// crash, read or write outside its arrays, or leak.
//
// The bytes are read front to back, one decision each, and read as 0 once they
// run out, so short hand-written inputs describe whole documents: node count,
// then per node its parent, joint flag, name length (a few near and past the
// 150-character limit, or a copy of an earlier name), transform and keys; then
// the bones, triangles and per-corner influences (weights below 0.2, above 1,
// negative, up to six per corner), a fan of children named like the first bone
// (past the 150-children limit), and damage done to the imported scene (vertex
// ids and face indices out of range, weights as other formats leave them).
#include "scene/SkeletonNode.h"
#include "scene/colladaFixture.h"
#include "scene/meshLoading.h"
#include "scene/skeletalAnimation.h"
#include "scene/skeletonLoading.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace plim::scene;

void require(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "skeleton fuzzer: %s\n", what);
    std::abort();
}

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
    unsigned next() { return at < size ? data[at++] : 0u; }
    int pick(int lowest, int highest) { return lowest + static_cast<int>(next() % unsigned(highest - lowest + 1)); }
    // Roughly -range..range in 256 steps.
    float value(float range) { return (static_cast<float>(next()) - 128.0f) / 128.0f * range; }
    bool empty() const { return at >= size; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

// Weights around the loader's 0.2 threshold and outside 0..1.
constexpr float weightChoices[] = {0.0f, 0.1f, 0.19f, 0.2f, 0.2001f, 0.25f, 0.5f, 0.75f, 1.0f, 1.5f, 4.0f, -0.3f};

std::string nameFor(Bytes& in, int index, const std::vector<fixture::Node>& earlier)
{
    const unsigned choice = in.next();
    std::string name = "j" + std::to_string(index);
    if (choice >= 240 && !earlier.empty())
        return earlier[in.next() % earlier.size()].name;
    std::size_t length = 1 + choice % 12;
    if (choice >= 200)
        length = 146 + (choice - 200) % 8; // 146..153: both sides of the limit
    if (name.size() < length)
        name.append(length - name.size(), 'x');
    return name;
}

glm::mat4 transformFrom(Bytes& in)
{
    const glm::vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const glm::vec3 shift{in.value(4.0f), in.value(4.0f), in.value(4.0f)};
    const float angle = in.value(3.2f);
    return glm::rotate(glm::translate(glm::mat4(1.0f), shift), angle, axes[in.next() % 3]);
}

fixture::ColladaModel modelFrom(Bytes& in)
{
    fixture::ColladaModel model;
    const int nodeCount = in.pick(1, 36);
    for (int i = 0; i < nodeCount; ++i) {
        const int parent = static_cast<int>(in.next() % unsigned(i + 1)) - 1;
        const bool joint = (in.next() & 1u) != 0;
        const std::string name = nameFor(in, i, model.nodes);
        const int node = model.addNode(name, parent, joint, transformFrom(in));
        const int keys = std::max(0, in.pick(-2, 4)); // no keys at all more often than not
        float time = in.value(2.0f);
        for (int k = 0; k < keys; ++k) {
            // Mostly ascending, sometimes repeated or going back.
            time += in.value(1.0f) + 0.5f;
            model.nodes[static_cast<std::size_t>(node)].keyTimes.push_back(time);
            model.nodes[static_cast<std::size_t>(node)].keyMatrices.push_back(transformFrom(in));
        }
    }

    const int boneCount = in.pick(0, 33);
    for (int b = 0; b < boneCount; ++b) {
        const int node = static_cast<int>(in.next() % unsigned(nodeCount)); // a node may be two bones
        model.addBone(node, transformFrom(in));
    }

    model.withUvs = (in.next() & 1u) != 0;
    const int triangleCount = in.pick(1, 6);
    bool anyInfluence = false;
    for (int t = 0; t < triangleCount; ++t) {
        const glm::vec3 base{in.value(3.0f), in.value(3.0f), in.value(3.0f)};
        std::vector<fixture::Influence> corners[3];
        for (std::vector<fixture::Influence>& corner : corners) {
            const int influences = boneCount == 0 ? 0 : in.pick(0, 6);
            for (int i = 0; i < influences; ++i) {
                const int bone = static_cast<int>(in.next() % unsigned(boneCount));
                const float weight = weightChoices[in.next() % std::size(weightChoices)];
                corner.push_back({bone, weight});
                anyInfluence = anyInfluence || weight > 0.0f; // Assimp drops the others
            }
        }
        // Assimp 5.2 loses a zero-length array on a skin without a single
        // weight, a leak of its own that would stop every run here.
        if (boneCount > 0 && !anyInfluence && t == triangleCount - 1)
            corners[0].push_back({0, 1.0f});
        // Distinct corners, so Assimp joins none of them.
        const float step = 0.125f * static_cast<float>(t + 1);
        model.addTriangle(base, base + glm::vec3(1.0f + step, 0, 0), base + glm::vec3(0, 1.0f + step, step), corners[0],
            corners[1], corners[2]);
    }

    if (boneCount > 0 && in.next() >= 224) {
        const int parent = static_cast<int>(in.next() % unsigned(nodeCount));
        const std::string twin = model.nodes[static_cast<std::size_t>(model.bones[0])].name;
        const int fan = in.pick(148, 153);
        for (int i = 0; i < fan; ++i)
            model.addNode(twin, parent, true);
    }
    return model;
}

// A broken file of another format can hand the loader what COLLADA cannot
// express: weights for vertices that do not exist, faces past the vertices.
void damage(Bytes& in, aiScene& scene)
{
    const unsigned what = in.next();
    if (scene.mNumMeshes == 0 || !scene.mMeshes[0])
        return;
    aiMesh& mesh = *scene.mMeshes[0];
    if ((what & 1u) && mesh.mNumBones > 0) {
        aiBone& bone = *mesh.mBones[in.next() % mesh.mNumBones];
        if (bone.mNumWeights > 0) {
            const unsigned past[] = {mesh.mNumVertices, mesh.mNumVertices + 1, 0x7fffffffu, 0xffffffffu};
            aiVertexWeight& weight = bone.mWeights[in.next() % bone.mNumWeights];
            weight.mVertexId = past[in.next() % 4];
        }
    }
    if ((what & 2u) && mesh.mNumFaces > 0 && mesh.mFaces[0].mNumIndices > 0)
        mesh.mFaces[0].mIndices[0] = mesh.mNumVertices + in.next();
    // COLLADA weights arrive normalised; other formats keep what they say,
    // which is how five or six heavy influences reach one vertex.
    if (what & 4u)
        for (unsigned b = 0; b < mesh.mNumBones; ++b)
            for (unsigned w = 0; w < mesh.mBones[b]->mNumWeights; ++w)
                mesh.mBones[b]->mWeights[w].mWeight = weightChoices[in.next() % std::size(weightChoices)];
}

// Influences the loader keeps per vertex, counted from the file's bones:
// every one past four costs one complaint.
int expectedComplaints(const aiMesh& mesh)
{
    std::vector<int> kept(mesh.mNumVertices, 0);
    for (unsigned b = 0; b < mesh.mNumBones; ++b)
        for (unsigned w = 0; w < mesh.mBones[b]->mNumWeights; ++w) {
            const aiVertexWeight& weight = mesh.mBones[b]->mWeights[w];
            if (weight.mVertexId < mesh.mNumVertices && weight.mWeight >= minimumBoneWeight)
                ++kept[weight.mVertexId];
        }
    int complaints = 0;
    for (int count : kept)
        complaints += std::max(0, count - maxInfluences);
    return complaints;
}

int countLines(const std::string& text, const std::string& line)
{
    int count = 0;
    for (std::string::size_type at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        ++count;
    return count;
}

void checkSkeleton(const SkeletonNode* node, int boneCount)
{
    require(std::memchr(node->name, '\0', SkeletonNode::nameCapacity) != nullptr, "node names stay terminated");
    require(node->boneIndex >= -1 && node->boneIndex < boneCount, "bone indices stay inside the table");
    require(node->childCount >= 0 && node->childCount <= SkeletonNode::childCapacity, "children fit the table");
    require(node->childCount > 0 || node->boneIndex >= 0, "only bones and their ancestors stay");
    require(node->positionKeyCount == static_cast<int>(node->positionKeys.size())
            && node->positionKeyCount == static_cast<int>(node->positionTimes.size())
            && node->rotationKeyCount == static_cast<int>(node->rotationKeys.size())
            && node->rotationKeyCount == static_cast<int>(node->rotationTimes.size()),
        "key counts match the stored keys");
    for (int i = 0; i < node->childCount; ++i) {
        require(node->children[i] != nullptr, "counted children exist");
        checkSkeleton(node->children[i], boneCount);
    }
}

// The loader's steps after a successful import, on exactly sized heap
// tables so that any access past the bone count is caught.
void loadAndPose(Bytes& in, const aiScene& scene)
{
    const aiMesh* mesh = firstDrawableMesh(&scene);
    if (!mesh)
        return;
    for (unsigned f = 0; f < mesh->mNumFaces; ++f)
        for (unsigned i = 0; i < mesh->mFaces[f].mNumIndices; ++i)
            require(mesh->mFaces[f].mIndices[i] < mesh->mNumVertices, "a drawable mesh indexes its own vertices");
    if (!modelLimitProblem(scene, *mesh).empty())
        return;
    require(mesh->mNumBones <= static_cast<unsigned>(maxBones), "an accepted mesh fits the bone tables");

    MeshArrays arrays;
    copyMesh(*mesh, 2.0f, arrays);

    struct Names {
        BoneNameTable table;
    };
    auto names = std::make_unique<Names>();
    const std::size_t slots = std::max(1u, mesh->mNumBones);
    std::vector<glm::mat4> offsets(slots, glm::mat4(1.0f));
    std::vector<glm::ivec4> boneIds;
    std::vector<glm::vec4> boneWeights;

    std::ostringstream console;
    std::streambuf* previous = std::cout.rdbuf(console.rdbuf());
    const int boneCount = loadBoneTable(*mesh, names->table, offsets.data(), boneIds, boneWeights);
    SkeletonNode* skeleton = nullptr;
    buildSkeleton(scene.mRootNode, skeleton, boneCount, names->table);
    attachAnimation(scene, skeleton);
    std::cout.rdbuf(previous);
    std::unique_ptr<SkeletonNode> owner(skeleton);

    require(countLines(console.str(), "Too many bones, can't create bonestructure\n") == expectedComplaints(*mesh),
        "one complaint per influence past four");
    require(boneIds.size() == mesh->mNumVertices && boneWeights.size() == mesh->mNumVertices,
        "one influence set per vertex");
    for (std::size_t v = 0; v < boneIds.size(); ++v)
        for (int slot = 0; slot < maxInfluences; ++slot) {
            require(boneIds[v][slot] >= 0 && boneIds[v][slot] < std::max(boneCount, 1), "bone ids name a bone");
            const float weight = boneWeights[v][slot];
            require(weight == 0.0f || weight >= minimumBoneWeight, "light weights are dropped");
        }
    if (skeleton)
        checkSkeleton(skeleton, boneCount);
    for (int b = 0; b < boneCount; ++b) {
        const SkeletonNode* found = findNode(skeleton, names->table[b]);
        require(!found || std::strcmp(found->name, names->table[b]) == 0, "the search finds the named node");
    }

    // One slot past the bones, which no pose may touch.
    const glm::mat4 untouched(7.0f);
    std::vector<glm::mat4> transforms(slots + 1, untouched);
    const double times[] = {-1.0, 0.0, 0.5, 1.0, 2.5, 1e6, static_cast<double>(in.value(8.0f))};
    for (double time : times)
        evaluateNode(skeleton, offsets.data(), transforms.data(), time, glm::mat4(1.0f));
    require(transforms[slots] == untouched, "poses write only the bones' own slots");
}

void importAndLoad(Bytes& in)
{
    const std::string document = fixture::toCollada(modelFrom(in));
    Assimp::Importer importer;
    const aiScene* imported = importer.ReadFileFromMemory(document.data(), document.size(), modelImportFlags(), "dae");
    if (!imported)
        return;
    // The importer owns the scene and lets it be changed in place.
    damage(in, *const_cast<aiScene*>(imported));
    loadAndPose(in, *imported);
}

// Raw key lists: any times (unsorted, equal, huge) must stay inside the
// arrays, and between two ascending keys the result lies between them.
void interpolateRawKeys(Bytes& in)
{
    const int count = in.pick(0, 5);
    std::vector<glm::vec3> positions;
    std::vector<glm::quat> rotations;
    std::vector<double> times;
    const double scales[] = {1.0, 1e-9, 1e12, 1e300};
    const double scale = scales[in.next() % 4];
    for (int k = 0; k < count; ++k) {
        positions.push_back(glm::vec3{in.value(10.0f), in.value(10.0f), in.value(10.0f)});
        const float angle = in.value(3.2f);
        const glm::vec3 axis = glm::normalize(glm::vec3(in.value(1.0f), 1.0f, 0.5f));
        rotations.push_back(glm::angleAxis(angle, axis));
        times.push_back(static_cast<double>(in.value(4.0f)) * scale);
    }
    const double time = static_cast<double>(in.value(5.0f)) * scale;
    // Exactly sized copies, so ASan sees any read past the last key.
    std::unique_ptr<glm::vec3[]> p(new glm::vec3[count]);
    std::unique_ptr<glm::quat[]> r(new glm::quat[count]);
    std::unique_ptr<double[]> t(new double[count]);
    std::copy(positions.begin(), positions.end(), p.get());
    std::copy(rotations.begin(), rotations.end(), r.get());
    std::copy(times.begin(), times.end(), t.get());
    const glm::vec3 position = interpolatePosition(p.get(), t.get(), count, time);
    const glm::quat rotation = interpolateRotation(r.get(), t.get(), count, time);

    if (count < 2 || !std::is_sorted(times.begin(), times.end()) || time < times.front() || time > times.back())
        return;
    // Between two ascending keys the fraction lies in 0..1, up to the float
    // rounding of the span.
    int k = 0;
    while (time > times[static_cast<std::size_t>(k) + 1])
        ++k;
    const glm::vec3 low = glm::min(positions[k], positions[k + 1]);
    const glm::vec3 high = glm::max(positions[k], positions[k + 1]);
    const float slack = 1e-3f * (1.0f + glm::length(high - low));
    require(glm::all(glm::greaterThanEqual(position, low - slack)) && glm::all(glm::lessThanEqual(position, high + slack)),
        "a position between two keys lies between their values");
    require(std::fabs(glm::length(rotation) - 1.0f) < 1e-3f, "a rotation between two keys stays a unit quaternion");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes in(data, size);
    importAndLoad(in);
    interpolateRawKeys(in);
    return 0;
}
