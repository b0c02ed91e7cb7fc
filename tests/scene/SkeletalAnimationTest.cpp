#include "scene/SkeletonNode.h"
#include "scene/skeletalAnimation.h"
#include "scene/skeletonLoading.h"

#include "countingAllocator.h"

#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

namespace {

using namespace plim::scene;

void expectNear(const glm::mat4& actual, const glm::mat4& expected, float tolerance = 1e-5f)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(actual[c][r], expected[c][r], tolerance) << "column " << c << " row " << r;
}

glm::mat4 translation(float x, float y, float z)
{
    return glm::translate(glm::mat4(1.0f), glm::vec3(x, y, z));
}

// ---- key interpolation ----

TEST(KeyInterpolation, ExactKeyTimeGivesThatKey)
{
    const glm::vec3 keys[] = {{0, 0, 0}, {10, 0, 0}, {30, 0, 0}};
    const double times[] = {0.0, 1.0, 2.0};
    EXPECT_EQ(interpolatePosition(keys, times, 3, 1.0), glm::vec3(10, 0, 0));
    EXPECT_EQ(interpolatePosition(keys, times, 3, 2.0), glm::vec3(30, 0, 0));
    EXPECT_EQ(interpolatePosition(keys, times, 3, 0.0), glm::vec3(0, 0, 0));
    EXPECT_EQ(interpolatePosition(keys, times, 3, 1.5), glm::vec3(20, 0, 0));
}

TEST(KeyInterpolation, ExtrapolatesBeforeTheFirstAndAfterTheLastKey)
{
    const glm::vec3 keys[] = {{0, 0, 0}, {10, 0, 0}, {30, 0, 0}};
    const double times[] = {0.0, 1.0, 2.0};
    EXPECT_EQ(interpolatePosition(keys, times, 3, -1.0), glm::vec3(-10, 0, 0)) << "along the first two keys";
    EXPECT_EQ(interpolatePosition(keys, times, 3, 3.0), glm::vec3(50, 0, 0)) << "along the last two keys";
}

TEST(KeyInterpolation, SingleKeyHoldsAndEmptyListGivesIdentity)
{
    const glm::vec3 position[] = {{1, 2, 3}};
    const glm::quat rotation[] = {glm::angleAxis(0.5f, glm::vec3(0, 1, 0))};
    const double times[] = {4.0};
    for (double t : {-10.0, 4.0, 100.0}) {
        EXPECT_EQ(interpolatePosition(position, times, 1, t), position[0]);
        EXPECT_EQ(interpolateRotation(rotation, times, 1, t), rotation[0]);
    }
    EXPECT_EQ(interpolatePosition(nullptr, nullptr, 0, 1.0), glm::vec3(0.0f));
    EXPECT_EQ(interpolateRotation(nullptr, nullptr, 0, 1.0), glm::quat(1, 0, 0, 0));
}

TEST(KeyInterpolation, TwoKeysAtTheSameTimeGiveTheLaterOneInsteadOfNaN)
{
    const glm::vec3 keys[] = {{0, 0, 0}, {5, 0, 0}, {10, 0, 0}};
    const double times[] = {1.0, 1.0, 2.0};
    EXPECT_EQ(interpolatePosition(keys, times, 3, 1.0), glm::vec3(5, 0, 0));
    EXPECT_EQ(interpolatePosition(keys, times, 3, 0.5), glm::vec3(5, 0, 0));
}

TEST(KeyInterpolation, SlerpTakesTheShortestPath)
{
    // The same 90-degree turn written with the opposite sign: halfway must be
    // 45 degrees, not the long way round.
    const glm::quat keys[] = {glm::quat(1, 0, 0, 0), -glm::angleAxis(glm::radians(90.0f), glm::vec3(0, 0, 1))};
    const double times[] = {0.0, 1.0};
    const glm::quat half = interpolateRotation(keys, times, 2, 0.5);
    const glm::vec3 turned = half * glm::vec3(1, 0, 0);
    EXPECT_NEAR(turned.x, std::sqrt(0.5f), 1e-5f);
    EXPECT_NEAR(turned.y, std::sqrt(0.5f), 1e-5f);
}

