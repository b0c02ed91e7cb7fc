#pragma once
// Test-side view of a model file as the game reads it: the import with the
// loaders' flags, the first mesh, the placement of the scene table, and the
// skinned pose computed with the game's skeleton rules (bones and their
// ancestors, local transforms from keys only, identity below non-bones).

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace game_model {

constexpr unsigned loaderFlags = 32779;

inline glm::mat4 toGlm(const aiMatrix4x4& m) { return glm::transpose(glm::make_mat4(&m.a1)); }

// The placement calls of the scene table, each multiplying on the right.
struct Placement {
    glm::mat4 m{1.0f};
    Placement& translate(double x, double y, double z)
    {
        m = glm::translate(m, glm::vec3(float(x), float(y), float(z)));
        return *this;
    }
    Placement& scale(double x, double y, double z)
    {
        m = glm::scale(m, glm::vec3(float(x), float(y), float(z)));
        return *this;
    }
    Placement& rotate(double x, double y, double z, float degrees)
    {
        m = glm::rotate(m, degrees * 0.017453292f, glm::normalize(glm::vec3(float(x), float(y), float(z))));
        return *this;
    }
};

struct SceneModel {
    const char* global;
    const char* file;
    glm::mat4 placement;
};

inline const std::vector<SceneModel>& sceneModels()
{
    static const std::vector<SceneModel> models = {
        {"house", "Model/house/house.3ds", Placement().translate(0, 4.5, 0).scale(0.25, 0.2, 0.25).rotate(1, 0, 0, -90).m},
        {"houseNew", "Model/house/house_new_flipped.obj",
            Placement().scale(19.9, 10, 19.9).translate(-0.0006, 0.024, 0.03).rotate(1, 0, 0, 0).m},
        {"stair", "Model/house/Stair.obj", Placement().translate(0, 0, 9).scale(2.5, 0.5, 0.5).m},
        {"jukeboxFront", "Model/miscellaneous/jukeboxFront_flipped2.obj",
            Placement().translate(4.8, 0, -8.4).rotate(0, 1, 0, -45).m},
        {"robot1Top", "Model/robots/Robot1_merged_animated_top.dae", Placement().translate(5, 0.55, 1).scale(0.3, 0.5, 0.3).m},
        {"robot1Bottom", "Model/robots/Robot1_merged_animated_bottom.obj",
            Placement().translate(5, 0.35, 1).scale(0.3, 0.5, 0.3).m},
        {"robot3", "Model/robots/Robot3_1.dae",
            Placement().translate(-4.5, 1.08, -0.5).scale(0.5, 0.7, 0.5).rotate(1, 0, 0, -90).m},
        {"robot4", "Model/robots/Robot4.obj", Placement().translate(5.5, 1.5, 6.8).scale(0.25, 0.25, 0.25).rotate(0, 1, 0, 45).m},
        {"flyingRobot", "Model/robots/vok_merged.dae",
            Placement().translate(52.6, 11, -18.74).scale(0.65, 0.65, 0.65).rotate(1, 0, 0, -90).rotate(0, 0, 1, 270).m},
        {"robot5Eyes", "Model/robots/Robot5Eyes.obj",
            Placement().translate(52.54, 10.44, -18.74).scale(0.95, 0.85, 0.65).rotate(0, 1, 0, 270).m},
        {"robot6A", "Model/robots/Robot6_animated3.dae",
            Placement().translate(-4.5, 0.5, 6.3).rotate(1, 0, 0, -90).rotate(0, 0, 1, 135).m},
        {"robot6B", "Model/robots/Robot6_animated3.dae",
            Placement().translate(3, 1.25, 8.9).scale(1, 1, 1).rotate(1, 0, 0, -90).rotate(0, 0, 1, 225).m},
        {"robot6C", "Model/robots/Robot6_animated3.dae",
            Placement().translate(-3.7, 0.75, -6.2).scale(1, 1.5, 1).rotate(1, 0, 0, -90).rotate(0, 0, 1, 82).m},
        {"robot6D", "Model/robots/Robot6_animated3.dae",
            Placement().translate(-3.9, 0.45, -7.2).scale(1.1, 0.9, 1.1).rotate(1, 0, 0, -90).rotate(0, 0, 1, 48).m},
        {"jukebox", "Model/miscellaneous/Jukebox.dae",
            Placement().translate(4.8, 0, -8.4).rotate(1, 0, 0, -90).rotate(0, 0, 1, -45).m},
        {"door", "Model/door/Door.obj",
            Placement().scale(0.009, 0.009, 0.009).rotate(0, 1, 0, 90).translate(-1085, 140, 1).m},
    };
    return models;
}

inline const SceneModel& sceneModel(const std::string& global)
{
    for (const SceneModel& model : sceneModels())
        if (global == model.global)
            return model;
    throw std::runtime_error("no scene model " + global);
}

inline glm::vec3 transformPoint(const glm::mat4& m, const glm::vec3& p) { return glm::vec3(m * glm::vec4(p, 1.0f)); }

inline std::vector<glm::vec3> positionsOf(const aiMesh* mesh)
{
    std::vector<glm::vec3> result;
    for (unsigned i = 0; mesh && i < mesh->mNumVertices; ++i)
        result.emplace_back(mesh->mVertices[i].x, mesh->mVertices[i].y, mesh->mVertices[i].z);
    return result;
}

// One imported file; the importer keeps the scene alive.
struct Imported {
    std::shared_ptr<Assimp::Importer> importer = std::make_shared<Assimp::Importer>();
    const aiScene* scene = nullptr;
    const aiMesh* mesh = nullptr; // the first mesh, the only one the game reads
    std::string error;

    explicit Imported(const std::string& path)
    {
        scene = importer->ReadFile(path, loaderFlags);
        if (!scene)
            error = importer->GetErrorString();
        else if (scene->mNumMeshes > 0)
            mesh = scene->mMeshes[0];
    }

    std::vector<glm::vec3> positions() const { return positionsOf(mesh); }
};

// The clips each animated file holds, as stretches of its time line.
struct Clip {
    double start, end;
};
inline std::vector<Clip> clipsOf(const std::string& file)
{
    if (file == "Model/robots/Robot6_animated3.dae")
        return {{0.0, 3.29}, {3.4, 4.6}, {4.6, 7.4}, {7.4, 10.0}};
    if (file == "Model/robots/Robot1_merged_animated_top.dae")
        return {{0.4166666, 6.25}};
    return {{0.0, 2.083333}};
}

struct Triangle {
    glm::vec3 a, b, c;
    glm::vec3 normal() const { return glm::normalize(glm::cross(b - a, c - a)); }
    glm::vec3 centre() const { return (a + b + c) / 3.0f; }
};

inline std::vector<Triangle> trianglesOf(const aiMesh* mesh, const std::vector<glm::vec3>& positions)
{
    std::vector<Triangle> result;
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        if (face.mNumIndices == 3)
            result.push_back({positions[face.mIndices[0]], positions[face.mIndices[1]], positions[face.mIndices[2]]});
    }
    return result;
}

