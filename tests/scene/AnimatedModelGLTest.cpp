#include "scene/AnimatedModel.h"
#include "scene/SkeletonNode.h"
#include "scene/skeletalAnimation.h"

#include "app/GameState.h"
#include "colladaFixture.h"
#include "countingAllocator.h"
#include "scene/meshLoading.h"
#include "sceneGlSupport.h"
#include "support/ChildProcess.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace {

using namespace plim::scene;
using scenetest::cameraLookingAt;

const std::string thirdParty = "/usr/share/assimp/models/";

glm::mat4 translation(float x, float y, float z)
{
    return glm::translate(glm::mat4(1.0f), glm::vec3(x, y, z));
}

// A two-legged robot standing on the floor (y = 0) that swings its legs
// about the hips: 0, +20, 0, -20, 0 degrees at clock 0, 0.5, 1, 1.5, 2.
fixture::ColladaModel walkingRobot()
{
    fixture::ColladaModel robot;
    const int armature = robot.addNode("Armature", -1, false);
    robot.addNode("Lamp", -1, false);
    const int hips = robot.addNode("hips", armature, true, translation(0, 1, 0));
    const int legs[2] = {robot.addNode("legL", hips, true, translation(-0.2f, 0, 0)),
        robot.addNode("legR", hips, true, translation(0.2f, 0, 0))};
    const float angles[] = {0.0f, 20.0f, 0.0f, -20.0f, 0.0f};
    for (int k = 0; k < 5; ++k) {
        const float time = 0.5f * float(k);
        robot.nodes[hips].keyTimes.push_back(time);
        robot.nodes[hips].keyMatrices.push_back(translation(0, 1, 0));
        for (int side = 0; side < 2; ++side) {
            const float sign = side == 0 ? 1.0f : -1.0f;
            fixture::Node& leg = robot.nodes[static_cast<size_t>(legs[side])];
            leg.keyTimes.push_back(time);
            leg.keyMatrices.push_back(
                leg.matrix * glm::rotate(glm::mat4(1.0f), glm::radians(sign * angles[k]), glm::vec3(1, 0, 0)));
        }
    }
    const int hipsBone = robot.addBone(hips, translation(0, -1, 0));
    const int leftBone = robot.addBone(legs[0], translation(0.2f, -1, 0));
    const int rightBone = robot.addBone(legs[1], translation(-0.2f, -1, 0));
    robot.addTriangle({-0.3f, 1, 0}, {0.3f, 1, 0}, {0, 1.6f, 0}, {{hipsBone, 1.0f}});
    robot.addTriangle({-0.25f, 1, 0}, {-0.15f, 1, 0}, {-0.2f, 0, 0}, {{leftBone, 1.0f}});
    robot.addTriangle({0.15f, 1, 0}, {0.25f, 1, 0}, {0.2f, 0, 0}, {{rightBone, 1.0f}});
    return robot;
}

// One bone per joint, all joints children of "Armature", one triangle whose
// first corner carries the given influences and the rest bone 0.
fixture::ColladaModel boneFan(const std::vector<std::string>& jointNames, const std::vector<fixture::Influence>& first)
{
    fixture::ColladaModel model;
    const int armature = model.addNode("Armature", -1, false);
    for (const std::string& name : jointNames)
        model.addBone(model.addNode(name, armature, true));
    model.addTriangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, first, {{0, 1.0f}}, {{0, 1.0f}});
    return model;
}

class AnimatedModels : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GL_CONTEXT();
        scenetest::buildScenePrograms();
        if (directory.empty()) {
            directory = testing_support::makeTempDirectory("clankora-animated");
            texture = scenetest::solidTexture(directory, "grey", 128, 128, 128);
            fixture::writeCollada(directory + "/robot.dae", walkingRobot());
        }
        EXPECT_NO_GL_ERROR();
    }
    void TearDown() override
    {
        EXPECT_NO_GL_ERROR();
    }

    std::unique_ptr<AnimatedModel> load(const std::string& path, std::string* console = nullptr)
    {
        if (console)
            testing::internal::CaptureStdout();
        auto model = std::make_unique<AnimatedModel>(glm::mat4(1.0f), path, texture, animatedShadowDistancesShader,
            1.0f, 1.5f, glm::vec3(10.0f, 0.35f, 3.0f));
        if (console)
            *console = testing::internal::GetCapturedStdout();
        return model;
    }

    static std::string directory;
    static Texture* texture;
};