TEST(KeyInterpolation, RotationExtrapolatesPastTheLastKey)
{
    const glm::quat keys[] = {glm::quat(1, 0, 0, 0), glm::angleAxis(glm::radians(30.0f), glm::vec3(0, 0, 1))};
    const double times[] = {0.0, 1.0};
    const glm::vec3 turned = interpolateRotation(keys, times, 2, 2.0) * glm::vec3(1, 0, 0);
    EXPECT_NEAR(std::atan2(turned.y, turned.x), glm::radians(60.0f), 1e-4f);
}

// ---- evaluateNode ----

struct Pose {
    glm::mat4 offsets[boneMatrixCapacity];
    glm::mat4 transforms[boneMatrixCapacity];
    Pose()
    {
        for (int i = 0; i < boneMatrixCapacity; ++i)
            offsets[i] = transforms[i] = glm::mat4(1.0f);
    }
};

SkeletonNode* node(const char* name, int boneIndex)
{
    auto* n = new SkeletonNode;
    std::strcpy(n->name, name);
    n->boneIndex = boneIndex;
    return n;
}

SkeletonNode* adopt(SkeletonNode* parent, SkeletonNode* child)
{
    parent->children[parent->childCount++] = child;
    return child;
}

void setPositionKeys(SkeletonNode* n, std::initializer_list<glm::vec3> keys, std::initializer_list<double> times)
{
    n->positionKeys = keys;
    n->positionTimes = times;
    n->positionKeyCount = static_cast<int>(keys.size());
}

TEST(EvaluateNode, BoneGetsParentTimesLocalTimesOffsetAndPassesParentTimesLocal)
{
    std::unique_ptr<SkeletonNode> hips(node("hips", 0));
    SkeletonNode* leg = adopt(hips.get(), node("leg", 1));
    setPositionKeys(hips.get(), {{0, 1, 0}, {0, 3, 0}}, {0.0, 2.0});
    setPositionKeys(leg, {{1, 0, 0}}, {0.0});
    leg->rotationKeys = {glm::angleAxis(glm::radians(90.0f), glm::vec3(0, 0, 1))};
    leg->rotationTimes = {0.0};
    leg->rotationKeyCount = 1;

    Pose pose;
    pose.offsets[0] = translation(0, -1, 0);
    pose.offsets[1] = translation(-1, -1, 0);
    const glm::mat4 parent = translation(10, 0, 0);
    evaluateNode(hips.get(), pose.offsets, pose.transforms, 1.0, parent);

    const glm::mat4 hipsLocal = translation(0, 2, 0);
    expectNear(pose.transforms[0], parent * hipsLocal * pose.offsets[0]);
    const glm::mat4 legLocal = translation(1, 0, 0) * glm::mat4_cast(leg->rotationKeys[0]);
    expectNear(pose.transforms[1], parent * hipsLocal * legLocal * pose.offsets[1]);
}

TEST(EvaluateNode, BoneUnderANonBoneGetsTheIdentityAsParent)
{
    std::unique_ptr<SkeletonNode> root(node("Armature", -1));
    setPositionKeys(root.get(), {{5, 5, 5}}, {0.0}); // a non-bone's own keys reach nobody
    SkeletonNode* bone = adopt(root.get(), node("hips", 0));
    setPositionKeys(bone, {{0, 1, 0}}, {0.0});

    Pose pose;
    evaluateNode(root.get(), pose.offsets, pose.transforms, 0.0, translation(100, 0, 0));
    expectNear(pose.transforms[0], translation(0, 1, 0));
}

TEST(EvaluateNode, BoneWithoutChannelGetsParentTimesOffset)
{
    std::unique_ptr<SkeletonNode> hips(node("hips", 0));
    setPositionKeys(hips.get(), {{0, 1, 0}}, {0.0});
    adopt(hips.get(), node("still", 1));
    Pose pose;
    pose.offsets[1] = translation(0, 0, -2);
    evaluateNode(hips.get(), pose.offsets, pose.transforms, 0.0, glm::mat4(1.0f));
    expectNear(pose.transforms[1], translation(0, 1, 0) * translation(0, 0, -2));
}