// Distance along the ray to the nearest triangle hit, or a negative number.
inline float rayHit(const glm::vec3& origin, const glm::vec3& direction, const std::vector<Triangle>& triangles)
{
    float best = -1.0f;
    for (const Triangle& t : triangles) {
        glm::vec3 e1 = t.b - t.a, e2 = t.c - t.a;
        glm::vec3 p = glm::cross(direction, e2);
        float det = glm::dot(e1, p);
        if (std::fabs(det) < 1e-12f)
            continue;
        glm::vec3 s = origin - t.a;
        float u = glm::dot(s, p) / det;
        if (u < -1e-5f || u > 1.0f + 1e-5f)
            continue;
        glm::vec3 q = glm::cross(s, e1);
        float v = glm::dot(direction, q) / det;
        if (v < -1e-5f || u + v > 1.0f + 1e-5f)
            continue;
        float distance = glm::dot(e2, q) / det;
        if (distance >= 0.0f && (best < 0.0f || distance < best))
            best = distance;
    }
    return best;
}

struct Bounds {
    glm::vec3 min{std::numeric_limits<float>::max()};
    glm::vec3 max{std::numeric_limits<float>::lowest()};
    void add(const glm::vec3& p)
    {
        min = glm::min(min, p);
        max = glm::max(max, p);
    }
    glm::vec3 centre() const { return (min + max) * 0.5f; }
};

