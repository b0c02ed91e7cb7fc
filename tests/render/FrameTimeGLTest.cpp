// How long the frame's rendering takes for a populated stand-in of a level-1
// view: the depth passes, renderScene and the glow blur, each timed with
// glFinish on both sides. Timing is only worth doing on a quiet machine, so
// it runs when CLANKORA_MEASURE is set (CLANKORA_SHOT=path.png also saves the
// last frame); otherwise the frames still run and are checked for errors.
#include "frameFixture.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

double milliseconds(std::chrono::steady_clock::duration span)
{
    return std::chrono::duration<double, std::milli>(span).count();
}

// When each rendering step of the last frame ended, its GL work finished.
std::map<std::string, std::chrono::steady_clock::time_point> stepEnds;

void finishAndClock(const char* step)
{
    glFinish();
    stepEnds[step] = std::chrono::steady_clock::now();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void saveScreen(const std::string& path, int width, int height)
{
    // The rows start at the bottom, as FreeImage's do.
    const std::vector<unsigned char> rgb = testing_support::readColour(0, 0, 0, width, height, GL_RGB);
    FIBITMAP* image = FreeImage_Allocate(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            RGBQUAD c{};
            c.rgbRed = p[0];
            c.rgbGreen = p[1];
            c.rgbBlue = p[2];
            FreeImage_SetPixelColor(image, unsigned(x), unsigned(y), &c);
        }
    FreeImage_Save(FIF_PNG, image, path.c_str(), 0);
    FreeImage_Unload(image);
}

class FrameTime : public frame_testing::FrameTest, public ::testing::WithParamInterface<glm::ivec2> {};

TEST_P(FrameTime, LevelOneViewOfAPopulatedScene)
{
    openWorld(GetParam().x, GetParam().y);
    const bool measuring = std::getenv("CLANKORA_MEASURE") != nullptr;
    populateStandInWorld(measuring);
    showLevel(1);
    pillarStacks[0]->togglePillarAt(1.0f); // one pillar glows

    const int frames = measuring ? 41 : 3;
    std::vector<double> shadows, scene, glow, total;
    for (int frame = 0; frame < frames; ++frame) {
        const int framePhase = frame % 2 == 0 ? 1 : 0;
        renderFrame(request(framePhase, 0.016f), finishAndClock);
        const auto start = stepEnds["refreshStackDrawOrder"];
        const auto afterShadows = stepEnds["renderShadowPasses"];
        const auto afterScene = stepEnds["renderScene"];
        const auto end = stepEnds["renderGlowForNextFrame"];
        shadows.push_back(milliseconds(afterShadows - start));
        scene.push_back(milliseconds(afterScene - afterShadows));
        glow.push_back(milliseconds(end - afterScene));
        total.push_back(milliseconds(end - start));
    }
    EXPECT_NO_GL_ERROR();
    // The room, its lights and the glowing pillar reach the screen.
    int lit = 0;
    for (int x = 0; x < width; x += width / 16)
        for (int y = 0; y < height; y += height / 16)
            lit += frame_testing::brightness(screenPixel(glm::ivec2(x, y))) > 30 ? 1 : 0;
    EXPECT_GT(lit, 40) << "most of the view shows something lit";

    if (measuring)
        std::printf("%dx%d over %d frames, median ms: shadow passes %.1f, renderScene %.1f, glow %.1f, "
                    "together %.1f\n",
            width, height, frames, median(shadows), median(scene), median(glow), median(total));
    if (const char* shot = std::getenv("CLANKORA_SHOT"))
        saveScreen(shot, width, height);
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, FrameTime, ::testing::Values(glm::ivec2(800, 600), glm::ivec2(1280, 720)),
    [](const ::testing::TestParamInfo<glm::ivec2>& info) {
        return std::to_string(info.param.x) + "x" + std::to_string(info.param.y);
    });

} // namespace
