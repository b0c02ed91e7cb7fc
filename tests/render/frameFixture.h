#pragma once
// A small world in the scene registry for the frame-rendering tests: the
// game's programs, solid-colour textures written as PNG files, models made
// from OBJ text, spotlights and light cones placed by the test, the
// whole-frame targets and the blur stage at the window's size. The frame runs
// through the game's own renderFrame, with the frame request the test fills
// in; each test fills what it needs and the tear-down releases the whole
// registry.

#include "app/Camera.h"
#include "app/config.h"
#include "app/shell.h"
#include "render/BlurStage.h"
#include "render/FrameViewport.h"
#include "render/LightCone.h"
#include "render/ShaderProgram.h"
#include "render/ShadowMap.h"
#include "render/Texture.h"
#include "render/FrameRequest.h"
#include "render/frameTargets.h"
#include "render/renderFrame.h"
#include "render/renderScene.h"
#include "render/shadowPasses.h"
#include "render/stackDrawOrder.h"
#include "scene/AnimatedModel.h"
#include "scene/Model.h"
#include "scene/Paper.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"
#include "scene/Skybox.h"
#include "scene/buildScene.h"
#include "scene/sceneGlSupport.h"
#include "support/ChildProcess.h"
#include "support/GlTestContext.h"
#include "support/PixelReadBack.h"

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

// A square of side 2 h in the plane y = 0, facing up.
inline std::string floorObj(float h)
{
    std::ostringstream obj;
    obj << "v " << -h << " 0 " << h << "\nv " << h << " 0 " << h << "\nv " << h << " 0 " << -h << "\nv " << -h
        << " 0 " << -h << "\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 1 0\nf 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n";
    return obj.str();
}

// A closed box between two corners with outward normals: 12 triangles. The
// n-th box of a file (from 0) numbers its corners after the boxes before it.
inline std::string boxObj(glm::vec3 low, glm::vec3 high, int n = 0)
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
        int c[4];
        for (int k = 0; k < 4; ++k)
            c[k] = faces[f][k] + 8 * n;
        const int normal = f + 1 + 6 * n;
        const int uv = 4 * n;
        obj << "f " << c[0] << '/' << uv + 1 << '/' << normal << ' ' << c[1] << '/' << uv + 2 << '/' << normal << ' '
            << c[2] << '/' << uv + 3 << '/' << normal << '\n';
        obj << "f " << c[0] << '/' << uv + 1 << '/' << normal << ' ' << c[2] << '/' << uv + 3 << '/' << normal << ' '
            << c[3] << '/' << uv + 4 << '/' << normal << '\n';
    }
    return obj.str();
}

