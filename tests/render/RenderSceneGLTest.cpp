// The frame rendering as a whole: the culled count and its console line, the
// wireframe path without composition, the notices over the finished frame at
// two window shapes, a whole frame of every level without a GL error, and the
// GL state the frame leaves behind.
#include "frameFixture.h"
#include "app/GameState.h"
#include "app/game.h"
#include "scene/Pillar.h"
#include "scene/countingAllocator.h"
#include "sound/SoundSystem.h"
#include "sound/songs.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <glm/gtc/type_ptr.hpp>

#include <cmath>
#include <filesystem>
#include <iostream>

namespace {

using frame_testing::boxObj;
using frame_testing::brightness;
using frame_testing::floorObj;

class RenderScene : public frame_testing::FrameTest {
protected:
    void SetUp() override { openWorld(160, 120); }

    // Primitives that reached the rasteriser in one renderScene call.
    GLuint primitivesOfRenderScene() const
    {
        scenetest::PrimitiveCounter counter;
        renderScene(request());
        return counter.count();
    }
};

TEST_F(RenderScene, ObjectsBehindTheCameraAreCountedAndReported)
{
    Texture* grey = whiteTexture = solid("grey", 200, 200, 200);
    const std::string box = writeObj("box", boxObj(glm::vec3(-0.5f), glm::vec3(0.5f)));
    auto at = [&](glm::vec3 place) {
        auto* object = new plim::scene::Model(glm::mat4(1.0f), box, grey, cameraShader, 0, 0, 0, 1.0f);
        object->translate(place.x, place.y, place.z);
        return object;
    };
    house = at(glm::vec3(0, 1, 0));           // in view
    stair = at(glm::vec3(0, 1, 12));          // behind the camera
    robot1Bottom = at(glm::vec3(0.5f, 1, 20)); // behind the camera
    door = at(glm::vec3(-60, 1, 0));          // far off to the left
    look(glm::vec3(0, 1, 5), glm::vec3(0, 1, 0));
    frame.reportCulled = true;

    prepareDefaultFramebuffer(viewport());
    testing::internal::CaptureStdout();
    const GLuint culledFrame = primitivesOfRenderScene();
    prepareDefaultFramebuffer(viewport());
    const int culled = renderScene(request());
    std::cout.flush();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "3Objects culled\n3Objects culled\n")
        << "every frame, without a space";
    EXPECT_EQ(culled, 3);

    frame.cullingOff = true;
    prepareDefaultFramebuffer(viewport());
    testing::internal::CaptureStdout();
    const GLuint everythingFrame = primitivesOfRenderScene();
    std::cout.flush();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "0Objects culled\n");
    EXPECT_EQ(everythingFrame - culledFrame, 3u * 12u) << "the three culled boxes are drawn with culling off";

    frame.reportCulled = false;
    frame.cullingOff = false;
    prepareDefaultFramebuffer(viewport());
    testing::internal::CaptureStdout();
    const int counted = renderScene(request());
    std::cout.flush();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "nothing is written unless asked";
    EXPECT_EQ(counted, 3) << "the count is kept all the same";
    EXPECT_NO_GL_ERROR();
}