TEST(EvaluateNode, KeyListsOfDifferentLengthsFollowTheirOwnTimes)
{
    std::unique_ptr<SkeletonNode> bone(node("b", 0));
    for (int k = 0; k < 10; ++k) {
        bone->positionKeys.push_back(glm::vec3(float(k), 0, 0));
        bone->positionTimes.push_back(double(k));
    }
    bone->positionKeyCount = 10;
    bone->rotationKeys = {glm::quat(1, 0, 0, 0), glm::angleAxis(glm::radians(90.0f), glm::vec3(0, 1, 0)),
        glm::angleAxis(glm::radians(180.0f), glm::vec3(0, 1, 0))};
    bone->rotationTimes = {0.0, 4.0, 8.0};
    bone->rotationKeyCount = 3;
    Pose pose;
    evaluateNode(bone.get(), pose.offsets, pose.transforms, 6.0, glm::mat4(1.0f));
    const glm::mat4 expected = translation(6, 0, 0) * glm::mat4_cast(glm::angleAxis(glm::radians(135.0f), glm::vec3(0, 1, 0)));
    expectNear(pose.transforms[0], expected);
}

TEST(EvaluateNode, MissingSkeletonDoesNothing)
{
    Pose pose;
    evaluateNode(nullptr, pose.offsets, pose.transforms, 1.0, translation(1, 2, 3));
    expectNear(pose.transforms[0], glm::mat4(1.0f));
}

TEST(EvaluateNode, AllocatesNothing)
{
    // A 30-bone chain with keys on every bone, evaluated like a frame does.
    std::unique_ptr<SkeletonNode> root(node("root", 0));
    SkeletonNode* parent = root.get();
    for (int b = 0; b < maxBones; ++b) {
        SkeletonNode* bone = b == 0 ? root.get() : adopt(parent, node(("b" + std::to_string(b)).c_str(), b));
        setPositionKeys(bone, {{0, 0, 0}, {0, 1, 0}, {0, 0, 0}}, {0.0, 1.0, 2.0});
        bone->rotationKeys = {glm::quat(1, 0, 0, 0), glm::angleAxis(0.3f, glm::vec3(1, 0, 0))};
        bone->rotationTimes = {0.0, 2.0};
        bone->rotationKeyCount = 2;
        parent = bone;
    }
    Pose pose;
    const long before = allocation::count();
    for (double t = 0.0; t < 3.0; t += 0.1)
        evaluateNode(root.get(), pose.offsets, pose.transforms, t, glm::mat4(1.0f));
    EXPECT_EQ(allocation::count(), before);
    EXPECT_NE(pose.transforms[maxBones - 1], glm::mat4(1.0f)) << "the chain was evaluated";
}

// ---- skeleton and bone table from an imported scene ----

aiNode* fileNode(const char* name, std::initializer_list<aiNode*> children = {})
{
    auto* n = new aiNode(name);
    if (children.size() > 0) {
        std::vector<aiNode*> list(children);
        n->addChildren(static_cast<unsigned>(list.size()), list.data());
    }
    return n;
}

// A mesh of vertexCount vertices with bones of the given names (no weights).
std::unique_ptr<aiMesh> meshWithBones(unsigned vertexCount, std::initializer_list<std::string> boneNames)
{
    auto mesh = std::make_unique<aiMesh>();
    mesh->mNumVertices = vertexCount;
    mesh->mVertices = new aiVector3D[vertexCount];
    mesh->mNumBones = static_cast<unsigned>(boneNames.size());
    mesh->mBones = new aiBone*[mesh->mNumBones];
    unsigned b = 0;
    for (const std::string& name : boneNames) {
        mesh->mBones[b] = new aiBone;
        mesh->mBones[b]->mName = aiString(name);
        ++b;
    }
    return mesh;
}

void setWeights(aiBone* bone, std::initializer_list<aiVertexWeight> weights)
{
    delete[] bone->mWeights;
    bone->mNumWeights = static_cast<unsigned>(weights.size());
    bone->mWeights = new aiVertexWeight[weights.size()];
    std::copy(weights.begin(), weights.end(), bone->mWeights);
}