// A closed room of half-width h and height, facing inwards, each side cut
// into cells x cells squares.
inline std::string roomObj(float h, float height, int cells)
{
    std::ostringstream obj;
    int vertices = 0;
    int normals = 0;
    auto side = [&](glm::vec3 origin, glm::vec3 across, glm::vec3 up, glm::vec3 normal) {
        obj << "vn " << normal.x << ' ' << normal.y << ' ' << normal.z << '\n';
        ++normals;
        const int first = vertices + 1;
        for (int i = 0; i <= cells; ++i)
            for (int j = 0; j <= cells; ++j) {
                const glm::vec3 p = origin + across * (float(i) / float(cells)) + up * (float(j) / float(cells));
                obj << "v " << p.x << ' ' << p.y << ' ' << p.z << "\nvt " << float(i) / float(cells) << ' '
                    << float(j) / float(cells) << '\n';
                ++vertices;
            }
        for (int i = 0; i < cells; ++i)
            for (int j = 0; j < cells; ++j) {
                const int a = first + i * (cells + 1) + j;
                const int b = a + cells + 1;
                obj << "f " << a << '/' << a << '/' << normals << ' ' << b << '/' << b << '/' << normals << ' '
                    << b + 1 << '/' << b + 1 << '/' << normals << '\n';
                obj << "f " << a << '/' << a << '/' << normals << ' ' << b + 1 << '/' << b + 1 << '/' << normals
                    << ' ' << a + 1 << '/' << a + 1 << '/' << normals << '\n';
            }
    };
    side(glm::vec3(-h, 0, -h), glm::vec3(2 * h, 0, 0), glm::vec3(0, 0, 2 * h), glm::vec3(0, 1, 0));
    side(glm::vec3(-h, height, -h), glm::vec3(2 * h, 0, 0), glm::vec3(0, 0, 2 * h), glm::vec3(0, -1, 0));
    side(glm::vec3(-h, 0, -h), glm::vec3(2 * h, 0, 0), glm::vec3(0, height, 0), glm::vec3(0, 0, 1));
    side(glm::vec3(-h, 0, h), glm::vec3(2 * h, 0, 0), glm::vec3(0, height, 0), glm::vec3(0, 0, -1));
    side(glm::vec3(-h, 0, -h), glm::vec3(0, 0, 2 * h), glm::vec3(0, height, 0), glm::vec3(1, 0, 0));
    side(glm::vec3(h, 0, -h), glm::vec3(0, 0, 2 * h), glm::vec3(0, height, 0), glm::vec3(-1, 0, 0));
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
    float renderScale = 1.0f;
    std::string directory;
    // What the frames show: by default what the title asks for (its notice
    // over the view), with the pillar stacks' boxes solid and the sky of the
    // title and level 1 once the world is populated.
    FrameRequest frame = titleFrame();

    // The frame of a level (1 to 3) as the game asks for it once its notice
    // is closed: its spotlights, and the white sky from level 2 on.
    void showLevel(int level)
    {
        frame.level = {level >= 1, level >= 2, level >= 3};
        frame.titleShown = false;
        if (level >= 2)
            frame.sky = whiteTexture;
    }

    static FrameRequest titleFrame()
    {
        FrameRequest title;
        title.titleShown = true;
        title.translucentBoxes = false;
        return title;
    }

    // Called by every test first: a window of the given size, the programs
    // and the targets.
    void openWorld(int screenWidth, int screenHeight)
    {
        width = screenWidth;
        height = screenHeight;
        // The frame's steps size the screen from the game's window settings.
        windowWidth = width;
        windowHeight = height;
        GLFWwindow* window = testing_support::glContext(width, height);
        ASSERT_NE(window, nullptr) << "no GL context: run the GL tests under xvfb-run";
        int currentWidth = 0;
        int currentHeight = 0;
        glfwGetFramebufferSize(window, &currentWidth, &currentHeight);
        if (currentWidth != width || currentHeight != height) {
            // The X server answers the resize later; the back buffer takes
            // the new size at the next swap.
            glfwSetWindowSize(window, width, height);
            for (int wait = 0; wait < 200 && (currentWidth != width || currentHeight != height); ++wait) {
                glfwWaitEventsTimeout(0.01);
                glfwGetFramebufferSize(window, &currentWidth, &currentHeight);
            }
            glfwSwapBuffers(window);
        }
        directory = testing_support::makeTempDirectory("clankora-frame");
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_POLYGON_OFFSET_FILL);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        buildShaderPrograms();
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
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glUseProgram(0);
        glActiveTexture(GL_TEXTURE0);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
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

    // Every registry global filled as the game fills it, with stand-ins for
    // the game's files: solid textures, boxes for the static models, a small
    // skinned file for the robots, and the game's spotlights, cones, stacks,
    // papers and sky box. With detailed models the house is a closed room of
    // many triangles and the robots are larger third-party meshes, closer to
    // what a level costs to draw.
    void populateStandInWorld(bool detailedModels = false)
    {
        int shade = 40;
        for (Texture** texture : {&woodBoxTexture, &metalBoxTexture, &robot1TopTexture, &robot1BottomTexture,
                 &robot3Texture, &robot4Texture, &robot6Texture, &instrumentsTexture, &jukeboxTexture, &doorTexture,
                 &helpscreenTexture, &level1Texture, &level2Texture, &containerTexture, &pinkTexture, &whiteTexture,
                 &blackTexture, &starsTexture, &houseCellarTexture, &houseFluffyTexture, &houseScifiTexture}) {
            shade += 9;
            *texture = solid("texture" + std::to_string(shade), shade, 255 - shade, (shade * 7) % 256);
        }
        skybox = new plim::scene::Skybox(glm::mat4(1.0f));
        skybox->scale(150, 150, 150);
        skybox->rotate(1, 0, 0, -90);

        const glm::vec3 stackPlaces[4] = {{4, 0, 3}, {4, 0, -3}, {-4, 0, 3}, {-4, 0, -3}};
        for (int i = 0; i < 4; ++i) {
            pillarStacks[i] = new plim::scene::PillarStack();
            pillarStacks[i]->translate(stackPlaces[i].x, stackPlaces[i].y, stackPlaces[i].z);
        }

        const std::string thirdParty = "/usr/share/assimp/models/";
        const std::string box = writeObj("box", boxObj(glm::vec3(-0.5f, 0, -0.5f), glm::vec3(0.5f, 1.5f, 0.5f)));
        const std::string room = detailedModels ? writeObj("room", roomObj(10.0f, 5.0f, 48))
                                                : writeObj("floor", floorObj(10.0f));
        const std::string robot = detailedModels ? thirdParty + "OBJ/WusonOBJ.obj" : box;
        auto placed = [](plim::scene::Model* model, glm::vec3 at) {
            model->translate(at.x, at.y, at.z);
            return model;
        };
        // The robots about a unit across, whatever size their file has.
        auto fitted = [](plim::scene::Model* model) {
            const double size = model->radius > 0.0f ? 0.8 / model->radius : 1.0;
            model->scale(size, size, size);
            return model;
        };
        auto staticModel = [&](const std::string& path, Texture* texture, ShaderProgram* program, glm::vec3 at) {
            return placed(new plim::scene::Model(glm::mat4(1.0f), path, texture, program, 0, 0, 0, 1.0f), at);
        };
        house = staticModel(box, level1Texture, cameraShader, glm::vec3(0, 0, -9));
        houseNew = staticModel(room, houseCellarTexture, cameraShader, glm::vec3(0));
        stair = staticModel(box, whiteTexture, cameraShader, glm::vec3(0, 0, 9));
        jukeboxFront = staticModel(box, pinkTexture, cameraShader, glm::vec3(4.8f, 0, -8.4f));
        robot1Bottom = fitted(staticModel(robot, robot1BottomTexture, cameraShader, glm::vec3(5, 0.35f, 1)));
        robot4 = fitted(staticModel(robot, robot4Texture, cameraShader, glm::vec3(5.5f, 1.5f, 6.8f)));
        robot5Eyes = staticModel(box, whiteTexture, transparencyShader, glm::vec3(1, 3, -2));
        jukebox = staticModel(box, jukeboxTexture, cameraShader, glm::vec3(4.8f, 0, -7.4f));
        door = staticModel(box, doorTexture, cameraShader, glm::vec3(-9, 0, 1));

        const std::string skinned
            = thirdParty + (detailedModels ? "FBX/huesitos.fbx" : "glTF2/simple_skin/simple_skin.gltf");
        auto animated = [&](Texture* texture, ShaderProgram* depthProgram, glm::vec3 at) {
            auto* model = new plim::scene::AnimatedModel(glm::mat4(1.0f), skinned, texture, depthProgram, 1.0f, 1.5f);
            model->translate(at.x, at.y, at.z);
            const double size = model->radius > 0.0f ? 0.8 / model->radius : 1.0;
            model->scale(size, size, size);
            return model;
        };
        robot1Top = animated(robot1TopTexture, animatedShadowDistancesShader, glm::vec3(5, 0.55f, 1));
        robot3 = animated(robot3Texture, animatedShadowDistancesShader, glm::vec3(-4.5f, 1.08f, -0.5f));
        flyingRobot = animated(blackTexture, shadowDistancesShader, glm::vec3(2, 3, 2));
        robot6A = animated(robot6Texture, animatedShadowDistancesShader, glm::vec3(-4.5f, 0.5f, 6.3f));
        robot6B = animated(robot6Texture, animatedShadowDistancesShader, glm::vec3(3, 1.25f, 8.9f));
        robot6C = animated(robot6Texture, animatedShadowDistancesShader, glm::vec3(-3.7f, 0.75f, -6.2f));
        robot6D = animated(robot6Texture, animatedShadowDistancesShader, glm::vec3(-3.9f, 0.45f, -7.2f));

        for (plim::scene::Paper** paper : {&helpPaper, &level1Paper, &level2Paper}) {
            Texture* picture = paper == &helpPaper ? helpscreenTexture : paper == &level1Paper ? level1Texture
                                                                                               : level2Texture;
            *paper = new plim::scene::Paper(glm::mat4(1.0f), picture);
            (*paper)->translate(0, 0, -1.5);
            (*paper)->scale(2, 2, 2);
        }

        const glm::vec3 warm(1.275f, 0.51f, 0.455f);
        const glm::vec3 blue(0.32f, 0.085f, 1.16f);
        const glm::vec3 y(0, 1, 0);
        const glm::vec3 x(1, 0, 0);
        const glm::vec3 z(0, 0, 1);
        auto light = [](glm::vec3 position, glm::vec3 direction, glm::vec3 up, glm::vec3 colour, glm::vec3 axis,
                         int size, float angle) {
            return new ShadowMap(position, direction, up, colour, axis, size, angle);
        };
        shadowMap1 = light({-4, 4, -1}, {0, -1, -1}, y, warm, y, 512, 20);
        shadowMap2 = light({0, 4.5f, 2.5f}, {-2, -2, -1}, z, warm, y, 128, 7);
        lightCone1 = coneOf(*shadowMap1, 32);
        lightCone2 = coneOf(*shadowMap2, 7);
        shadowMap3 = light({-3, 4, 7}, {-1, -1, -1}, y, warm, y, 512, 30);
        shadowMap4 = light({2, 4, 7}, {1, -1, -1}, y, blue, y, 512, 30);
        shadowMap5 = light({2, 4, -1}, {1, -1, -1}, x, warm, x, 512, 30);
        shadowMap6 = light({-1, 4.5f, 1}, {-1, -1, 1}, y, blue, y, 512, 20);
        shadowMap7 = light({3, 4.5f, 3}, {1, -1, -1}, x, warm, x, 512, 20);
        lightCone3 = coneOf(*shadowMap6, 20);
        lightCone4 = coneOf(*shadowMap7, 32);
        shadowMap8 = light({3, 4.5f, 2.5f}, {-2, -2, -1}, z, blue, y, 128, 7);
        shadowMap9 = light({1, 4.5f, 3.5f}, {-2, -2, -1}, z, warm, y, 128, 7);
        shadowMap10 = light({3, 4.5f, -1.5f}, {-2, -2, -1}, z, blue, y, 128, 7);
        lightCone5 = coneOf(*shadowMap8, 7);
        lightCone6 = coneOf(*shadowMap9, 7);
        lightCone7 = coneOf(*shadowMap10, 7);

        camera.lightPosition = glm::vec3(0, 2, 0);
        camera.lightIntensities = glm::vec3(1.0f);
        look(glm::vec3(0, 2.2f, 7.5f), glm::vec3(0, 1.2f, 0));
        buildStackDrawOrder();
        frame.sky = instrumentsTexture;
    }

    // The frame as the loop sees it: the window fills the targets, at the
    // render scale the test asks for.
    FrameViewport viewport() const { return frameViewport(width, height, width, height, renderScale); }

    // The test's frame for a frame phase and time step, at the viewport.
    FrameRequest request(int framePhase = 1, float deltaTime = 0.0f) const
    {
        FrameRequest asked = frame;
        asked.framePhase = framePhase;
        asked.deltaTime = deltaTime;
        asked.viewport = viewport();
        return asked;
    }

    // The frame loop's rendering steps, with a check for GL errors after each
    // when asked. Returns the culled count.
    int runFrame(int framePhase, float deltaTime = 0.0f, bool checkEachStep = false) const
    {
        return renderFrame(request(framePhase, deltaTime), checkEachStep ? expectNoGlErrorAfter : nullptr);
    }

    static void expectNoGlErrorAfter(const char* step)
    {
        EXPECT_EQ(testing_support::drainGlErrors(), "") << "after " << step;
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
    static glm::ivec4 screenPixel(glm::ivec2 at) { return testing_support::readColourAt(0, at.x, at.y); }

    glm::ivec4 screenAt(glm::vec3 world) const { return screenPixel(pixelOf(world)); }

    static glm::ivec4 framebufferPixel(GLuint framebuffer, glm::ivec2 at)
    {
        return testing_support::readColourAt(framebuffer, at.x, at.y);
    }
};

inline int brightness(glm::ivec4 pixel)
{
    return pixel.r + pixel.g + pixel.b;
}

} // namespace frame_testing