inline std::vector<glm::vec3> transformed(const glm::mat4& m, const std::vector<glm::vec3>& points)
{
    std::vector<glm::vec3> result;
    result.reserve(points.size());
    for (const glm::vec3& p : points)
        result.push_back(transformPoint(m, p));
    return result;
}

inline Bounds boundsOf(const std::vector<glm::vec3>& points)
{
    Bounds b;
    for (const glm::vec3& p : points)
        b.add(p);
    return b;
}

// The skinned mesh posed as the game poses it.
class Skin {
public:
    struct Node {
        std::string name;
        int bone = -1;
        std::vector<Node> children;
        std::vector<double> positionTimes, rotationTimes;
        std::vector<glm::vec3> positions;
        std::vector<glm::quat> rotations;
    };

    std::vector<std::string> boneNames;
    std::vector<glm::mat4> offsets;
    std::vector<glm::ivec4> ids;
    std::vector<glm::vec4> weights;
    int droppedInfluences = 0; // fifth kept influences the game drops
    bool hasSkeleton = false;
    Node root;

    explicit Skin(const Imported& file) : Skin(file.scene, file.mesh) {}

    Skin(const aiScene* scene, const aiMesh* mesh)
    {
        ids.assign(mesh->mNumVertices, glm::ivec4(0));
        weights.assign(mesh->mNumVertices, glm::vec4(1, 0, 0, 0));
        std::vector<int> counts(mesh->mNumVertices, 0);
        for (unsigned b = 0; b < mesh->mNumBones; ++b) {
            const aiBone* bone = mesh->mBones[b];
            boneNames.push_back(bone->mName.C_Str());
            offsets.push_back(toGlm(bone->mOffsetMatrix));
            for (unsigned w = 0; w < bone->mNumWeights; ++w) {
                const aiVertexWeight& weight = bone->mWeights[w];
                if (weight.mWeight < 0.2f)
                    continue;
                int& count = counts[weight.mVertexId];
                if (count >= 4) {
                    ++droppedInfluences;
                    continue;
                }
                ids[weight.mVertexId][count] = int(b);
                weights[weight.mVertexId][count] = weight.mWeight;
                ++count;
            }
        }
        hasSkeleton = build(scene->mRootNode, root);
        if (hasSkeleton && scene->mNumAnimations > 0) {
            const aiAnimation* animation = scene->mAnimations[0];
            for (unsigned c = 0; c < animation->mNumChannels; ++c) {
                const aiNodeAnim* channel = animation->mChannels[c];
                Node* node = find(root, channel->mNodeName.C_Str());
                if (!node)
                    continue;
                node->positionTimes.clear();
                node->positions.clear();
                node->rotationTimes.clear();
                node->rotations.clear();
                for (unsigned k = 0; k < channel->mNumPositionKeys; ++k) {
                    const aiVectorKey& key = channel->mPositionKeys[k];
                    node->positionTimes.push_back(key.mTime);
                    node->positions.emplace_back(key.mValue.x, key.mValue.y, key.mValue.z);
                }
                for (unsigned k = 0; k < channel->mNumRotationKeys; ++k) {
                    const aiQuatKey& key = channel->mRotationKeys[k];
                    node->rotationTimes.push_back(key.mTime);
                    node->rotations.emplace_back(key.mValue.w, key.mValue.x, key.mValue.y, key.mValue.z);
                }
            }
        }
    }

    std::vector<glm::mat4> boneMatrices(double time) const
    {
        std::vector<glm::mat4> transforms(boneNames.size(), glm::mat4(1.0f));
        if (hasSkeleton)
            evaluate(root, time, glm::mat4(1.0f), transforms);
        return transforms;
    }

    std::vector<glm::vec3> pose(const std::vector<glm::vec3>& rest, double time) const
    {
        std::vector<glm::mat4> bones = boneMatrices(time);
        std::vector<glm::vec3> result(rest.size());
        for (std::size_t v = 0; v < rest.size(); ++v) {
            glm::vec4 p(0.0f);
            for (int k = 0; k < 4; ++k)
                if (weights[v][k] != 0.0f)
                    p += weights[v][k] * (bones[std::size_t(ids[v][k])] * glm::vec4(rest[v], 1.0f));
            result[v] = glm::vec3(p);
        }
        return result;
    }