std::string AnimatedModels::directory;
Texture* AnimatedModels::texture = nullptr;

const Camera front = cameraLookingAt(glm::vec3(0, 1, 6), glm::vec3(0, 1, 0));

void pose(AnimatedModel& model, double clock)
{
    model.evaluateNode(model.skeleton, model.boneOffsets, model.boneTransforms, clock, glm::mat4(1.0f));
}

// What the skinning shader computes for one vertex: the weighted sum of its
// bones' matrices, weights as stored.
glm::vec3 skinned(const AnimatedModel& model, GLuint vertex)
{
    glm::mat4 skin(0.0f);
    for (int i = 0; i < 4; ++i)
        skin += model.boneTransforms[model.boneIds[vertex][i]] * model.boneWeights[vertex][i];
    return glm::vec3(skin * glm::vec4(model.positions[vertex], 1.0f));
}

int countBoneNodes(const SkeletonNode* node, std::vector<int>& seen)
{
    if (!node)
        return 0;
    int count = node->boneIndex >= 0 ? 1 : 0;
    if (node->boneIndex >= 0)
        seen.push_back(node->boneIndex);
    for (int i = 0; i < node->childCount; ++i)
        count += countBoneNodes(node->children[i], seen);
    return count;
}

bool allFinite(const glm::mat4& m)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            if (!std::isfinite(m[c][r]))
                return false;
    return true;
}

TEST_F(AnimatedModels, ThirdPartySkinnedFilesLoadPoseAndDraw)
{
    for (const char* name : {"FBX/huesitos.fbx", "FBX/animation_with_skeleton.fbx", "X/anim_test.x",
             "glTF2/simple_skin/simple_skin.gltf", "X/BCN_Epileptic.X"}) {
        SCOPED_TRACE(name);
        const std::string path = thirdParty + name;
        Assimp::Importer reference;
        const aiScene* scene = reference.ReadFile(path, modelImportFlags());
        ASSERT_NE(scene, nullptr);
        const aiMesh& mesh = *scene->mMeshes[0];

        std::string console;
        std::unique_ptr<AnimatedModel> model = load(path, &console);
        EXPECT_EQ(console.find("Import Failed"), std::string::npos) << console;
        EXPECT_EQ(model->vertexCount, mesh.mNumVertices) << "the first mesh only";
        EXPECT_EQ(model->boneCount, int(mesh.mNumBones));
        ASSERT_NE(model->skeleton, nullptr);
        std::vector<int> seen;
        countBoneNodes(model->skeleton, seen);
        std::sort(seen.begin(), seen.end());
        EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end()) << "each bone once in the skeleton";
        // anim_test.x names two bones that no node carries; they keep the identity.
        EXPECT_LE(int(seen.size()), model->boneCount);
        EXPECT_GT(seen.size(), 0u);

        const double end = scene->mNumAnimations ? scene->mAnimations[0]->mDuration : 1.0;
        for (double clock : {-1.0, 0.0, end * 0.37, end, end * 1.5}) {
            pose(*model, clock);
            for (int b = 0; b < model->boneCount; ++b)
                ASSERT_TRUE(allFinite(model->boneTransforms[b])) << "bone " << b << " at " << clock;
        }
        Camera viewer = front;
        scenetest::PrimitiveCounter counter;
        EXPECT_TRUE(model->drawLit(viewer, true));
        EXPECT_EQ(counter.count() * 3, model->indexCount);
    }
}

TEST_F(AnimatedModels, FileWithoutTextureCoordinatesGetsZeroCoordinatesAndTangents)
{
    std::unique_ptr<AnimatedModel> model = load(thirdParty + "glTF2/simple_skin/simple_skin.gltf");
    ASSERT_GT(model->vertexCount, 0u);
    for (GLuint v = 0; v < model->vertexCount; ++v) {
        EXPECT_EQ(model->uvs[v], glm::vec2(0.0f));
        EXPECT_EQ(model->tangents[v], glm::vec3(0.0f));
    }
}

