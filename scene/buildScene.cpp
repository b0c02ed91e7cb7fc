#include "scene/buildScene.h"

#include "app/Camera.h"
#include "render/BlurStage.h"
#include "render/LightCone.h"
#include "render/ShaderProgram.h"
#include "render/ShadowMap.h"
#include "render/Texture.h"
#include "render/frameTargets.h"
#include "scene/AnimatedModel.h"
#include "scene/Model.h"
#include "scene/Paper.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"
#include "scene/Skybox.h"
#include "sound/SoundSystem.h"
#include "sound/songs.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>


namespace {

using plim::scene::AnimatedModel;
using plim::scene::Model;
using plim::scene::Paper;

const glm::mat4 identity(1.0f);

// World units across a piece of the room (MeshObject::divideIntoPieces).
constexpr float roomPieceSize = 1.0f;

void loadTextures()
{
    woodBoxTexture = new Texture("OpenGL/Textures/woodBox2.jpg");
    metalBoxTexture = new Texture("OpenGL/Textures/metalBox.jpg");
    robot1TopTexture = new Texture("Model/robots/TexRobot1_top.jpg");
    robot1BottomTexture = new Texture("Model/robots/TexRobot1_bottom.jpg");
    robot3Texture = new Texture("Model/robots/TexRobot3.jpg");
    robot4Texture = new Texture("Model/robots/TexRobot4.jpg");
    robot6Texture = new Texture("Model/robots/TexRobot6_diffuse.jpg");
    instrumentsTexture = new Texture("OpenGL/Textures/instruments.jpg");
    jukeboxTexture = new Texture("Model/miscellaneous/Jukebox_D.jpg");
    doorTexture = new Texture("Model/door/tex/specular.jpg");
    helpscreenTexture = new Texture("OpenGL/Textures/Helpscreen.png");
    level1Texture = new Texture("OpenGL/Textures/Level1.png");
    level2Texture = new Texture("OpenGL/Textures/Level2.png");
    containerTexture = new Texture("OpenGL/Textures/container04.jpg");
    pinkTexture = new Texture("OpenGL/Textures/pink.png");
    whiteTexture = new Texture("OpenGL/Textures/white.png");
    blackTexture = new Texture("OpenGL/Textures/black.png");
    starsTexture = new Texture("OpenGL/Textures/stars.jpg");
    houseCellarTexture = new Texture("Model/house/TexHouseCellar.jpg");
    houseFluffyTexture = new Texture("Model/house/TexHouseFluffy.jpg");
    houseScifiTexture = new Texture("Model/house/TexHouseScifi.jpg");
}

void createSongs()
{
    const std::string folder = "OpenGL/WAVE/";
    triphopDrumSong = soundSystem.createSong(folder + "triphopDrum.mp3");
    funkDrumSong = soundSystem.createSong(folder + "funkDrum.mp3");
    tropicalSoundSong = soundSystem.createSong(folder + "tropicalSound.mp3");
    guitarSoundSong = soundSystem.createSong(folder + "guitarSound.mp3");
    noiseSound1Song = soundSystem.createSong(folder + "noiseSound1.mp3");
    synthBassSong = soundSystem.createSong(folder + "synthBass.mp3");
    coolSynthSong = soundSystem.createSong(folder + "coolSynth.mp3");
    smoothSynthSong = soundSystem.createSong(folder + "smoothSynth.mp3");
    drum1Song = soundSystem.createSong(folder + "Song2/Drum1.mp3");
    guitar1Song = soundSystem.createSong(folder + "Song2/Guitar1.mp3");
    voice1Song = soundSystem.createSong(folder + "Song2/Voice1.mp3");
    voice2Song = soundSystem.createSong(folder + "Song2/Voice2.mp3");
    completeSong2 = soundSystem.createSong(folder + "Song2/completeSong2.mp3");
    evilLaughSong = soundSystem.createSong(folder + "evilLaugh.mp3");
    outroSong = soundSystem.createSong(folder + "outro.mp3");
}

void placeCameraForTheIntro(glm::ivec2 window)
{
    camera.position = glm::vec3(48.6f, 25.0f, -18.74f);
    camera.faceTowards(glm::vec3(49.6f, 25.0f, -18.74f));
    camera.lightPosition = glm::vec3(0.0f, 2.0f, 0.0f);
    camera.lightIntensities = glm::vec3(1.0f, 1.0f, 1.0f);
    camera.aspectRatio = static_cast<float>(window.x) / static_cast<float>(window.y);
    camera.viewportWidth = static_cast<float>(window.x);
    camera.viewportHeight = static_cast<float>(window.y);
}

void createPillarStacks()
{
    const glm::vec3 places[4] = {{4, 0, 3}, {4, 0, -3}, {-4, 0, 3}, {-4, 0, -3}};
    for (int i = 0; i < 4; ++i) {
        pillarStacks[i] = new plim::scene::PillarStack();
        pillarStacks[i]->translate(places[i].x, places[i].y, places[i].z);
    }
}

Model* staticModel(const char* path, Texture* texture, ShaderProgram* program, glm::vec3 centre)
{
    return new Model(identity, path, texture, program, centre.x, centre.y, centre.z, 1.0f);
}

AnimatedModel* animatedModel(const char* path, Texture* texture, ShaderProgram* depthProgram, float cullMargin)
{
    return new AnimatedModel(identity, path, texture, depthProgram, 1.0f, cullMargin);
}

// The house, its furniture and the robots, each placed by calls that multiply on the right.
void createModels()
{
    const glm::vec3 houseCentre(30.0f, 2.28f, 10.0f);
    const glm::vec3 origin(0.0f);

    house = staticModel("Model/house/house.3ds", level1Texture, cameraShader, houseCentre);
    house->translate(0, 4.5, 0);
    house->scale(0.25, 0.2, 0.25);
    house->rotate(1, 0, 0, -90);

    houseNew = staticModel("Model/house/house_new_flipped.obj", houseCellarTexture, cameraShader, houseCentre);
    houseNew->scale(19.9, 10, 19.9);
    houseNew->translate(-0.0006, 0.024, 0.03);
    houseNew->rotate(1, 0, 0, 0);
    // The room fills most of the view: in pieces each cone lights only the
    // part it reaches.
    houseNew->divideIntoPieces(roomPieceSize);

    stair = staticModel("Model/house/Stair.obj", whiteTexture, cameraShader, houseCentre);
    stair->translate(0, 0, 9);
    stair->scale(2.5, 0.5, 0.5);

    jukeboxFront = staticModel("Model/miscellaneous/jukeboxFront_flipped2.obj", pinkTexture, cameraShader, origin);
    jukeboxFront->translate(4.8, 0, -8.4);
    jukeboxFront->rotate(0, 1, 0, -45);

    robot1Top = animatedModel("Model/robots/Robot1_merged_animated_top.dae", robot1TopTexture,
        animatedShadowDistancesShader, 1.5f);
    robot1Top->translate(5, 0.55, 1);
    robot1Top->scale(0.3, 0.5, 0.3);

    robot1Bottom =
        staticModel("Model/robots/Robot1_merged_animated_bottom.obj", robot1BottomTexture, cameraShader, origin);
    robot1Bottom->translate(5, 0.35, 1);
    robot1Bottom->scale(0.3, 0.5, 0.3);

    robot3 = animatedModel("Model/robots/Robot3_1.dae", robot3Texture, animatedShadowDistancesShader, 2.0f);
    robot3->translate(-4.5, 1.08, -0.5);
    robot3->scale(0.5, 0.7, 0.5);
    robot3->rotate(1, 0, 0, -90);

    robot4 = staticModel("Model/robots/Robot4.obj", robot4Texture, cameraShader, origin);
    robot4->translate(5.5, 1.5, 6.8);
    robot4->scale(0.25, 0.25, 0.25);
    robot4->rotate(0, 1, 0, 45);

    // The placement values are floats widened to double, as written.
    flyingRobot = animatedModel("Model/robots/vok_merged.dae", blackTexture, shadowDistancesShader, 2.0f);
    flyingRobot->translate(52.6f, 11, -18.74f);
    flyingRobot->scale(0.65, 0.65, 0.65);
    flyingRobot->rotate(1, 0, 0, -90);
    flyingRobot->rotate(0, 0, 1, 270);

    robot5Eyes = staticModel("Model/robots/Robot5Eyes.obj", whiteTexture, transparencyShader, origin);
    robot5Eyes->translate(52.54f, 10.44f, -18.74f);
    robot5Eyes->scale(0.95, 0.85, 0.65);
    robot5Eyes->rotate(0, 1, 0, 270);

    const char* dancer = "Model/robots/Robot6_animated3.dae";
    robot6A = animatedModel(dancer, robot6Texture, animatedShadowDistancesShader, 1.0f);
    robot6A->translate(-4.5, 0.5, 6.3);
    robot6A->rotate(1, 0, 0, -90);
    robot6A->rotate(0, 0, 1, 135);

    robot6B = animatedModel(dancer, robot6Texture, animatedShadowDistancesShader, 1.0f);
    robot6B->translate(3, 1.25, 8.9);
    robot6B->scale(1, 1, 1);
    robot6B->rotate(1, 0, 0, -90);
    robot6B->rotate(0, 0, 1, 225);

    robot6C = animatedModel(dancer, robot6Texture, animatedShadowDistancesShader, 1.0f);
    robot6C->translate(-3.7, 0.75, -6.2);
    robot6C->scale(1, 1.5, 1);
    robot6C->rotate(1, 0, 0, -90);
    robot6C->rotate(0, 0, 1, 82);

    robot6D = animatedModel(dancer, robot6Texture, animatedShadowDistancesShader, 1.0f);
    robot6D->translate(-3.9, 0.45, -7.2);
    robot6D->scale(1.1, 0.9, 1.1);
    robot6D->rotate(1, 0, 0, -90);
    robot6D->rotate(0, 0, 1, 48);

    jukebox = staticModel("Model/miscellaneous/Jukebox.dae", jukeboxTexture, cameraShader, origin);
    jukebox->translate(4.8, 0, -8.4);
    jukebox->rotate(1, 0, 0, -90);
    jukebox->rotate(0, 0, 1, -45);

    door = staticModel("Model/door/Door.obj", doorTexture, cameraShader, origin);
    door->scale(0.009, 0.009, 0.009);
    door->rotate(0, 1, 0, 90);
    door->translate(-1085, 140, 1);
}

Paper* notice(Texture* texture)
{
    Paper* paper = new Paper(identity, texture);
    paper->translate(0, 0, -1.5);
    paper->scale(2, 2, 2);
    return paper;
}

LightCone* coneOf(const ShadowMap& light, int gridSize)
{
    return new LightCone(gridSize, light.getPosition(), light.getDirection(), light.getAngleCosine(),
        light.getIntensities());
}

void createSpotlightsAndCones()
{
    const glm::vec3 warm(1.275f, 0.51f, 0.455f);
    const glm::vec3 blue(0.32f, 0.085f, 1.16f);
    const glm::vec3 yAxis(0, 1, 0);
    const glm::vec3 xAxis(1, 0, 0);
    const glm::vec3 zUp(0, 0, 1);
    shadowMap1 = new ShadowMap({-4, 4, -1}, {0, -1, -1}, yAxis, warm, yAxis, 512, 20);
    shadowMap2 = new ShadowMap({0, 4.5f, 2.5f}, {-2, -2, -1}, zUp, warm, yAxis, 128, 7);
    lightCone1 = coneOf(*shadowMap1, 32);
    lightCone2 = coneOf(*shadowMap2, 7);
    shadowMap3 = new ShadowMap({-3, 4, 7}, {-1, -1, -1}, yAxis, warm, yAxis, 512, 30);
    shadowMap4 = new ShadowMap({2, 4, 7}, {1, -1, -1}, yAxis, blue, yAxis, 512, 30);
    shadowMap5 = new ShadowMap({2, 4, -1}, {1, -1, -1}, xAxis, warm, xAxis, 512, 30);
    shadowMap6 = new ShadowMap({-1, 4.5f, 1}, {-1, -1, 1}, yAxis, blue, yAxis, 512, 20);
    shadowMap7 = new ShadowMap({3, 4.5f, 3}, {1, -1, -1}, xAxis, warm, xAxis, 512, 20);
    lightCone3 = coneOf(*shadowMap6, 20);
    lightCone4 = coneOf(*shadowMap7, 32);
    shadowMap8 = new ShadowMap({3, 4.5f, 2.5f}, {-2, -2, -1}, zUp, blue, yAxis, 128, 7);
    shadowMap9 = new ShadowMap({1, 4.5f, 3.5f}, {-2, -2, -1}, zUp, warm, yAxis, 128, 7);
    shadowMap10 = new ShadowMap({3, 4.5f, -1.5f}, {-2, -2, -1}, zUp, blue, yAxis, 128, 7);
    lightCone5 = coneOf(*shadowMap8, 7);
    lightCone6 = coneOf(*shadowMap9, 7);
    lightCone7 = coneOf(*shadowMap10, 7);
}

// The size asked for, within what the renderer can allocate.
glm::ivec2 frameTargetSize(glm::ivec2 asked)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    if (largest <= 0)
        return asked;
    return glm::min(asked, glm::ivec2(largest));
}

} // namespace