TEST_F(RenderScene, CompositionAddsLastFramesGlowUnlessWireframe)
{
    whiteTexture = solid("grey", 200, 200, 200);
    house = model("floor", floorObj(5), whiteTexture);
    look(glm::vec3(0, 3, 5), glm::vec3(0, 0, 0));
    camera.lightPosition = glm::vec3(0, 2, 0);
    camera.lightIntensities = glm::vec3(1.0f);
    const glm::ivec2 floorPixel = pixelOf(glm::vec3(0, 0, 0));
    const glm::ivec2 skyPixel(width / 2, height - 2);

    // Last frame's blurred glow: a flat blue.
    auto presetGlow = [] {
        glBindFramebuffer(GL_FRAMEBUFFER, blurStage->framebuffers[2]);
        glClearColor(0.0f, 0.0f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    };

    presetGlow();
    prepareDefaultFramebuffer(viewport());
    renderScene(request());
    const glm::ivec4 composedFloor = screenPixel(floorPixel);
    const glm::ivec4 composedSky = screenPixel(skyPixel);
    EXPECT_NEAR(composedSky.b, 128, 1) << "the glow is added over the whole screen";
    EXPECT_GT(composedFloor.r, 40) << "the scene image underneath";
    EXPECT_GT(composedFloor.b, composedFloor.r) << "blue added to grey";

    // In wireframe mode the scene goes straight to the screen: the glow is
    // not added and the scene target is left as it was.
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    presetGlow();
    frame.wireframe = true;
    prepareDefaultFramebuffer(viewport());
    renderScene(request());
    const glm::ivec4 wireFloor = screenPixel(floorPixel);
    EXPECT_EQ(brightness(screenPixel(skyPixel)), 0) << "no glow added";
    EXPECT_EQ(wireFloor.r, composedFloor.r) << "the same scene, drawn on the screen";
    EXPECT_EQ(wireFloor.b, wireFloor.r);
    EXPECT_EQ(framebufferPixel(sceneFramebuffer, floorPixel).g, 255) << "the scene target is not drawn into";
    EXPECT_NO_GL_ERROR();
}

TEST_F(RenderScene, EffectImageHoldsOnlyTheVisiblePartsOfGlowingObjects)
{
    whiteTexture = solid("grey", 200, 200, 200);
    pinkTexture = solid("pink", 250, 120, 200);
    jukeboxFront = model("front", boxObj(glm::vec3(-0.5f, 0, -0.1f), glm::vec3(0.5f, 1, 0.1f)), pinkTexture);
    // A wall in front of the left half of the glowing box.
    house = model("wall", boxObj(glm::vec3(-2, 0, 0.5f), glm::vec3(-0.2f, 2, 0.6f)), whiteTexture);
    look(glm::vec3(0, 0.5f, 4), glm::vec3(0, 0.5f, 0));
    camera.lightPosition = camera.position;
    camera.lightIntensities = glm::vec3(1.0f);

    prepareDefaultFramebuffer(viewport());
    renderScene(request());
    EXPECT_GT(brightness(framebufferPixel(effectFramebuffer, pixelOf(glm::vec3(0.35f, 0.5f, 0.1f)))), 150)
        << "the glowing box where it shows";
    EXPECT_EQ(brightness(framebufferPixel(effectFramebuffer, pixelOf(glm::vec3(-0.35f, 0.5f, 0.1f)))), 0)
        << "not where the wall hides it";
    EXPECT_EQ(brightness(framebufferPixel(effectFramebuffer, pixelOf(glm::vec3(1.5f, 0.5f, 0.1f)))), 0);

    // In wireframe mode the effect image is still cleared and drawn.
    glBindFramebuffer(GL_FRAMEBUFFER, effectFramebuffer);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    frame.wireframe = true;
    prepareDefaultFramebuffer(viewport());
    renderScene(request());
    EXPECT_EQ(brightness(framebufferPixel(effectFramebuffer, pixelOf(glm::vec3(1.5f, 0.5f, 0.1f)))), 0);
    GLfloat units = -1.0f;
    glGetFloatv(GL_POLYGON_OFFSET_UNITS, &units);
    EXPECT_EQ(units, 3.0f) << "the frame ends with polygon offset units 3";
    EXPECT_NO_GL_ERROR();
}

TEST_F(RenderScene, ShownMusicMakesAPillarGlowWithItsTracksLoudnessAndUnshownChangesNothing)
{
    populateStandInWorld();
    // Stack 1's bottom pillar plays noiseSound1Song: here a track whose
    // loudness file says loud for its first half second, silent for the next.
    std::filesystem::copy_file("OpenGL/WAVE/noiseSound1.mp3", directory + "/track.mp3");
    testing_support::writeFile(directory + "/track.loudness", std::string(30, '\xff') + std::string(30, '\0'));
    noiseSound1Song = soundSystem.createSong(directory + "/track.mp3");
    noiseSound1Song.play();
    pillarStacks[1]->pillars[0]->activate();
    activeTrackCount = 1;
    look(glm::vec3(0, 1, -3), glm::vec3(4, 1, -3));
    camera.lightPosition = camera.position;
    camera.lightIntensities = glm::vec3(1.0f);

    // The effect image of a frame in which the track is heard at that moment.
    auto glowImage = [&](unsigned int milliseconds, bool shown) {
        showMusic = shown;
        noiseSound1Song.getChannel()->setPosition(milliseconds, FMOD_TIMEUNIT_MS);
        frame.musicGlow = musicGlowNow();
        prepareDefaultFramebuffer(viewport());
        renderScene(request());
        return testing_support::readColour(effectFramebuffer, 0, 0, width, height);
    };
    const glm::ivec2 face = pixelOf(glm::vec3(3.5f, 1.0f, -3.0f));
    auto at = [&](const std::vector<unsigned char>& rgba) {
        const unsigned char* pixel = &rgba[(static_cast<size_t>(face.y) * width + face.x) * 4];
        return pixel[0] + pixel[1] + pixel[2];
    };
    const std::vector<unsigned char> loud = glowImage(200, true);
    const std::vector<unsigned char> quiet = glowImage(700, true);
    const std::vector<unsigned char> loudUnshown = glowImage(200, false);
    const std::vector<unsigned char> quietUnshown = glowImage(700, false);
    EXPECT_GT(at(loud), 150) << "the pillar's face glows at the loud moment";
    EXPECT_LT(at(quiet), at(loud) / 2) << "and dims at the quiet one";
    EXPECT_GT(at(quiet), 0) << "but still shows that it is on";
    EXPECT_TRUE(loudUnshown == quietUnshown) << "unshown, the music changes no pixel";
    EXPECT_TRUE(loudUnshown == loud) << "at its loudest a pillar glows as it always has";
    EXPECT_NO_GL_ERROR();

    showMusic = false;
    activeTrackCount = 0;
    noiseSound1Song = SFMOD::Song();
}

TEST_F(RenderScene, WireframeFromInsideTheRoomShowsTheHouseOutsideIt)
{
    whiteTexture = solid("grey", 200, 200, 200);
    // A block of the house beyond the room's wall at x = 6.75, seen from inside.
    house = model("outside", boxObj(glm::vec3(8, 0, -1), glm::vec3(9, 3, 1)), whiteTexture);
    look(glm::vec3(5, 1.5f, 0), glm::vec3(8, 1.5f, 0));
    camera.lightPosition = camera.position;
    camera.lightIntensities = glm::vec3(1.0f);
    const glm::ivec2 blockPixel = pixelOf(glm::vec3(8, 1.5f, 0.5f));
    auto litPixels = [&](GLuint framebuffer) {
        const std::vector<unsigned char> rgba = testing_support::readColour(framebuffer, 0, 0, width, height);
        int lit = 0;
        for (size_t i = 0; i < rgba.size(); i += 4)
            lit += rgba[i] + rgba[i + 1] + rgba[i + 2] > 0 ? 1 : 0;
        return lit;
    };

    // Filled, the walls would hide it: it is left out.
    prepareDefaultFramebuffer(viewport());
    renderScene(request());
    EXPECT_EQ(brightness(framebufferPixel(sceneFramebuffer, blockPixel)), 0);
    EXPECT_EQ(litPixels(sceneFramebuffer), 0);

    // Wireframe lets the eye see through the walls: its edges show.
    frame.wireframe = true;
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    prepareDefaultFramebuffer(viewport());
    renderScene(request());
    EXPECT_GT(litPixels(0), width) << "the block's edges";
    EXPECT_NO_GL_ERROR();
}

// A picture with a yellow frame around four quadrants: red top left, green
// top right, blue bottom left, white bottom right. FreeImage's row 0 is the
// bottom row.
void writeFramedPicture(const std::string& path)
{
    const int w = 64;
    const int h = 48;
    FIBITMAP* image = FreeImage_Allocate(w, h, 24);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            RGBQUAD c{};
            const bool frame = x < 4 || y < 4 || x >= w - 4 || y >= h - 4;
            const bool left = x < w / 2;
            const bool top = y >= h / 2;
            int r = 0, g = 0, b = 0;
            if (frame)
                r = 255, g = 255;
            else if (top && left)
                r = 220;
            else if (top)
                g = 200;
            else if (left)
                b = 220;
            else
                r = g = b = 240;
            c.rgbRed = BYTE(r);
            c.rgbGreen = BYTE(g);
            c.rgbBlue = BYTE(b);
            FreeImage_SetPixelColor(image, unsigned(x), unsigned(y), &c);
        }
    FreeImage_Save(FIF_PNG, image, path.c_str(), 0);
    FreeImage_Unload(image);
}

