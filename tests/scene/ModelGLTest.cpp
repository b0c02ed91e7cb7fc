#include "scene/Model.h"

#include "app/GameState.h"
#include "countingAllocator.h"
#include "scene/meshLoading.h"
#include "sceneGlSupport.h"
#include "support/ChildProcess.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace plim::scene;
using scenetest::cameraLookingAt;

const std::string thirdParty = "/usr/share/assimp/models/";

// A square of side 2 in the xy plane facing +z, with texture coordinates and normals.
const char* const quadObj = "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n"
                            "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n"
                            "f 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n";

class Models : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GL_CONTEXT();
        scenetest::buildScenePrograms();
        if (directory.empty()) {
            directory = testing_support::makeTempDirectory("clankora-models");
            red = scenetest::solidTexture(directory, "red", 230, 20, 20);
            green = scenetest::solidTexture(directory, "green", 20, 200, 20);
            testing_support::writeFile(directory + "/quad.obj", quadObj);
            testing_support::writeFile(directory + "/negative.obj",
                "v -3 -2 -1\nv -1 -5 -2\nv -2 -1 -4\nf 1 2 3\n");
        }
        EXPECT_NO_GL_ERROR();
    }
    void TearDown() override
    {
        EXPECT_NO_GL_ERROR();
    }

    std::unique_ptr<Model> load(const std::string& path, Texture* texture = nullptr)
    {
        return std::make_unique<Model>(
            glm::mat4(1.0f), path, texture ? texture : red, cameraShader, 30.0f, 2.28f, 10.0f, 1.0f);
    }

    // A model loaded while its console output is captured.
    std::unique_ptr<Model> loadQuietly(const std::string& path, std::string& console)
    {
        testing::internal::CaptureStdout();
        std::unique_ptr<Model> model = load(path);
        console = testing::internal::GetCapturedStdout();
        return model;
    }

    static std::string directory;
    static Texture* red;
    static Texture* green;
};

std::string Models::directory;
Texture* Models::red = nullptr;
Texture* Models::green = nullptr;

const Camera front = cameraLookingAt(glm::vec3(0, 0, 5), glm::vec3(0, 0, 0));

TEST_F(Models, OnlyTheFirstMeshOfAFileIsLoaded)
{
    const std::string path = thirdParty + "OBJ/spider.obj";
    Assimp::Importer reference;
    const aiScene* scene = reference.ReadFile(path, modelImportFlags());
    ASSERT_NE(scene, nullptr);
    ASSERT_GT(scene->mNumMeshes, 1u);

    std::unique_ptr<Model> spider = load(path);
    EXPECT_EQ(spider->vertexCount, scene->mMeshes[0]->mNumVertices);
    EXPECT_EQ(spider->indexCount, 3 * scene->mMeshes[0]->mNumFaces);
    EXPECT_NE(spider->vertexCount, scene->mMeshes[1]->mNumVertices);
    scenetest::PrimitiveCounter counter;
    EXPECT_TRUE(spider->drawLit(front, true));
    EXPECT_EQ(counter.count() * 3, spider->indexCount);
}

TEST_F(Models, FileWithoutTextureCoordinatesOrNormalsLoadsWithZeros)
{
    std::unique_ptr<Model> box = load(thirdParty + "OBJ/box.obj");
    ASSERT_GT(box->vertexCount, 0u);
    for (GLuint v = 0; v < box->vertexCount; ++v) {
        EXPECT_EQ(box->uvs[v], glm::vec2(0.0f));
        EXPECT_EQ(box->tangents[v], glm::vec3(0.0f));
        EXPECT_EQ(box->normals[v], glm::vec3(0.0f));
    }
    scenetest::PrimitiveCounter counter;
    EXPECT_TRUE(box->drawLit(front, true));
    EXPECT_EQ(counter.count() * 3, box->indexCount);
}