void buildShaderPrograms()
{
    const std::string folder = "OpenGL/Shader/";
    cameraShader = new ShaderProgram(folder + "camera.vert", folder + "camera.frag");
    animatedCameraShader = new ShaderProgram(folder + "animatedCamera.vert", folder + "camera.frag");
    projectionShader = new ShaderProgram(folder + "projection.vert", folder + "projection.frag");
    toonShader = new ShaderProgram(folder + "toon.vert", folder + "toon.frag");
    shadowDistancesShader = new ShaderProgram(folder + "shadowdistances.vert", folder + "shadowdistances.frag");
    gaussianBlurShader = new ShaderProgram(folder + "GaussianBlur.vert", folder + "GaussianBlur.frag");
    addTexturesShader = new ShaderProgram(folder + "note.vert", folder + "addtextures.frag");
    noteShader = new ShaderProgram(folder + "note.vert", folder + "note.frag");
    lightConeShader = new ShaderProgram(folder + "Test.vert", folder + "Test.frag", folder + "Test.geom");
    transparencyShader = new ShaderProgram(folder + "camera.vert", folder + "Transparency.frag");
    animatedShadowDistancesShader =
        new ShaderProgram(folder + "animatedshadowdistances.vert", folder + "shadowdistances.frag");
    for (int slots = 0; slots < 5; ++slots)
        cameraSlotShaders[slots] = new ShaderProgram(folder + "camera.vert", folder + "camera.frag",
            ShaderProgram::Defines{"#define SLOT_COUNT " + std::to_string(slots) + "\n"});
}

void buildScene(GLFWwindow* window, glm::ivec2 windowSize, glm::ivec2 targetSize)
{
    glEnable(GL_DEPTH_TEST);
    glfwSetWindowTitle(window, "Clankora");
    buildShaderPrograms();
    loadTextures();
    skybox = new plim::scene::Skybox(identity);
    skybox->scale(150, 150, 150);
    skybox->rotate(1, 0, 0, -90);
    createSongs();
    const glm::ivec2 targets = frameTargetSize(targetSize);
    blurStage = new BlurStage(blurTargetExtent(targets.x), blurTargetExtent(targets.y));
    placeCameraForTheIntro(windowSize);
    createPillarStacks();
    createModels();
    helpPaper = notice(helpscreenTexture);
    level1Paper = notice(level1Texture);
    level2Paper = notice(level2Texture);
    createSpotlightsAndCones();
    createFrameTargets(targets.x, targets.y);
}
