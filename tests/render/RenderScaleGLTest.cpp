// The 3D view at half the window's scale: the scene image, the glow and the
// screen match the full-scale frame scaled down, and a notice stays sharp;
// and how the bot starts when asked for auto.
#include "frameFixture.h"
#include "render/RenderScaleController.h"
#include "scene/Pillar.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using frame_testing::brightness;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    int at(int x, int y, int channel) const { return rgb[static_cast<size_t>((y * width + x) * 3 + channel)]; }
};

Image readImage(GLuint framebuffer, int width, int height)
{
    return {width, height, testing_support::readColour(framebuffer, 0, 0, width, height, GL_RGB)};
}

// Mean of each block of side `block`, per channel.
Image blockMeans(const Image& image, int block)
{
    Image means{image.width / block, image.height / block, {}};
    means.rgb.resize(static_cast<size_t>(means.width * means.height * 3));
    for (int y = 0; y < means.height; ++y)
        for (int x = 0; x < means.width; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < block; ++dy)
                    for (int dx = 0; dx < block; ++dx)
                        sum += image.at(x * block + dx, y * block + dy, c);
                means.rgb[static_cast<size_t>((y * means.width + x) * 3 + c)]
                    = static_cast<unsigned char>(sum / (block * block));
            }
    return means;
}

struct Difference {
    double mean = 0.0;     // mean absolute difference per channel
    double outliers = 0.0; // share of values more than 32 apart
    int brightest = 0;     // the largest channel value in the first image
};

Difference compare(const Image& a, const Image& b)
{
    Difference result;
    int far = 0;
    long sum = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i) {
        const int d = std::abs(a.rgb[i] - b.rgb[i]);
        sum += d;
        far += d > 32 ? 1 : 0;
        result.brightest = std::max(result.brightest, static_cast<int>(a.rgb[i]));
    }
    result.mean = static_cast<double>(sum) / static_cast<double>(a.rgb.size());
    result.outliers = static_cast<double>(far) / static_cast<double>(a.rgb.size());
    return result;
}

class RenderScale : public frame_testing::FrameTest {
protected:
    void SetUp() override { openWorld(320, 240); }

    struct Frame {
        Image scene;  // the drawn corner of the scene target, the glow added below scale 1
        Image glow;   // the drawn corner of the blurred effect image the next frame adds
        Image screen; // what the window shows
    };

    // Two frames at the scale, so that the second composes the first's glow.
    Frame frameAt(float scale)
    {
        renderScale = scale;
        runTwoFrames();
        const int drawnWidth = static_cast<int>(scale * static_cast<float>(width) + 0.5f);
        const int drawnHeight = static_cast<int>(scale * static_cast<float>(height) + 0.5f);
        return {readImage(sceneFramebuffer, drawnWidth, drawnHeight),
            readImage(blurStage->framebuffers[2], glowCornerWidth(viewport(), blurStage->width),
                glowCornerHeight(viewport(), blurStage->height)),
            readImage(0, width, height)};
    }
};

// Tolerances: the half-scale frame rasterises every edge, texel and shadow
// border at half the resolution, so single pixels differ by up to the full
// range where an edge passes. Means over blocks of 4 x 4 half-scale pixels
// (8 x 8 on the screen, 4 x 4 in the glow) smooth that out: llvmpipe gives a
// mean difference under 1 and no block 32 apart. The limits leave about
// three times that. A composition that reads the whole scene texture instead
// of the drawn corner gives a screen mean of 65; a down-sampling pass that
// does so puts the glow in the wrong place, a glow mean of 2.6 with 2 % of
// its blocks far apart. The glow is blurred in its corner of the blur
// targets: a composition that reads the glow's whole target instead gives a
// screen mean of 2.4, a blur whose taps do not widen with the scale a glow
// mean of 1.3.
TEST_F(RenderScale, HalfScaleMatchesTheFullFrameScaledDown)
{
    populateStandInWorld();
    showLevel(1);
    pillarStacks[0]->pillars[0]->activate();
    const Frame full = frameAt(1.0f);
    const Frame half = frameAt(0.5f);
    ASSERT_EQ(half.scene.width, width / 2);

    // Below scale 1 the glow is added into the scene image's corner, so that
    // corner holds what the full-scale frame shows on the screen.
    const Difference scene = compare(blockMeans(full.screen, 8), blockMeans(half.scene, 4));
    EXPECT_GT(scene.brightest, 60) << "the view shows the lit room";
    EXPECT_LT(scene.mean, 2.0);
    EXPECT_LT(scene.outliers, 0.01);

    ASSERT_EQ(half.glow.width, blurStage->width / 2) << "the glow is blurred in the drawn corner alone";
    const Difference glow = compare(blockMeans(full.glow, 4), blockMeans(half.glow, 2));
    EXPECT_GT(glow.brightest, 40) << "something glows in view";
    EXPECT_LT(glow.mean, 1.0);
    EXPECT_LT(glow.outliers, 0.01);

    const Difference screen = compare(blockMeans(full.screen, 8), blockMeans(half.screen, 8));
    EXPECT_LT(screen.mean, 2.0);
    EXPECT_LT(screen.outliers, 0.01);
    EXPECT_NO_GL_ERROR();
}