struct BoneTable {
    BoneNameTable names = {};
    glm::mat4 offsets[boneMatrixCapacity];
    std::vector<glm::ivec4> ids;
    std::vector<glm::vec4> weights;
    int load(const aiMesh& mesh) { return loadBoneTable(mesh, names, offsets, ids, weights); }
};

TEST(SkeletonBuilding, KeepsExactlyTheBonesAndTheirAncestorsInFileOrder)
{
    std::unique_ptr<aiNode> root(fileNode("Scene",
        {fileNode("Lamp"),
            fileNode("Armature", {fileNode("hips", {fileNode("tail"), fileNode("legL"), fileNode("legR")})}),
            fileNode("Body")}));
    auto mesh = meshWithBones(3, {"legR", "hips", "legL"});
    BoneTable table;
    ASSERT_EQ(table.load(*mesh), 3);

    SkeletonNode* skeleton = nullptr;
    ASSERT_TRUE(buildSkeleton(root.get(), skeleton, 3, table.names));
    std::unique_ptr<SkeletonNode> owner(skeleton);
    EXPECT_STREQ(skeleton->name, "Scene");
    EXPECT_EQ(skeleton->boneIndex, -1);
    ASSERT_EQ(skeleton->childCount, 1);
    const SkeletonNode* armature = skeleton->children[0];
    EXPECT_STREQ(armature->name, "Armature");
    ASSERT_EQ(armature->childCount, 1);
    const SkeletonNode* hips = armature->children[0];
    EXPECT_EQ(hips->boneIndex, 1);
    ASSERT_EQ(hips->childCount, 2);
    EXPECT_STREQ(hips->children[0]->name, "legL");
    EXPECT_EQ(hips->children[0]->boneIndex, 2);
    EXPECT_STREQ(hips->children[1]->name, "legR");
    EXPECT_EQ(hips->children[1]->boneIndex, 0);
}

TEST(SkeletonBuilding, TreeWithoutBonesDoesNotSurvive)
{
    std::unique_ptr<aiNode> root(fileNode("Scene", {fileNode("Body")}));
    BoneTable table;
    SkeletonNode stale;
    SkeletonNode* skeleton = &stale; // must be overwritten
    EXPECT_FALSE(buildSkeleton(root.get(), skeleton, 0, table.names));
    EXPECT_EQ(skeleton, nullptr);
}

TEST(SkeletonBuilding, NodeSearchIsDepthFirstPreOrder)
{
    std::unique_ptr<SkeletonNode> root(node("root", -1));
    SkeletonNode* a = adopt(root.get(), node("a", -1));
    SkeletonNode* deep = adopt(a, node("twin", 0));
    adopt(root.get(), node("twin", 1));
    EXPECT_EQ(findNode(root.get(), "twin"), deep);
    EXPECT_EQ(findNode(root.get(), "root"), root.get());
    EXPECT_EQ(findNode(root.get(), "missing"), nullptr);
    EXPECT_EQ(findNode(nullptr, "root"), nullptr);
}

std::unique_ptr<aiNodeAnim> channel(const char* nodeName, std::initializer_list<aiVectorKey> positions,
    std::initializer_list<aiQuatKey> rotations)
{
    auto c = std::make_unique<aiNodeAnim>();
    c->mNodeName = aiString(nodeName);
    c->mNumPositionKeys = static_cast<unsigned>(positions.size());
    c->mPositionKeys = new aiVectorKey[positions.size()];
    std::copy(positions.begin(), positions.end(), c->mPositionKeys);
    c->mNumRotationKeys = static_cast<unsigned>(rotations.size());
    c->mRotationKeys = new aiQuatKey[rotations.size()];
    std::copy(rotations.begin(), rotations.end(), c->mRotationKeys);
    return c;
}