TEST_F(AnimatedModels, SkeletonIsPrunedToTheBonesAndTheirAncestors)
{
    std::unique_ptr<AnimatedModel> robot = load(directory + "/robot.dae");
    ASSERT_EQ(robot->boneCount, 3);
    const SkeletonNode* root = robot->skeleton;
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->childCount, 1) << "Lamp and Body hold no bone";
    const SkeletonNode* armature = root->children[0];
    EXPECT_STREQ(armature->name, "Armature");
    EXPECT_EQ(armature->boneIndex, -1);
    ASSERT_EQ(armature->childCount, 1);
    const SkeletonNode* hips = armature->children[0];
    EXPECT_STREQ(hips->name, "hips");
    EXPECT_EQ(hips->boneIndex, 0);
    ASSERT_EQ(hips->childCount, 2);
    EXPECT_STREQ(hips->children[0]->name, "legL");
    EXPECT_EQ(hips->children[0]->boneIndex, 1);
    EXPECT_EQ(hips->children[1]->boneIndex, 2);
    EXPECT_EQ(hips->children[1]->childCount, 0);
    EXPECT_EQ(hips->children[0]->rotationKeyCount, 5);
    // The file holds 0.002 s; Assimp gives milliseconds, the robots' clock units.
    EXPECT_NEAR(hips->children[0]->rotationTimes[4], 2.0, 1e-6);
}

TEST_F(AnimatedModels, PosedRobotStaysOnTheFloorAndItsClipLoopsWithoutAJump)
{
    std::unique_ptr<AnimatedModel> robot = load(directory + "/robot.dae");
    ASSERT_EQ(robot->vertexCount, 9u);
    std::vector<glm::vec3> previous;
    std::vector<glm::vec3> first;
    for (int step = 0; step <= 40; ++step) {
        const double clock = 0.05 * step;
        pose(*robot, clock);
        std::vector<glm::vec3> vertices;
        float lowest = 1e9f;
        for (GLuint v = 0; v < robot->vertexCount; ++v) {
            vertices.push_back(skinned(*robot, v));
            lowest = std::min(lowest, vertices.back().y);
        }
        EXPECT_GE(lowest, -1e-4f) << "below the floor at clock " << clock;
        EXPECT_LE(lowest, 0.07f) << "floating at clock " << clock; // 1 - cos 20 degrees = 0.06
        for (GLuint v = 0; v < previous.size(); ++v)
            EXPECT_LT(glm::distance(vertices[v], previous[v]), 0.05f) << "jump at clock " << clock;
        if (step == 0)
            first = vertices;
        previous = vertices;
    }
    for (GLuint v = 0; v < robot->vertexCount; ++v)
        EXPECT_LT(glm::distance(previous[v], first[v]), 1e-4f) << "the clip's end meets its start";

    // The matrices the shader received are the ones posed above.
    pose(*robot, 0.5);
    ASSERT_TRUE(robot->drawLit(front, true));
    char name[32];
    for (int b = 0; b < robot->boneCount; ++b) {
        std::snprintf(name, sizeof name, "boneMatrices[%d]", b);
        const glm::mat4 uploaded = scenetest::uniformMatrix(animatedCameraShader->program, name);
        EXPECT_EQ(uploaded, robot->boneTransforms[b]) << name;
    }
    EXPECT_NEAR(skinned(*robot, 8).z, std::sin(glm::radians(20.0f)), 1e-4f) << "the right foot swings forward";
}

TEST_F(AnimatedModels, FilesOverTheLoaderLimitsAreRejectedLikeAFailedImport)
{
    std::vector<std::string> thirtyOne;
    std::vector<fixture::Influence> everyBone;
    for (int b = 0; b < 31; ++b) {
        thirtyOne.push_back("bone" + std::to_string(b));
        everyBone.push_back({b, 0.5f});
    }
    fixture::ColladaModel manyChildren = boneFan({"leaf"}, {{0, 1.0f}});
    for (int c = 0; c < 150; ++c)
        manyChildren.addNode("leaf", 0, true); // siblings sharing the bone's name all stay

    const struct {
        std::string file;
        fixture::ColladaModel model;
        std::string limit;
    } cases[] = {
        {"bones.dae", boneFan(thirtyOne, everyBone), "31 bones, the limit is 30"},
        {"name.dae", boneFan({std::string(150, 'n')}, {{0, 1.0f}}), "a bone name of 150 characters, the limit is 149"},
        {"children.dae", manyChildren, "a node with 151 children in the skeleton, the limit is 150"},
    };
    for (const auto& c : cases) {
        const std::string path = directory + "/" + c.file;
        fixture::writeCollada(path, c.model);
        std::string console;
        std::unique_ptr<AnimatedModel> model = load(path, &console);
        EXPECT_EQ(console, "Model rejected: " + path + ": " + c.limit + "\n");
        EXPECT_EQ(model->vertexCount, 0u);
        EXPECT_EQ(model->boneCount, 0);
        EXPECT_EQ(model->skeleton, nullptr);
        EXPECT_EQ(model->litVao, 0u);
        EXPECT_EQ(model->boneTransforms[0], glm::mat4(1.0f));
        EXPECT_EQ(model->importer.GetScene(), nullptr);
        scenetest::PrimitiveCounter counter;
        model->drawLit(front, true);
        model->draw();
        model->drawDepth(front.position, front.viewMatrix(), front.projectionMatrix(), false);
        pose(*model, 1.0);
        EXPECT_EQ(counter.count(), 0u);
    }
}