// The test window takes each shape in turn.
// The model matrices uploaded while alive, in upload order, through GLEW's
// entry point.
class ModelMatrixRecorder {
public:
    ModelMatrixRecorder()
    {
        matrices().clear();
        real() = __glewUniformMatrix4fv;
        __glewUniformMatrix4fv = &record;
    }
    ~ModelMatrixRecorder() { __glewUniformMatrix4fv = real(); }
    ModelMatrixRecorder(const ModelMatrixRecorder&) = delete;
    ModelMatrixRecorder& operator=(const ModelMatrixRecorder&) = delete;

    static std::vector<glm::mat4>& matrices()
    {
        static std::vector<glm::mat4> recorded;
        return recorded;
    }

private:
    static PFNGLUNIFORMMATRIX4FVPROC& real()
    {
        static PFNGLUNIFORMMATRIX4FVPROC function = nullptr;
        return function;
    }
    static void GLAPIENTRY record(GLint location, GLsizei count, GLboolean transpose, const GLfloat* value)
    {
        if (count == 1 && !transpose)
            matrices().push_back(glm::make_mat4(value));
        real()(location, count, transpose, value);
    }
};

TEST_F(RenderScene, StackBoxesAreDrawnFromTheFarthestToTheNearest)
{
    populateStandInWorld();
    frame.translucentBoxes = true;
    for (const glm::vec3 eye : {glm::vec3(5, 2, 5), glm::vec3(-5, 3, -5), glm::vec3(-5, 2, 1), glm::vec3(0, 9, -4)}) {
        SCOPED_TRACE(eye.x);
        look(eye, glm::vec3(0, 1, 0));
        refreshStackDrawOrder();
        prepareDefaultFramebuffer(viewport());
        std::vector<float> distances;
        {
            ModelMatrixRecorder recorder;
            renderScene(request());
            // The boxes are the poles: 0.15 across and 7 high.
            for (const glm::mat4& matrix : ModelMatrixRecorder::matrices())
                if (std::fabs(matrix[0][0] - 0.15f) < 1e-6f && std::fabs(matrix[1][1] - 7.0f) < 1e-6f)
                    distances.push_back(glm::distance(eye, glm::vec3(matrix[3]) + glm::vec3(0, 2, 0)));
        }
        ASSERT_EQ(distances.size(), 4u) << "every box drawn once";
        for (size_t k = 1; k < distances.size(); ++k)
            EXPECT_GE(distances[k - 1], distances[k]) << "box " << k << " is farther than the one before it";
    }
    EXPECT_NO_GL_ERROR();
}