    std::vector<glm::vec3> poseNormals(const std::vector<glm::vec3>& rest, double time) const
    {
        std::vector<glm::mat4> bones = boneMatrices(time);
        std::vector<glm::vec3> result(rest.size());
        for (std::size_t v = 0; v < rest.size(); ++v) {
            glm::vec3 n(0.0f);
            for (int k = 0; k < 4; ++k)
                if (weights[v][k] != 0.0f)
                    n += weights[v][k] * (glm::mat3(bones[std::size_t(ids[v][k])]) * rest[v]);
            result[v] = glm::length(n) > 0.0f ? glm::normalize(n) : n;
        }
        return result;
    }

    static Node* find(Node& node, const std::string& name)
    {
        if (node.name == name)
            return &node;
        for (Node& child : node.children)
            if (Node* found = find(child, name))
                return found;
        return nullptr;
    }

private:
    bool build(const aiNode* source, Node& node)
    {
        node.name = source->mName.C_Str();
        for (std::size_t b = 0; b < boneNames.size(); ++b)
            if (boneNames[b] == node.name) {
                node.bone = int(b);
                break;
            }
        for (unsigned c = 0; c < source->mNumChildren; ++c) {
            Node child;
            if (build(source->mChildren[c], child))
                node.children.push_back(std::move(child));
        }
        return node.bone >= 0 || !node.children.empty();
    }

    static float factor(const std::vector<double>& times, double t, std::size_t& k)
    {
        std::size_t n = times.size();
        k = n - 2;
        for (std::size_t i = 0; i + 1 < n; ++i)
            if (t <= times[i + 1]) {
                k = i;
                break;
            }
        float span = float(times[k + 1] - times[k]);
        return float((t - times[k]) / double(span));
    }

    void evaluate(const Node& node, double t, const glm::mat4& parent, std::vector<glm::mat4>& transforms) const
    {
        glm::mat4 translation(1.0f), rotation(1.0f);
        if (node.positions.size() == 1)
            translation = glm::translate(glm::mat4(1.0f), node.positions[0]);
        else if (node.positions.size() >= 2) {
            std::size_t k;
            float f = factor(node.positionTimes, t, k);
            translation = glm::translate(glm::mat4(1.0f), node.positions[k] * (1.0f - f) + node.positions[k + 1] * f);
        }
        if (node.rotations.size() == 1)
            rotation = glm::mat4_cast(node.rotations[0]);
        else if (node.rotations.size() >= 2) {
            std::size_t k;
            float f = factor(node.rotationTimes, t, k);
            rotation = glm::mat4_cast(glm::slerp(node.rotations[k], node.rotations[k + 1], f));
        }
        glm::mat4 local = translation * rotation;
        // A node that is no bone hands the identity to its children.
        glm::mat4 handed(1.0f);
        if (node.bone >= 0) {
            std::size_t b = std::size_t(node.bone);
            transforms[b] = parent * local * offsets[b];
            handed = parent * local;
        }
        for (const Node& child : node.children)
            evaluate(child, t, handed, transforms);
    }
};

// A scene object: its file, its placement and, when skinned, its pose.
class Placed {
public:
    explicit Placed(const std::string& global) : model_(sceneModel(global)), file_(model_.file)
    {
        rest_ = file_.positions();
        if (file_.mesh && file_.mesh->mNumBones > 0)
            skin_ = std::make_shared<Skin>(file_);
    }

    const Imported& file() const { return file_; }
    const glm::mat4& placement() const { return model_.placement; }
    bool skinned() const { return skin_ != nullptr; }
    const Skin& skin() const { return *skin_; }

    std::vector<glm::vec3> world(double time = 0.0) const
    {
        return transformed(model_.placement, skin_ ? skin_->pose(rest_, time) : rest_);
    }
    std::vector<Triangle> triangles(double time = 0.0) const { return trianglesOf(file_.mesh, world(time)); }

private:
    const SceneModel& model_;
    Imported file_;
    std::vector<glm::vec3> rest_;
    std::shared_ptr<Skin> skin_;
};

} // namespace game_model