TEST_F(AnimatedModels, FailedImportLeavesAnEmptyModelAtTheGivenCentre)
{
    std::string console;
    std::unique_ptr<AnimatedModel> model = load(thirdParty + "invalid/empty.x", &console);
    EXPECT_EQ(console, "Import Failed!!!\n");
    EXPECT_EQ(model->vertexCount, 0u);
    EXPECT_EQ(model->skeleton, nullptr);
    model->translate(1, 0, 0);
    EXPECT_EQ(model->getCenter(), glm::vec3(11.0f, 0.35f, 3.0f));
    const Camera front = cameraLookingAt(glm::vec3(11, 0.35f, 3.5f), glm::vec3(11, 0.35f, 3));
    scenetest::PrimitiveCounter counter;
    model->draw();
    EXPECT_TRUE(model->drawLit(front, false)) << "the centre is in view";
    model->drawDepth(front.position, front.viewMatrix(), front.projectionMatrix(), false);
    EXPECT_EQ(counter.count(), 0u) << "an empty model draws nothing";
}

TEST_F(AnimatedModels, StaticFileHasNoSkeletonAndDrawsInItsRestPose)
{
    std::string console;
    std::unique_ptr<AnimatedModel> model = load(thirdParty + "OBJ/box.obj", &console);
    EXPECT_EQ(console, "No skeleton found in file\nmNumAnimations is not greater than 0\n");
    EXPECT_EQ(model->skeleton, nullptr);
    EXPECT_EQ(model->boneCount, 0);
    pose(*model, 1.0);

    // A robot drawn before leaves its bone 0 far off in the shared program.
    std::unique_ptr<AnimatedModel> robot = load(directory + "/robot.dae");
    robot->boneTransforms[0] = translation(40, 0, 0);
    scenetest::OffscreenTarget target(32);
    ASSERT_TRUE(target.complete());
    glEnable(GL_DEPTH_TEST);
    target.clear(0, 0, 0);
    const Camera viewer = cameraLookingAt(glm::vec3(0, 0, 6), glm::vec3(0), 32);
    robot->drawLit(viewer, true);
    target.clear(0, 0, 0);
    EXPECT_TRUE(model->drawLit(viewer, false));

    // Its front face, 5.5 from the eye, reaches 0.5 / (5.5 tan 25) of the way
    // from the centre to the edge: 3 pixels; beyond lies the black background.
    // Lit from the eye at that distance the grey face keeps about 13 of 128.
    for (glm::ivec2 at : {glm::ivec2(16, 16), glm::ivec2(14, 14), glm::ivec2(18, 18), glm::ivec2(14, 18)})
        EXPECT_GT(target.pixel(at.x, at.y).r, 5) << "the box, in its rest pose, at " << at.x << "," << at.y;
    for (glm::ivec2 at : {glm::ivec2(10, 16), glm::ivec2(22, 16), glm::ivec2(16, 10), glm::ivec2(16, 22)})
        EXPECT_EQ(target.pixel(at.x, at.y).r, 0) << "background at " << at.x << "," << at.y;
    glDisable(GL_DEPTH_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TEST_F(AnimatedModels, LitDrawUsesTheCullMarginAndTheDepthDrawTheRadius)
{
    // Radius 0.85, margin 1.5; at depth 2 the view is 0.93 wide to each side.
    std::unique_ptr<AnimatedModel> robot = load(directory + "/robot.dae");
    robot->translate(1.6, 0, 0);
    const Camera aside = cameraLookingAt(glm::vec3(0, 0.8f, 2), glm::vec3(0, 0.8f, 0));
    {
        scenetest::PrimitiveCounter counter;
        EXPECT_TRUE(robot->drawLit(aside, false)) << "the margin brings the centre into view";
        EXPECT_EQ(counter.count(), 3u);
    }
    robot->cullMargin = 0.0f;
    const scenetest::Bindings before = scenetest::currentBindings();
    scenetest::PrimitiveCounter counter;
    EXPECT_FALSE(robot->drawLit(aside, false));
    robot->drawDepth(aside.position, aside.viewMatrix(), aside.projectionMatrix(), false);
    EXPECT_EQ(counter.count(), 3u) << "the depth draw's margin is the radius";
    EXPECT_EQ(scenetest::currentBindings().texture, before.texture) << "no texture for depth";

    robot->scale(2, 3, 1);
    EXPECT_FLOAT_EQ(robot->radius, 3 * glm::length(robot->boxMax - robot->center));
}

TEST_F(AnimatedModels, CulledDrawBindsNothing)
{
    std::unique_ptr<AnimatedModel> robot = load(directory + "/robot.dae");
    const Camera away = cameraLookingAt(glm::vec3(0, 1, 6), glm::vec3(0, 1, 20));
    glUseProgram(noteShader->program);
    const scenetest::Bindings before = scenetest::currentBindings();
    scenetest::PrimitiveCounter counter;
    EXPECT_FALSE(robot->drawLit(away, false));
    robot->drawDepth(away.position, away.viewMatrix(), away.projectionMatrix(), true);
    glUseProgram(noteShader->program);
    robot->drawDepth(away.position, away.viewMatrix(), away.projectionMatrix(), false);
    EXPECT_TRUE(scenetest::currentBindings() == before);
    EXPECT_EQ(counter.count(), 3u) << "only the depth draw with culling off";
}

TEST_F(AnimatedModels, DrawsUploadTheirUniformsAndBoneMatricesInOrder)
{
    std::unique_ptr<AnimatedModel> robot = load(directory + "/robot.dae");
    const std::vector<std::string> bones = {"boneMatrices[0]", "boneMatrices[1]", "boneMatrices[2]"};
    {
        scenetest::GlCallRecorder recorder;
        ASSERT_TRUE(robot->drawLit(front, false));
        std::vector<std::string> expected = scenetest::litUniformOrder();
        expected.insert(expected.end(), bones.begin(), bones.end());
        EXPECT_EQ(recorder.names(), expected);
        EXPECT_EQ(recorder.bufferUploads(), 0);
    }
    EXPECT_FLOAT_EQ(scenetest::uniformFloat(animatedCameraShader->program, "light.ambientCoefficient"), 0.1f);
    EXPECT_EQ(robot->getShader(), animatedCameraShader);
    {
        scenetest::GlCallRecorder recorder;
        robot->draw();
        EXPECT_EQ(recorder.names(), bones);
    }
    {
        scenetest::GlCallRecorder recorder;
        robot->drawDepth(front.position, front.viewMatrix(), front.projectionMatrix(), false);
        std::vector<std::string> expected = {"modelMatrix"};
        expected.insert(expected.end(), bones.begin(), bones.end());
        EXPECT_EQ(recorder.names(), expected);
    }
}

TEST_F(AnimatedModels, PosingAndDrawingAllocateNothing)
{
    // 24 bones: names like "boneMatrices[23]" do not fit a short string.
    std::unique_ptr<AnimatedModel> model = load(thirdParty + "X/BCN_Epileptic.X");
    ASSERT_GT(model->boneCount, 10);
    const Camera away = cameraLookingAt(glm::vec3(0, 0, 500), glm::vec3(0, 0, 1000));
    long before = 0;
    for (int frame = 0; frame < 10; ++frame) {
        if (frame == 1)
            before = allocation::count(); // the first frame lets the driver build its variants
        pose(*model, 100.0 * frame);
        model->drawLit(front, true);
        model->drawLit(away, false);
        model->draw();
        model->drawDepth(front.position, front.viewMatrix(), front.projectionMatrix(), false);
    }
    glFinish();
    EXPECT_EQ(allocation::count(), before);
}

} // namespace