TEST(AnimationKeys, ChannelsAttachToNamedNodesAndTheLaterOneWins)
{
    std::unique_ptr<SkeletonNode> root(node("root", 0));
    SkeletonNode* arm = adopt(root.get(), node("arm", 1));

    aiScene scene;
    scene.mNumAnimations = 1;
    scene.mAnimations = new aiAnimation*[1];
    scene.mAnimations[0] = new aiAnimation;
    aiAnimation& animation = *scene.mAnimations[0];
    animation.mNumChannels = 3;
    animation.mChannels = new aiNodeAnim*[3];
    animation.mChannels[0] = channel("arm", {aiVectorKey(0.0, aiVector3D(1, 1, 1))}, {}).release();
    animation.mChannels[1] = channel("nobody", {aiVectorKey(0.0, aiVector3D(9, 9, 9))}, {}).release();
    // Assimp stores w first; the node keeps x, y, z, w.
    animation.mChannels[2] = channel("arm", {aiVectorKey(0.5, aiVector3D(2, 0, 0)), aiVectorKey(1.5, aiVector3D(4, 0, 0))},
        {aiQuatKey(0.25, aiQuaternion(0.5f, 0.1f, 0.2f, 0.3f))})
                                 .release();

    attachAnimation(scene, root.get());
    EXPECT_EQ(root->positionKeyCount, 0);
    ASSERT_EQ(arm->positionKeyCount, 2);
    EXPECT_EQ(arm->positionKeys[1], glm::vec3(4, 0, 0));
    EXPECT_EQ(arm->positionTimes[0], 0.5);
    ASSERT_EQ(arm->rotationKeyCount, 1);
    EXPECT_EQ(arm->rotationTimes[0], 0.25);
    EXPECT_EQ(arm->rotationKeys[0].w, 0.5f);
    EXPECT_EQ(arm->rotationKeys[0].x, 0.1f);
    EXPECT_EQ(arm->rotationKeys[0].z, 0.3f);
    const float* stored = &arm->rotationKeys[0].x;
    EXPECT_EQ(stored[3], 0.5f) << "stored x, y, z, w";
}

TEST(AnimationKeys, FileWithoutAnimationSaysSo)
{
    aiScene scene;
    std::unique_ptr<SkeletonNode> root(node("root", 0));
    testing::internal::CaptureStdout();
    attachAnimation(scene, root.get());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "mNumAnimations is not greater than 0\n");
}

TEST(BoneTable, VertexWithoutInfluenceIsBoundToBoneZero)
{
    auto mesh = meshWithBones(2, {"a"});
    setWeights(mesh->mBones[0], {aiVertexWeight(1, 0.5f)});
    BoneTable table;
    table.load(*mesh);
    EXPECT_EQ(table.ids[0], glm::ivec4(0));
    EXPECT_EQ(table.weights[0], glm::vec4(1, 0, 0, 0));
    EXPECT_EQ(table.weights[1], glm::vec4(0.5f, 0, 0, 0)) << "the first kept weight replaces the 1";
}

TEST(BoneTable, WeightOfExactlyPointTwoStaysAndBelowIsDropped)
{
    auto mesh = meshWithBones(2, {"a", "b"});
    setWeights(mesh->mBones[0], {aiVertexWeight(0, 0.2f), aiVertexWeight(1, 0.19f)});
    setWeights(mesh->mBones[1], {aiVertexWeight(0, 0.19f), aiVertexWeight(1, 0.8f)});
    BoneTable table;
    table.load(*mesh);
    EXPECT_EQ(table.ids[0], glm::ivec4(0, 0, 0, 0));
    EXPECT_EQ(table.weights[0], glm::vec4(0.2f, 0, 0, 0));
    EXPECT_EQ(table.ids[1], glm::ivec4(1, 0, 0, 0));
    EXPECT_EQ(table.weights[1], glm::vec4(0.8f, 0, 0, 0)) << "kept weights are not renormalised";
}

TEST(BoneTable, SixInfluencesKeepTheFirstFourAndComplainTwice)
{
    auto mesh = meshWithBones(1, {"b0", "b1", "b2", "b3", "b4", "b5"});
    for (unsigned b = 0; b < 6; ++b)
        setWeights(mesh->mBones[b], {aiVertexWeight(0, 0.3f + 0.1f * float(b))});
    BoneTable table;
    testing::internal::CaptureStdout();
    table.load(*mesh);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
        "Too many bones, can't create bonestructure\nToo many bones, can't create bonestructure\n");
    EXPECT_EQ(table.ids[0], glm::ivec4(0, 1, 2, 3));
    EXPECT_NEAR(table.weights[0].w, 0.6f, 1e-6f);
}

