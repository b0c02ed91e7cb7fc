// The model writers against the importer the game uses: what is written
// is what the game reads back.
#include "GameModel.h"

#include "models/Rig.h"
#include "models/Shapes.h"
#include "models/ThreeDsWriter.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using namespace assetgen::models;

const aiScene* readBytes(Assimp::Importer& importer, const assetgen::Bytes& bytes, const char* hint)
{
    return importer.ReadFileFromMemory(bytes.data(), bytes.size(), game_model::loaderFlags, hint);
}

TEST(ThreeDsWriter, KeepsPositionsAndTextureCoordinatesAndFlatFaces)
{
    Mesh box;
    addBox(box, glm::mat4(1.0f), {-1, 2, -3}, {4, 5, 6}, UvRect{0.1f, 0.2f, 0.3f, 0.4f});
    Assimp::Importer importer;
    const aiScene* scene = readBytes(importer, writeThreeDs(box, "box", "box.png"), "3ds");
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    ASSERT_EQ(scene->mNumMeshes, 1u);
    const aiMesh* mesh = scene->mMeshes[0];
    ASSERT_EQ(mesh->mNumVertices, box.vertexCount());
    for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
        glm::vec3 p(mesh->mVertices[v].x, mesh->mVertices[v].y, mesh->mVertices[v].z);
        glm::vec2 t(mesh->mTextureCoords[0][v].x, mesh->mTextureCoords[0][v].y);
        glm::vec3 n(mesh->mNormals[v].x, mesh->mNormals[v].y, mesh->mNormals[v].z);
        // The importer may reorder vertices: find the one written here.
        bool found = false;
        for (std::size_t w = 0; w < box.vertexCount() && !found; ++w)
            found = glm::length(box.positions[w] - p) < 1e-5f && glm::length(box.uvs[w] - t) < 1e-6f
                && glm::dot(box.normals[w], n) > 0.999f;
        ASSERT_TRUE(found) << "vertex " << v << " came back changed (a smoothed normal?)";
    }
}

TEST(ThreeDsWriter, RefusesMoreVerticesThanTheFormatCounts)
{
    Mesh big;
    for (int i = 0; i < 11000; ++i)
        addBox(big, glm::mat4(1.0f), glm::vec3(float(i), 0, 0), glm::vec3(float(i) + 0.5f, 1, 1), UvRect{});
    EXPECT_THROW(writeThreeDs(big, "big", "big.png"), std::runtime_error);
}

// A two-joint arm: the upper part follows the shoulder, the lower the
// elbow.
struct Arm {
    Rig rig{glm::vec3(0.5f, 2.0f, 0.5f)};
    SkinnedRobot robot;
    Arm()
    {
        rig.addJoint("shoulder", -1, {0, 2, 0});
        rig.addJoint("elbow", 0, {0, 1, 0});
        robot.name = "arm";
        robot.rig = &rig;
        robot.mesh.bone = 0;
        addBox(robot.mesh, glm::mat4(1.0f), {-0.1f, 1, -0.1f}, {0.1f, 2, 0.1f}, UvRect{});
        robot.mesh.bone = 1;
        addBox(robot.mesh, glm::mat4(1.0f), {-0.1f, 0, -0.1f}, {0.1f, 1, 0.1f}, UvRect{});
        robot.rigToModel = glm::rotate(glm::translate(glm::mat4(1.0f), {3, 0, 1}), 0.7f, glm::vec3(1, 0, 0));
        robot.keyTimes = {0.0, 1.0, 2.0};
        robot.dance = [this](double time) {
            Pose pose = rig.restPose();
            pose[1].rotation = glm::angleAxis(float(time) * 0.5f, glm::vec3(0, 0, 1));
            return pose;
        };
    }
};

TEST(SkinnedRobotWriter, PosesAsTheGameComputesThem)
{
    Arm arm;
    Assimp::Importer importer;
    const aiScene* scene = readBytes(importer, writeSkinnedRobot(arm.robot), "dae");
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    game_model::Skin skin(scene, scene->mMeshes[0]);
    ASSERT_EQ(skin.boneNames.size(), 2u);
    // The key times come back in the game's clock units.
    const aiNodeAnim* channel = scene->mAnimations[0]->mChannels[0];
    ASSERT_EQ(channel->mNumPositionKeys, 3u);
    EXPECT_NEAR(channel->mPositionKeys[2].mTime, 2.0, 1e-6);
    std::vector<glm::vec3> rest = game_model::positionsOf(scene->mMeshes[0]);
    glm::mat4 toRig = glm::inverse(arm.robot.rigToModel);
    glm::vec3 elbow = arm.rig.rest(1);
    for (double time : {0.0, 1.0, 1.5, 2.0}) {
        std::vector<glm::vec3> posed = skin.pose(rest, time);
        // In the rig's frame the upper part holds still and the lower part
        // turns about the elbow.
        glm::quat turn = glm::angleAxis(float(time) * 0.5f, glm::vec3(0, 0, 1));
        for (std::size_t v = 0; v < rest.size(); ++v) {
            glm::vec3 before = game_model::transformPoint(toRig, rest[v]);
            glm::vec3 after = game_model::transformPoint(toRig, posed[v]);
            glm::vec3 expected = skin.ids[v][0] == 1 ? elbow + turn * (before - elbow) : before;
            ASSERT_LT(glm::length(after - expected), 1e-4f) << "vertex " << v << " at time " << time;
        }
    }
}

TEST(SkinnedRobotWriter, RefusesAJointThatNoVertexFollows)
{
    // The importer leaves such a joint out of the bone list, and the game
    // then hands its children the identity instead of its motion.
    Arm arm;
    for (glm::ivec4& ids : arm.robot.mesh.boneIds)
        ids = glm::ivec4(0);
    EXPECT_THROW(writeSkinnedRobot(arm.robot), std::runtime_error);
    Arm light;
    light.robot.mesh.blendBones(0, 0, 1, 0.1f);
    EXPECT_THROW(writeSkinnedRobot(light.robot), std::runtime_error) << "a weight under 0.2 would be dropped";
}

} // namespace