TEST_F(Models, FilesThatDoNotImportLeaveAnEmptyModel)
{
    // Broken files from Assimp's own set, a missing file, and a file of
    // points whose first mesh holds one-index faces.
    for (const std::string& path : {thirdParty + "invalid/malformed.obj", thirdParty + "invalid/empty.obj",
             thirdParty + "invalid/empty.3ds", directory + "/missing.obj", thirdParty + "OBJ/testpoints.obj"}) {
        std::string console;
        std::unique_ptr<Model> empty = loadQuietly(path, console);
        EXPECT_EQ(console, "Import Failed!!!\n") << path;
        EXPECT_EQ(empty->vertexCount, 0u) << path;
        EXPECT_EQ(empty->indexCount, 0u);
        EXPECT_EQ(empty->litVao, 0u);
        EXPECT_EQ(empty->positionBuffer, 0u);
        EXPECT_EQ(empty->importer.GetScene(), nullptr);

        empty->translate(1, 2, 3);
        const glm::vec3 centre = empty->getCenter();
        EXPECT_FLOAT_EQ(centre.x, 31.0f) << "the constructor's centre, placed";
        EXPECT_FLOAT_EQ(centre.y, 4.28f);
        EXPECT_FLOAT_EQ(centre.z, 13.0f);

        scenetest::PrimitiveCounter counter;
        const Camera inside = cameraLookingAt(empty->getCenter() + glm::vec3(0, 0, 0.0f), glm::vec3(0, 0, 0));
        empty->drawLit(inside, true);
        empty->draw();
        empty->drawDepth(glm::vec3(0), glm::mat4(1.0f), glm::mat4(1.0f), false);
        EXPECT_EQ(counter.count(), 0u);
        EXPECT_NO_GL_ERROR() << path;
    }
}

TEST_F(Models, BoundingBoxOfANegativeMeshAndItsSphere)
{
    std::unique_ptr<Model> model = load(directory + "/negative.obj");
    EXPECT_EQ(model->boxMax, glm::vec3(-1, -1, -1));
    EXPECT_EQ(model->boxMin, glm::vec3(-3, -5, -4));
    EXPECT_EQ(model->center, glm::vec3(-2, -3, -2.5f));
    EXPECT_FLOAT_EQ(model->radius, glm::length(glm::vec3(1, 2, 1.5f)));
}

TEST_F(Models, ScaleGrowsTheRadiusByTheLargestFactorOnly)
{
    std::unique_ptr<Model> model = load(directory + "/quad.obj");
    const float radius = model->radius;
    EXPECT_FLOAT_EQ(radius, std::sqrt(2.0f));
    model->scale(2, 3, 1);
    EXPECT_FLOAT_EQ(model->radius, 3 * radius);
    model->translate(5, 5, 5);
    model->rotate(0, 1, 0, 30);
    EXPECT_FLOAT_EQ(model->radius, 3 * radius);
    EXPECT_EQ(model->getCenter(), glm::vec3(10, 15, 5)) << "the translation follows the scale";
}

TEST_F(Models, DrawLitWithTheEyeInsideTheSphereAlwaysDraws)
{
    std::unique_ptr<Model> model = load(directory + "/quad.obj");
    model->scale(10, 10, 10); // radius about 14
    const Camera lookingAway = cameraLookingAt(glm::vec3(0, 0, 5), glm::vec3(0, 0, 50));
    scenetest::PrimitiveCounter counter;
    EXPECT_TRUE(model->drawLit(lookingAway, false));
    EXPECT_EQ(counter.count(), 2u);
}

TEST_F(Models, CulledDrawLitBindsNothingAndDrawsNothing)
{
    std::unique_ptr<Model> model = load(directory + "/quad.obj");
    const Camera lookingAway = cameraLookingAt(glm::vec3(0, 0, 5), glm::vec3(0, 0, 50));
    glUseProgram(noteShader->program);
    GLuint unrelated = 0;
    glGenVertexArrays(1, &unrelated);
    glBindVertexArray(unrelated);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, green->textureId);
    const scenetest::Bindings before = scenetest::currentBindings();
    {
        scenetest::PrimitiveCounter counter;
        EXPECT_FALSE(model->drawLit(lookingAway, false));
        EXPECT_EQ(counter.count(), 0u);
    }
    EXPECT_TRUE(scenetest::currentBindings() == before);
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &unrelated);

    scenetest::PrimitiveCounter counter;
    EXPECT_TRUE(model->drawLit(lookingAway, true)) << "the no-culling flag";
    EXPECT_EQ(counter.count(), 2u);
}

TEST_F(Models, DrawLitUploadsOnlyTheLitUniformsInOrder)
{
    std::unique_ptr<Model> model = load(directory + "/quad.obj");
    scenetest::GlCallRecorder recorder;
    ASSERT_TRUE(model->drawLit(front, false));
    EXPECT_EQ(recorder.names(), scenetest::litUniformOrder());
    EXPECT_EQ(recorder.bufferUploads(), 0);
    const GLuint program = cameraShader->program;
    EXPECT_FLOAT_EQ(scenetest::uniformFloat(program, "light.ambientCoefficient"), 0.05f);
    EXPECT_FLOAT_EQ(scenetest::uniformFloat(program, "light.attenuation"), 0.2f);
    EXPECT_FLOAT_EQ(scenetest::uniformFloat(program, "materialShininess"), 80.0f);
    EXPECT_FLOAT_EQ(scenetest::uniformFloat(program, "transparency"), 1.0f);
    EXPECT_EQ(scenetest::uniformMatrix(program, "cameraMatrix"), front.viewProjectionMatrix());
    EXPECT_EQ(model->getShader(), cameraShader);
}