class Notices : public RenderScene, public ::testing::WithParamInterface<glm::ivec2> {
protected:
    void SetUp() override { openWorld(GetParam().x, GetParam().y); }
};

TEST_P(Notices, CoverTheScreenUprightAndUncropped)
{
    const std::string picture = directory + "/notice.png";
    writeFramedPicture(picture);
    helpscreenTexture = new Texture(picture);
    level1Texture = solid("level1", 10, 10, 10);
    helpPaper = new plim::scene::Paper(glm::mat4(1.0f), helpscreenTexture);
    level1Paper = new plim::scene::Paper(glm::mat4(1.0f), level1Texture);
    for (plim::scene::Paper* paper : {helpPaper, level1Paper}) {
        paper->translate(0, 0, -1.5);
        paper->scale(2, 2, 2);
    }
    // Something in the scene behind the card, and a glow to compose.
    whiteTexture = solid("grey", 200, 200, 200);
    house = model("floor", floorObj(5), whiteTexture);
    look(glm::vec3(0, 3, 5), glm::vec3(0, 0, 0));
    camera.lightIntensities = glm::vec3(1.0f);
    frame.helpShown = true;

    runFrame(1);
    runFrame(0);
    const int w = width;
    const int h = height;
    const glm::ivec4 yellow(255, 255, 0, 255);
    for (const glm::ivec2 corner : {glm::ivec2(0, 0), glm::ivec2(w - 1, 0), glm::ivec2(0, h - 1), glm::ivec2(w - 1, h - 1),
             glm::ivec2(w / 2, 0), glm::ivec2(w / 2, h - 1), glm::ivec2(0, h / 2), glm::ivec2(w - 1, h / 2)})
        EXPECT_EQ(screenPixel(corner), yellow) << "the picture's frame at the screen's edge " << corner.x << ","
                                               << corner.y;
    // The frame is 4 of 64 texels wide: a sixteenth of the screen.
    EXPECT_EQ(screenPixel(glm::ivec2(w / 32, h / 4)), yellow);
    EXPECT_EQ(screenPixel(glm::ivec2(w / 4, h - 1 - h / 32)), yellow);
    // glReadPixels rows start at the bottom: h * 3 / 4 is the upper half.
    EXPECT_EQ(screenPixel(glm::ivec2(w / 4, h * 3 / 4)), glm::ivec4(220, 0, 0, 255)) << "red top left";
    EXPECT_EQ(screenPixel(glm::ivec2(w * 3 / 4, h * 3 / 4)), glm::ivec4(0, 200, 0, 255)) << "green top right";
    EXPECT_EQ(screenPixel(glm::ivec2(w / 4, h / 4)), glm::ivec4(0, 0, 220, 255)) << "blue bottom left";
    EXPECT_EQ(screenPixel(glm::ivec2(w * 3 / 4, h / 4)), glm::ivec4(240, 240, 240, 255)) << "white bottom right";
    EXPECT_EQ(screenPixel(glm::ivec2(w / 10, h * 3 / 4)), glm::ivec4(220, 0, 0, 255)) << "the red reaches the frame";
    EXPECT_NO_GL_ERROR();
}