// The notices are drawn over the composition at the window's resolution: a
// picture with one-texel detail comes out the same pixel for pixel.
TEST_F(RenderScale, NoticesStaySharp)
{
    populateStandInWorld();
    const std::string picture = directory + "/stripes.png";
    FIBITMAP* image = FreeImage_Allocate(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            RGBQUAD colour{};
            colour.rgbRed = static_cast<BYTE>((x % 2) * 255);
            colour.rgbGreen = static_cast<BYTE>((y % 2) * 255);
            colour.rgbBlue = static_cast<BYTE>(((x / 3 + y / 5) % 2) * 255);
            FreeImage_SetPixelColor(image, static_cast<unsigned>(x), static_cast<unsigned>(y), &colour);
        }
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, image, picture.c_str(), 0));
    FreeImage_Unload(image);
    delete helpPaper;
    delete helpscreenTexture;
    helpscreenTexture = new Texture(picture);
    helpPaper = new plim::scene::Paper(glm::mat4(1.0f), helpscreenTexture);
    helpPaper->translate(0, 0, -1.5);
    helpPaper->scale(2, 2, 2);
    frame.helpShown = true;
    frame.titleShown = false;

    const Image full = frameAt(1.0f).screen;
    const Image half = frameAt(0.5f).screen;
    EXPECT_GT(brightness(glm::ivec4(full.at(1, 0, 0), full.at(1, 0, 1), full.at(1, 0, 2), 0)), 200);
    EXPECT_TRUE(full.rgb == half.rgb) << "the notice is drawn at full resolution";
    EXPECT_NO_GL_ERROR();
}

} // namespace

namespace {

// The bot asked for auto on llvmpipe, as the game runs by default: one line
// names the renderer, and the first frames are drawn at the scale that the
// window's pixel count suggests; asked for 1, it says nothing and draws
// every pixel.
TEST(RenderScaleStart, AutoOnASoftwareRendererSaysSoAndStartsLower)
{
    testing_support::ChildOptions options;
    options.workingDirectory = testing_support::makeGameFolder("0\n800\n600\n0\n");
    options.timeoutSeconds = 300.0;
    testing_support::writeFile(options.workingDirectory + "/frames.txt", "wait 10\n");
    for (const char* scale : {"auto", "1"}) {
        SCOPED_TRACE(scale);
        const testing_support::ChildResult result = testing_support::runProgram(
            {testing_support::gameExecutable("clankora-bot"), "--script", "frames.txt", "--frame-times", "times.txt",
                "--render-scale", scale},
            options);
        ASSERT_EQ(result.exitStatus, 0) << result.err;
        std::ifstream record(options.workingDirectory + "/times.txt");
        std::vector<float> scales;
        for (std::string line; std::getline(record, line);) {
            std::istringstream fields(line);
            std::string frame, phase;
            float wall = 0.0f, processor = 0.0f, drawnAt = 0.0f;
            if (line[0] != '#' && fields >> frame >> phase >> wall >> processor >> drawnAt)
                scales.push_back(drawnAt);
        }
        ASSERT_GE(scales.size(), 5u);
        const bool automatic = std::string(scale) == "auto";
        const std::string announcement = "Software renderer llvmpipe";
        EXPECT_EQ(result.out.rfind(announcement, 0) == 0, automatic) << result.out;
        EXPECT_EQ(result.out.find(announcement, 1), std::string::npos) << "one line only";
        const float start = automatic ? RenderScaleController::startScaleFor(800L * 600L) : 1.0f;
        EXPECT_NEAR(scales.front(), start, 0.005f);
    }
}

} // namespace
