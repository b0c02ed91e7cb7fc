#include "scene/AnimatedModel.h"
#include "scene/Cube.h"
#include "scene/Model.h"
#include "scene/Paper.h"
#include "scene/Pillar.h"
#include "scene/PillarStack.h"
#include "scene/Skybox.h"

#include "colladaFixture.h"
#include "sceneGlSupport.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace plim::scene;
using scenetest::liveGlObjects;

const std::string thirdParty = "/usr/share/assimp/models/";

class Lifetimes : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GL_CONTEXT();
        scenetest::buildScenePrograms();
        if (directory.empty()) {
            directory = testing_support::makeTempDirectory("clankora-lifetimes");
            texture = scenetest::solidTexture(directory, "white", 255, 255, 255);
            metalBoxTexture = woodBoxTexture = containerTexture = texture;
            fixture::ColladaModel tooManyBones;
            for (int b = 0; b < 31; ++b)
                tooManyBones.addBone(tooManyBones.addNode("b" + std::to_string(b), -1, true));
            tooManyBones.addTriangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {{0, 1.0f}, {30, 0.5f}});
            fixture::writeCollada(directory + "/tooManyBones.dae", tooManyBones);
        }
        EXPECT_NO_GL_ERROR();
    }

    // Creates, draws once and deletes an object; no GL object may outlive it.
    void expectNothingLeftBehind(const std::string& what, const std::function<SceneObject*()>& create)
    {
        const scenetest::GlObjectCensus before = liveGlObjects();
        testing::internal::CaptureStdout();
        SceneObject* object = create();
        testing::internal::GetCapturedStdout();
        object->draw();
        const scenetest::GlObjectCensus during = liveGlObjects();
        delete object; // through the base pointer
        glFinish();
        EXPECT_EQ(liveGlObjects(), before) << what << " left GL objects behind; while alive " << during;
        EXPECT_NO_GL_ERROR() << what;
    }

    static std::string directory;
    static Texture* texture;
};

std::string Lifetimes::directory;
Texture* Lifetimes::texture = nullptr;

TEST_F(Lifetimes, EveryClassReleasesWhatItCreated)
{
    const glm::mat4 identity(1.0f);
    expectNothingLeftBehind("Model", [&] {
        return new Model(identity, thirdParty + "OBJ/spider.obj", texture, cameraShader, 0, 0, 0, 1);
    });
    expectNothingLeftBehind("empty Model", [&] {
        return new Model(identity, thirdParty + "invalid/malformed.obj", texture, cameraShader, 0, 0, 0, 1);
    });
    expectNothingLeftBehind("AnimatedModel", [&] {
        return new AnimatedModel(identity, thirdParty + "FBX/huesitos.fbx", texture, animatedShadowDistancesShader, 1, 1);
    });
    expectNothingLeftBehind("rejected AnimatedModel", [&] {
        return new AnimatedModel(
            identity, directory + "/tooManyBones.dae", texture, animatedShadowDistancesShader, 1, 1);
    });
    expectNothingLeftBehind("Cube", [&] { return new Cube(identity, cameraShader, shadowDistancesShader, texture); });
    expectNothingLeftBehind("Paper", [&] { return new Paper(identity, texture); });
    expectNothingLeftBehind("Skybox", [&] { return new Skybox(identity); });
    expectNothingLeftBehind(
        "Pillar", [&] { return new Pillar(identity, cameraShader, shadowDistancesShader, texture, 1, 1, 1); });
}

TEST_F(Lifetimes, CreatedObjectsReallyOwnGlObjects)
{
    // Guards the census itself: a live paper holds a program, two shaders,
    // four buffers and a vertex array.
    const scenetest::GlObjectCensus before = liveGlObjects();
    Paper paper(glm::mat4(1.0f), texture);
    const scenetest::GlObjectCensus during = liveGlObjects();
    EXPECT_EQ(during.programs, before.programs + 1);
    EXPECT_EQ(during.shaders, before.shaders + 2);
    EXPECT_EQ(during.buffers, before.buffers + 4);
    EXPECT_EQ(during.vertexArrays, before.vertexArrays + 1);
}

TEST_F(Lifetimes, PillarStackReleasesItsPillarsAndPole)
{
    const scenetest::GlObjectCensus before = liveGlObjects();
    auto* stack = new PillarStack();
    EXPECT_EQ(liveGlObjects().vertexArrays, before.vertexArrays + 8);
    delete stack;
    EXPECT_EQ(liveGlObjects(), before);
}

TEST_F(Lifetimes, ReleasingTheRegistryDeletesProgramsSceneObjectsAndTextures)
{
    scenetest::releaseScenePrograms();
    delete texture;
    texture = nullptr;
    metalBoxTexture = woodBoxTexture = containerTexture = nullptr;
    glUseProgram(0); // a deleted program that is still current lives on until unbound
    const scenetest::GlObjectCensus empty = liveGlObjects();

    scenetest::buildScenePrograms();
    metalBoxTexture = scenetest::solidTexture(directory, "metal", 1, 2, 3);
    woodBoxTexture = scenetest::solidTexture(directory, "wood", 1, 2, 3);
    containerTexture = scenetest::solidTexture(directory, "container", 1, 2, 3);
    skybox = new Skybox(glm::mat4(1.0f));
    house = new Model(glm::mat4(1.0f), thirdParty + "OBJ/box.obj", metalBoxTexture, cameraShader, 0, 0, 0, 1);
    testing::internal::CaptureStdout();
    robot6A = new AnimatedModel(glm::mat4(1.0f), thirdParty + "X/anim_test.x", woodBoxTexture,
        animatedShadowDistancesShader, 1, 1);
    testing::internal::GetCapturedStdout();
    for (PillarStack*& stack : pillarStacks)
        stack = new PillarStack();
    helpPaper = new Paper(glm::mat4(1.0f), containerTexture);

    releaseRegistry();
    EXPECT_EQ(skybox, nullptr);
    EXPECT_EQ(house, nullptr);
    EXPECT_EQ(robot6A, nullptr);
    EXPECT_EQ(pillarStacks[3], nullptr);
    EXPECT_EQ(helpPaper, nullptr);
    EXPECT_EQ(cameraShader, nullptr);
    EXPECT_EQ(metalBoxTexture, nullptr);
    // The animated model made its depth program current while building.
    glUseProgram(0);
    EXPECT_EQ(liveGlObjects(), empty);
    EXPECT_NO_GL_ERROR();
}

} // namespace