TEST_P(Notices, ShowWhenTheFrameAsksForThem)
{
    helpscreenTexture = solid("help", 250, 0, 0);
    level1Texture = solid("level1", 0, 250, 0);
    level2Texture = solid("level2", 0, 0, 250);
    helpPaper = new plim::scene::Paper(glm::mat4(1.0f), helpscreenTexture);
    level1Paper = new plim::scene::Paper(glm::mat4(1.0f), level1Texture);
    level2Paper = new plim::scene::Paper(glm::mat4(1.0f), level2Texture);
    for (plim::scene::Paper* paper : {helpPaper, level1Paper, level2Paper}) {
        paper->translate(0, 0, -1.5);
        paper->scale(2, 2, 2);
    }
    const glm::ivec4 none(0, 0, 0, 255); // the composition of an empty scene
    const glm::ivec4 red(250, 0, 0, 255);
    const glm::ivec4 green(0, 250, 0, 255);
    const glm::ivec4 blue(0, 0, 250, 255);
    struct Expectation {
        bool help, title, levelTwo, levelThree;
        glm::ivec4 shown;
    };
    const Expectation cases[] = {
        {false, true, false, false, green}, // the title's notice
        {false, false, false, false, none},
        {true, false, false, false, red},
        {true, true, false, false, red}, // help is drawn first and stays in front
        {false, false, true, false, blue},
        {false, false, false, true, blue}, // level 3 shows level 2's picture
    };
    for (const Expectation& c : cases) {
        frame.helpShown = c.help;
        frame.titleShown = c.title;
        frame.levelTwoNoticeShown = c.levelTwo;
        frame.levelThreeNoticeShown = c.levelThree;
        prepareDefaultFramebuffer(viewport());
        renderScene(request());
        EXPECT_EQ(screenPixel(glm::ivec2(width / 2, height / 2)), c.shown)
            << c.help << c.title << c.levelTwo << c.levelThree;
    }
    EXPECT_NO_GL_ERROR();
}

INSTANTIATE_TEST_SUITE_P(WindowShapes, Notices, ::testing::Values(glm::ivec2(800, 600), glm::ivec2(1280, 720)),
    [](const ::testing::TestParamInfo<glm::ivec2>& info) {
        return std::to_string(info.param.x) + "x" + std::to_string(info.param.y);
    });

class WholeFrame : public RenderScene, public ::testing::WithParamInterface<int> {};

// Every step of the frame, in the loop's order, checked for GL errors in each
// level, in both frame phases, in wireframe mode and with culling off.
TEST_P(WholeFrame, RaisesNoGlErrorInAnyStep)
{
    populateStandInWorld();
    const int level = GetParam();
    if (level >= 1)
        showLevel(level);
    frame.doorGlows = level >= 2 ? 2 : 0;
    frame.helpShown = true;
    frame.reportCulled = true;
    for (int step = 0; step < 4; ++step) {
        SCOPED_TRACE(step);
        frame.wireframe = step == 2;
        frame.cullingOff = step == 3;
        frame.translucentBoxes = step % 2 == 1;
        testing::internal::CaptureStdout();
        runFrame(step % 2 == 0 ? 1 : 0, 0.016f, true);
        const std::string console = testing::internal::GetCapturedStdout();
        EXPECT_NE(console.find("Objects culled\n"), std::string::npos);
    }
    GLint framebuffer = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(framebuffer, 0);
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "the cones and boxes leave blending off";
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
}

// The driver compiles its shader variants on first use, with allocations of
// its own; the same frames a second time show what the game allocates.
TEST_F(RenderScene, FramesAllocateNothing)
{
    populateStandInWorld();
    frame.helpShown = true;
    auto levelsOneAndTwo = [this] {
        frame.sky = instrumentsTexture;
        showLevel(1);
        runFrame(1, 0.016f);
        runFrame(0, 0.016f);
        showLevel(2);
        runFrame(1, 0.016f);
        runFrame(0, 0.016f);
    };
    levelsOneAndTwo();
    const long before = allocation::count();
    levelsOneAndTwo();
    EXPECT_EQ(allocation::count() - before, 0);
    EXPECT_NO_GL_ERROR();
}

INSTANTIATE_TEST_SUITE_P(Levels, WholeFrame, ::testing::Values(0, 1, 2, 3),
    [](const ::testing::TestParamInfo<int>& info) { return "level" + std::to_string(info.param); });

} // namespace
