#pragma once
// A small world in the scene registry for the frame-rendering tests: the
// game's programs, solid-colour textures written as PNG files, models made
// from OBJ text, spotlights and light cones placed by the test, the
// whole-frame targets and the blur stage at the window's size. The frame runs
// through the same steps, in the same order, as the frame loop; each test
// fills what it needs and the tear-down releases the whole registry.

#include "app/Camera.h"
#include "app/GameState.h"
#include "render/BlurStage.h"
#include "render/LightCone.h"
#include "render/ShaderProgram.h"
#include "render/ShadowMap.h"
#include "render/Texture.h"
#include "render/frameTargets.h"
#include "render/glowStep.h"
#include "render/renderScene.h"
#include "render/shadowPasses.h"
#include "render/spotlightFrame.h"
#include "render/stackDrawOrder.h"
#include "scene/AnimatedModel.h"
#include "scene/Model.h"
#include "scene/Registry.h"
#include "scene/sceneGlSupport.h"
#include "support/ChildProcess.h"
#include "support/GlTestContext.h"

#include <GLFW/glfw3.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace frame_testing {

inline std::string shader(const std::string& name)
{
    return "OpenGL/Shader/" + name;
}

// The eleven programs of the game, as scene assembly builds them.
inline void buildGamePrograms()
{
    cameraShader = new ShaderProgram(shader("camera.vert"), shader("camera.frag"));
    animatedCameraShader = new ShaderProgram(shader("animatedCamera.vert"), shader("camera.frag"));
    projectionShader = new ShaderProgram(shader("projection.vert"), shader("projection.frag"));
    toonShader = new ShaderProgram(shader("toon.vert"), shader("toon.frag"));
    shadowDistancesShader = new ShaderProgram(shader("shadowdistances.vert"), shader("shadowdistances.frag"));
    gaussianBlurShader = new ShaderProgram(shader("GaussianBlur.vert"), shader("GaussianBlur.frag"));
    addTexturesShader = new ShaderProgram(shader("note.vert"), shader("addtextures.frag"));
    noteShader = new ShaderProgram(shader("note.vert"), shader("note.frag"));
    lightConeShader = new ShaderProgram(shader("Test.vert"), shader("Test.frag"), shader("Test.geom"));
    transparencyShader = new ShaderProgram(shader("camera.vert"), shader("Transparency.frag"));
    animatedShadowDistancesShader
        = new ShaderProgram(shader("animatedshadowdistances.vert"), shader("shadowdistances.frag"));
}

// A square of side 2 h in the plane y = 0, facing up.
inline std::string floorObj(float h)
{
    std::ostringstream obj;
    obj << "v " << -h << " 0 " << h << "\nv " << h << " 0 " << h << "\nv " << h << " 0 " << -h << "\nv " << -h
        << " 0 " << -h << "\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 1 0\nf 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n";
    return obj.str();
}

// A closed box between two corners with outward normals: 12 triangles.
inline std::string boxObj(glm::vec3 low, glm::vec3 high)
{
    std::ostringstream obj;
    for (int i = 0; i < 8; ++i)
        obj << "v " << ((i & 1) ? high.x : low.x) << ' ' << ((i & 2) ? high.y : low.y) << ' '
            << ((i & 4) ? high.z : low.z) << '\n';
    obj << "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n";
    obj << "vn -1 0 0\nvn 1 0 0\nvn 0 -1 0\nvn 0 1 0\nvn 0 0 -1\nvn 0 0 1\n";
    // Corners of each face (1-based), counter-clockwise seen from outside.
    const int faces[6][4] = {{1, 5, 7, 3}, {2, 4, 8, 6}, {1, 2, 6, 5}, {3, 7, 8, 4}, {1, 3, 4, 2}, {5, 6, 8, 7}};
    for (int f = 0; f < 6; ++f) {
        const int* c = faces[f];
        const int n = f + 1;
        obj << "f " << c[0] << "/1/" << n << ' ' << c[1] << "/2/" << n << ' ' << c[2] << "/3/" << n << '\n';
        obj << "f " << c[0] << "/1/" << n << ' ' << c[2] << "/3/" << n << ' ' << c[3] << "/4/" << n << '\n';
    }
    return obj.str();
}

// A fan of the given number of small triangles around (0, 0, 0) in the xz plane.
inline std::string fanObj(int triangles)
{
    std::ostringstream obj;
    obj << "v 0 0 0\n";
    for (int i = 0; i <= triangles; ++i) {
        const float angle = 6.2831853f * static_cast<float>(i) / static_cast<float>(triangles + 1);
        obj << "v " << 0.5f * std::cos(angle) << " 0 " << 0.5f * std::sin(angle) << '\n';
    }
    obj << "vn 0 1 0\n";
    for (int i = 0; i < triangles; ++i)
        obj << "f 1//1 " << i + 2 << "//1 " << i + 3 << "//1\n";
    return obj.str();
}

class FrameTest : public ::testing::Test {
protected:
    int width = 160;
    int height = 120;
    std::string directory;