TEST_F(Models, SetTextureChangesTheNextLitDrawOnly)
{
    std::unique_ptr<Model> model = load(directory + "/quad.obj");
    model->drawLit(front, false);
    EXPECT_EQ(scenetest::currentBindings().texture, GLint(red->textureId));
    model->setTexture(green);
    glBindTexture(GL_TEXTURE_2D, 0);
    model->draw();
    model->drawDepth(front.position, front.viewMatrix(), front.projectionMatrix(), false);
    EXPECT_EQ(scenetest::currentBindings().texture, 0) << "draw and drawDepth bind no texture";
    model->drawLit(front, false);
    EXPECT_EQ(scenetest::currentBindings().texture, GLint(green->textureId));
}

TEST_F(Models, DrawDepthIsCulledAgainstTheLightUnlessCullingIsOff)
{
    std::unique_ptr<Model> model = load(directory + "/quad.obj");
    model->translate(0, 0, -3);
    const Camera light = cameraLookingAt(glm::vec3(0, 10, 0), glm::vec3(0, 20, 0)); // looking away
    {
        scenetest::PrimitiveCounter counter;
        model->drawDepth(light.position, light.viewMatrix(), light.projectionMatrix(), false);
        EXPECT_EQ(counter.count(), 0u);
    }
    scenetest::PrimitiveCounter counter;
    model->drawDepth(light.position, light.viewMatrix(), light.projectionMatrix(), true);
    EXPECT_EQ(counter.count(), 2u);
    const GLuint program = shadowDistancesShader->program;
    EXPECT_EQ(scenetest::uniformMatrix(program, "modelMatrix"), model->modelMatrix);
}

TEST_F(Models, LitModelIsTexturedAndLitNotBlack)
{
    scenetest::OffscreenTarget target(32);
    ASSERT_TRUE(target.complete());
    std::unique_ptr<Model> quad = load(directory + "/quad.obj");
    Camera viewer = cameraLookingAt(glm::vec3(0, 0, 3), glm::vec3(0), 32);
    glEnable(GL_DEPTH_TEST);

    // Off to the side, so the highlight does not whiten the centre pixel.
    viewer.lightPosition = glm::vec3(2, 0, 1);
    target.clear(0, 0, 0);
    ASSERT_TRUE(quad->drawLit(viewer, false));
    const glm::ivec4 lit = target.pixel(16, 16);

    viewer.lightPosition = glm::vec3(2, 0, -1); // behind the quad: ambient only
    target.clear(0, 0, 0);
    quad->drawLit(viewer, false);
    const glm::ivec4 ambient = target.pixel(16, 16);

    // Expected about 230 * (0.05 + 0.45 * 0.5) = 63 lit and 230 * 0.05 = 11.5
    // in shadow; llvmpipe rounds each step, so the bounds are loose.
    EXPECT_GT(lit.r, 45);
    EXPECT_LT(lit.g, lit.r / 4) << "the red texture shows";
    EXPECT_LT(lit.b, lit.r / 4);
    EXPECT_GT(ambient.r, 5) << "ambient light keeps it from black";
    EXPECT_LT(ambient.r, 20);
    EXPECT_GT(lit.r, 3 * ambient.r) << "the light brightens the lit side";
}

TEST_F(Models, DrawsAllocateNothing)
{
    std::unique_ptr<Model> model = load(directory + "/quad.obj");
    const Camera away = cameraLookingAt(glm::vec3(0, 0, 5), glm::vec3(0, 0, 50));
    long before = 0;
    // The first frame lets the driver compile its variants (llvmpipe's LLVM
    // allocates then); the frames after it must not allocate at all.
    for (int frame = 0; frame < 10; ++frame) {
        if (frame == 1)
            before = allocation::count();
        model->drawLit(front, false);
        model->drawLit(away, false);
        model->draw();
        model->drawDepth(front.position, front.viewMatrix(), front.projectionMatrix(), false);
    }
    glFinish();
    EXPECT_EQ(allocation::count(), before);
}

} // namespace