TEST(BoneTable, WeightForAVertexOutsideTheMeshIsSkipped)
{
    auto mesh = meshWithBones(2, {"a"});
    setWeights(mesh->mBones[0], {aiVertexWeight(2, 0.9f), aiVertexWeight(1000000, 0.9f), aiVertexWeight(1, 0.7f)});
    BoneTable table;
    table.load(*mesh);
    ASSERT_EQ(table.ids.size(), 2u);
    EXPECT_EQ(table.weights[0], glm::vec4(1, 0, 0, 0));
    EXPECT_EQ(table.weights[1], glm::vec4(0.7f, 0, 0, 0));
}

TEST(BoneTable, OffsetMatricesBecomeColumnMajor)
{
    auto mesh = meshWithBones(1, {"a"});
    aiMatrix4x4 offset;
    offset.a4 = 1.0f; // Assimp keeps the translation in the fourth column of its rows
    offset.b4 = 2.0f;
    offset.c4 = 3.0f;
    offset.a2 = 5.0f;
    mesh->mBones[0]->mOffsetMatrix = offset;
    BoneTable table;
    table.load(*mesh);
    EXPECT_EQ(table.offsets[0][3], glm::vec4(1, 2, 3, 1));
    EXPECT_EQ(table.offsets[0][1][0], 5.0f);
    EXPECT_STREQ(table.names[0], "a");
}

// ---- limits of the fixed tables ----

std::unique_ptr<aiScene> sceneWith(aiNode* root)
{
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = root;
    return scene;
}

TEST(ModelLimits, ThirtyBonesFitAndThirtyOneDoNot)
{
    auto scene = sceneWith(fileNode("Scene"));
    for (unsigned count : {30u, 31u}) {
        auto mesh = std::make_unique<aiMesh>();
        mesh->mNumBones = count;
        mesh->mBones = new aiBone*[count];
        for (unsigned b = 0; b < count; ++b) {
            mesh->mBones[b] = new aiBone;
            mesh->mBones[b]->mName = aiString("bone" + std::to_string(b));
        }
        const std::string problem = modelLimitProblem(*scene, *mesh);
        if (count == 30)
            EXPECT_EQ(problem, "");
        else
            EXPECT_EQ(problem, "31 bones, the limit is 30");
    }
}

TEST(ModelLimits, NamesOfOneHundredFiftyCharactersAreRejected)
{
    const std::string longest(149, 'n');
    const std::string tooLong(150, 'n');
    auto scene = sceneWith(fileNode("Scene", {fileNode(longest.c_str())}));
    EXPECT_EQ(modelLimitProblem(*scene, *meshWithBones(1, {longest})), "");
    EXPECT_EQ(modelLimitProblem(*scene, *meshWithBones(1, {tooLong})),
        "a bone name of 150 characters, the limit is 149");
    auto longNode = sceneWith(fileNode("Scene", {fileNode(tooLong.c_str())}));
    EXPECT_EQ(modelLimitProblem(*longNode, *meshWithBones(1, {"b"})),
        "a node name of 150 characters, the limit is 149");
}

TEST(ModelLimits, MoreThanOneHundredFiftyKeptChildrenAreRejected)
{
    // Sibling nodes may share a name; each one named like a bone stays.
    for (unsigned children : {150u, 151u}) {
        aiNode* root = fileNode("Scene");
        std::vector<aiNode*> list;
        for (unsigned c = 0; c < children; ++c)
            list.push_back(new aiNode("bone"));
        list.push_back(new aiNode("notABone")); // pruned, does not count
        root->addChildren(static_cast<unsigned>(list.size()), list.data());
        auto scene = sceneWith(root);
        const std::string problem = modelLimitProblem(*scene, *meshWithBones(1, {"bone"}));
        if (children == 150)
            EXPECT_EQ(problem, "");
        else
            EXPECT_EQ(problem, "a node with 151 children in the skeleton, the limit is 150");
    }
}

} // namespace
