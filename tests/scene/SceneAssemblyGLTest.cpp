// The game's own scene assembly, run once in a small window of its own: every
// registry entry filled, the camera and the blur stage sized from the window,
// and every model placed as the asset tests' placement table says, so that
// table cannot drift from the game.
#include "app/Camera.h"
#include "app/config.h"
#include "app/game.h"
#include "app/shell.h"
#include "render/BlurStage.h"
#include "render/frameTargets.h"
#include "scene/AnimatedModel.h"
#include "scene/Model.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"
#include "scene/buildScene.h"

#include "assets/GameModel.h"
#include "support/AssembledScene.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

#define ENTRY(name) {#name, static_cast<const void*>(name)}

// Every pointer of the registry, by name.
std::vector<std::pair<const char*, const void*>> registryEntries()
{
    return {ENTRY(cameraShader), ENTRY(animatedCameraShader), ENTRY(projectionShader), ENTRY(toonShader),
        ENTRY(shadowDistancesShader), ENTRY(gaussianBlurShader), ENTRY(addTexturesShader), ENTRY(noteShader),
        ENTRY(lightConeShader), ENTRY(transparencyShader), ENTRY(animatedShadowDistancesShader),
        ENTRY(woodBoxTexture), ENTRY(metalBoxTexture), ENTRY(robot1TopTexture), ENTRY(robot1BottomTexture),
        ENTRY(robot3Texture), ENTRY(robot4Texture), ENTRY(robot6Texture), ENTRY(instrumentsTexture),
        ENTRY(jukeboxTexture), ENTRY(doorTexture), ENTRY(helpscreenTexture), ENTRY(level1Texture),
        ENTRY(level2Texture), ENTRY(containerTexture), ENTRY(pinkTexture), ENTRY(whiteTexture), ENTRY(blackTexture),
        ENTRY(starsTexture), ENTRY(houseCellarTexture), ENTRY(houseFluffyTexture), ENTRY(houseScifiTexture),
        ENTRY(skybox), ENTRY(house), ENTRY(houseNew), ENTRY(stair), ENTRY(jukeboxFront), ENTRY(robot1Bottom),
        ENTRY(robot4), ENTRY(robot5Eyes), ENTRY(jukebox), ENTRY(door), ENTRY(robot1Top), ENTRY(robot3),
        ENTRY(flyingRobot), ENTRY(robot6A), ENTRY(robot6B), ENTRY(robot6C), ENTRY(robot6D), ENTRY(pillarStacks[0]),
        ENTRY(pillarStacks[1]), ENTRY(pillarStacks[2]), ENTRY(pillarStacks[3]), ENTRY(helpPaper),
        ENTRY(level1Paper), ENTRY(level2Paper), ENTRY(shadowMap1), ENTRY(shadowMap2), ENTRY(shadowMap3),
        ENTRY(shadowMap4), ENTRY(shadowMap5), ENTRY(shadowMap6), ENTRY(shadowMap7), ENTRY(shadowMap8),
        ENTRY(shadowMap9), ENTRY(shadowMap10), ENTRY(lightCone1), ENTRY(lightCone2), ENTRY(lightCone3),
        ENTRY(lightCone4), ENTRY(lightCone5), ENTRY(lightCone6), ENTRY(lightCone7), ENTRY(blurStage)};
}

#undef ENTRY

// The registry's placed objects by their global's name.
const plim::scene::SceneObject* placedObject(const std::string& name)
{
    const std::pair<const char*, const plim::scene::SceneObject*> objects[] = {{"house", house},
        {"houseNew", houseNew}, {"stair", stair}, {"jukeboxFront", jukeboxFront}, {"robot1Top", robot1Top},
        {"robot1Bottom", robot1Bottom}, {"robot3", robot3}, {"robot4", robot4}, {"flyingRobot", flyingRobot},
        {"robot5Eyes", robot5Eyes}, {"robot6A", robot6A}, {"robot6B", robot6B}, {"robot6C", robot6C},
        {"robot6D", robot6D}, {"jukebox", jukebox}, {"door", door}};
    for (const auto& [global, object] : objects)
        if (name == global)
            return object;
    return nullptr;
}

// What the assembly left, one finding per line; nothing when all is well.
std::string findings()
{
    std::ostringstream out;
    for (const auto& [name, pointer] : registryEntries())
        if (!pointer)
            out << "null " << name << '\n';
    for (GLuint name : {sceneFramebuffer, sceneTexture, sceneDepthBuffer, effectFramebuffer, effectTexture})
        if (name == 0)
            out << "a whole-frame target is missing\n";
    if (camera.aspectRatio != 320.0f / 200.0f || camera.viewportWidth != 320.0f || camera.viewportHeight != 200.0f)
        out << "camera aspect " << camera.aspectRatio << " viewport " << camera.viewportWidth << "x"
            << camera.viewportHeight << '\n';
    // The whole-frame targets fit the largest view, the screen here: a
    // window resized to fill it must still fit them.
    const GLFWvidmode* screen = glfwGetVideoMode(glfwGetPrimaryMonitor());
    const int largestWidth = std::max(320, screen ? screen->width : 0);
    const int largestHeight = std::max(200, screen ? screen->height : 0);
    if (blurStage
        && (blurStage->width != blurTargetExtent(largestWidth) || blurStage->height != blurTargetExtent(largestHeight)
            || !blurStage->complete))
        out << "blur stage " << blurStage->width << "x" << blurStage->height << " complete " << blurStage->complete
            << '\n';
    if (frameTargetWidth != largestWidth || frameTargetHeight != largestHeight)
        out << "whole-frame targets " << frameTargetWidth << "x" << frameTargetHeight << '\n';
    for (const game_model::SceneModel& model : game_model::sceneModels()) {
        const plim::scene::SceneObject* object = placedObject(model.global);
        if (!object) {
            out << "no registry entry for " << model.global << '\n';
            continue;
        }
        float worst = 0.0f;
        for (int column = 0; column < 4; ++column)
            for (int row = 0; row < 4; ++row)
                worst = std::max(worst, std::fabs(object->modelMatrix[column][row] - model.placement[column][row]));
        // The same calls in single precision; 1e-3 allows the house's large factors.
        if (worst > 1e-3f)
            out << model.global << " placed differently, by up to " << worst << '\n';
    }
    // The door the player walks through is where the level check looks for it.
    const glm::vec3 doorway = door ? door->getCenter() : glm::vec3(1e9f);
    camera.position = glm::vec3(doorway.x, 2.0f, doorway.z);
    if (!isAtDoor())
        out << "the door's centre (" << doorway.x << ", " << doorway.z << ") is not at the door\n";
    return out.str();
}

TEST(SceneAssembly, FillsTheRegistrySizedForTheLargestViewAndPlacesEveryModelAsTheTableSays)
{
    EXPECT_EQ(testing_support::inAssembledScene("0\n320\n200\n0\n", [](std::ostream& out) { out << findings(); }), "");
}

} // namespace