    // Called by every test first: a window of the given size, the programs
    // and the targets.
    void openWorld(int windowWidth, int windowHeight)
    {
        width = windowWidth;
        height = windowHeight;
        GLFWwindow* window = testing_support::glContext(width, height);
        ASSERT_NE(window, nullptr) << "no GL context: run the GL tests under xvfb-run";
        int currentWidth = 0;
        int currentHeight = 0;
        glfwGetFramebufferSize(window, &currentWidth, &currentHeight);
        if (currentWidth != width || currentHeight != height) {
            glfwSetWindowSize(window, width, height);
            glfwPollEvents();
        }
        directory = testing_support::makeTempDirectory("clankora-frame");
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_POLYGON_OFFSET_FILL);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        buildGamePrograms();
        blurStage = new BlurStage(blurTargetExtent(width), blurTargetExtent(height));
        createFrameTargets(width, height);
        // GL leaves new storage undefined; the first frame's composition
        // reads the blur stage's last target.
        for (GLuint framebuffer : {blurStage->framebuffers[0], blurStage->framebuffers[1], blurStage->framebuffers[2],
                 sceneFramebuffer, effectFramebuffer}) {
            glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        }
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        camera = Camera();
        camera.aspectRatio = static_cast<float>(width) / static_cast<float>(height);
        camera.viewportWidth = static_cast<float>(width);
        camera.viewportHeight = static_cast<float>(height);
        ASSERT_EQ(testing_support::drainGlErrors(), "");
    }

    void TearDown() override
    {
        if (!testing_support::glContext())
            return;
        releaseRegistry();
        stackDrawOrder.clear();
        setDepthPassObserver(nullptr);
        resetFlags();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glUseProgram(0);
        glActiveTexture(GL_TEXTURE0);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }

    static void resetFlags()
    {
        for (bool* flag : {&introStarted, &levelOneStarted, &levelTwo, &levelThree, &levelTwoNoticeDismissed,
                 &levelThreeNoticeDismissed, &puzzleSolved, &levelTwoSolved, &helpVisible, &wireframe,
                 &frustumCullingOff, &reportCulledCount, &transparencyFlag})
            *flag = false;
        culledObjectCount = 0;
    }

    Texture* solid(const std::string& name, int red, int green, int blue)
    {
        return scenetest::solidTexture(directory, name, red, green, blue);
    }

    std::string writeObj(const std::string& name, const std::string& text)
    {
        const std::string path = directory + "/" + name + ".obj";
        testing_support::writeFile(path, text);
        return path;
    }

    plim::scene::Model* model(const std::string& name, const std::string& obj, Texture* texture,
        ShaderProgram* program = nullptr)
    {
        return new plim::scene::Model(glm::mat4(1.0f), writeObj(name, obj), texture,
            program ? program : cameraShader, 0.0f, 0.0f, 0.0f, 1.0f);
    }

    // A spotlight at the position, pointing along the direction, white unless
    // told otherwise.
    static ShadowMap* spotlight(glm::vec3 position, glm::vec3 direction, float angle, int size = 512,
        glm::vec3 colour = glm::vec3(1.0f), glm::vec3 up = glm::vec3(0, 0, 1))
    {
        return new ShadowMap(position, direction, up, colour, glm::vec3(0, 1, 0), size, angle);
    }

    static LightCone* coneOf(const ShadowMap& light, int gridSize)
    {
        return new LightCone(
            gridSize, light.getPosition(), light.getDirection(), light.getAngleCosine(), light.getIntensities());
    }

    void look(glm::vec3 eye, glm::vec3 target)
    {
        camera.position = eye;
        camera.faceTowards(target);
    }

    // The frame loop's steps 4 to 11, with a check for GL errors after each
    // when asked.
    void runFrame(int framePhase, float deltaTime = 0.0f, bool checkEachStep = false)
    {
        auto step = [checkEachStep](const char* name) {
            if (checkEachStep) {
                EXPECT_EQ(testing_support::drainGlErrors(), "") << "after " << name;
            }
        };
        turnSpotlights(deltaTime);
        step("turnSpotlights");
        uploadShadowMatrices();
        step("uploadShadowMatrices");
        refreshStackDrawOrder();
        step("refreshStackDrawOrder");
        renderShadowPasses(framePhase);
        step("renderShadowPasses");
        glPolygonOffset(0.0f, 1.0f);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDrawBuffer(GL_BACK);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        useCameraShader();
        glViewport(0, 0, width, height);
        step("preparing the default framebuffer");
        renderScene();
        step("renderScene");
        renderGlowForNextFrame();
        step("renderGlowForNextFrame");
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDrawBuffer(GL_BACK);
        step("binding the default framebuffer");
    }

    // Two frames, so that the composition of the second shows the first
    // one's glow and every level-1 map has had its pass.
    void runTwoFrames()
    {
        runFrame(1);
        runFrame(0);
    }

    // The screen pixel where a world point lands, rows from the bottom.
    glm::ivec2 pixelOf(glm::vec3 world) const
    {
        const glm::vec4 clip = camera.viewProjectionMatrix() * glm::vec4(world, 1.0f);
        const glm::vec3 ndc = glm::vec3(clip) / clip.w;
        return glm::ivec2(static_cast<int>((ndc.x * 0.5f + 0.5f) * static_cast<float>(width)),
            static_cast<int>((ndc.y * 0.5f + 0.5f) * static_cast<float>(height)));
    }

    // What the screen (the default framebuffer's back buffer) shows.
    static glm::ivec4 screenPixel(glm::ivec2 at)
    {
        unsigned char rgba[4] = {};
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(at.x, at.y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return glm::ivec4(rgba[0], rgba[1], rgba[2], rgba[3]);
    }

    glm::ivec4 screenAt(glm::vec3 world) const { return screenPixel(pixelOf(world)); }

    static glm::ivec4 framebufferPixel(GLuint framebuffer, glm::ivec2 at)
    {
        unsigned char rgba[4] = {};
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(at.x, at.y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        return glm::ivec4(rgba[0], rgba[1], rgba[2], rgba[3]);
    }
};

inline int brightness(glm::ivec4 pixel)
{
    return pixel.r + pixel.g + pixel.b;
}

} // namespace frame_testing
