// The drawing tools behind the pictures: seamless noise, wrapping canvases,
// anti-aliased shapes, text, and the window of a notice that a screen shows.
#include "Asset.h"
#include "Canvas.h"
#include "Noise.h"
#include "pictures/Font.h"
#include "pictures/Notices.h"
#include "pictures/Shapes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace assetgen;
using namespace assetgen::pictures;
using assetgen::noise::PeriodicNoise;

TEST(PeriodicNoise, RepeatsAfterItsPeriodAndVariesWithin)
{
    PeriodicNoise noise(9);
    float lowest = 1.0f, highest = 0.0f;
    for (float x = 0.0f; x < 8.0f; x += 0.37f)
        for (float y = 0.0f; y < 8.0f; y += 0.41f) {
            float v = noise.at(x, y, 8);
            ASSERT_NEAR(v, noise.at(x + 8.0f, y, 8), 1e-5f);
            ASSERT_NEAR(v, noise.at(x, y - 8.0f, 8), 1e-5f);
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
        }
    EXPECT_GE(lowest, 0.0f);
    EXPECT_LE(highest, 1.0f);
    EXPECT_GT(highest - lowest, 0.5f);
    EXPECT_NEAR(noise.fractal(0.2f, 0.7f, 4, 5), noise.fractal(1.2f, -0.3f, 4, 5), 1e-4f) << "one tile is u, v in [0, 1)";
}

TEST(Canvas, ATileableCanvasWrapsWhatCrossesAnEdge)
{
    Canvas wrapping(16, 16, {0, 0, 0}, true), clipped(16, 16, {0, 0, 0});
    for (Canvas* c : {&wrapping, &clipped})
        c->fillShape([](float x, float y) { return circle({x, y}, {15.0f, 8.0f}, 3.0f); }, 11, 4, 19, 12, {1, 1, 1});
    EXPECT_GT(wrapping.at(1, 8).r, 0.9f) << "the circle continues on the left";
    EXPECT_EQ(clipped.at(1, 8).r, 0.0f);
    EXPECT_GT(clipped.at(14, 8).r, 0.9f);
    // Edges are anti-aliased: a pixel half inside is half covered.
    Canvas edge(8, 8, {0, 0, 0});
    edge.fillShape([](float x, float) { return x - 4.5f; }, 0, 0, 8, 8, {1, 1, 1});
    EXPECT_FLOAT_EQ(edge.at(3, 0).r, 1.0f);
    EXPECT_NEAR(edge.at(4, 0).r, 0.5f, 1e-5f);
    EXPECT_FLOAT_EQ(edge.at(5, 0).r, 0.0f);
}

TEST(Font, DrawsWhatItMeasuresAndRefusesBrokenText)
{
    Font font("DejaVuSans.ttf", 40);
    Canvas canvas(400, 80, {0, 0, 0});
    float advance = font.draw(canvas, "Clankora \u266A", 10, 60, {1, 1, 1});
    EXPECT_FLOAT_EQ(advance, font.measure("Clankora \u266A"));
    int lit = 0, leftmost = 400, rightmost = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 400; ++x)
            if (canvas.at(x, y).r > 0.5f) {
                ++lit;
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
    EXPECT_GT(lit, 500);
    EXPECT_GE(leftmost, 10);
    EXPECT_LE(rightmost, 10 + advance + 2);
    EXPECT_EQ(decodeUtf8("a\u266A"), std::u32string(U"a\u266A"));
    EXPECT_THROW(decodeUtf8("bad \xe2\x99"), std::runtime_error);
    EXPECT_THROW(font.draw(canvas, "\u4e2d", 0, 40, {1, 1, 1}), std::runtime_error) << "no glyph: no silent box";
    EXPECT_THROW(Font("NoSuchFont.ttf", 20), std::runtime_error);
}

TEST(CanvasResampling, KeepsWhereThingsAreAndBlendsOnlyAtEdges)
{
    // Left third red, the rest blue, stretched to a wider and taller picture.
    Canvas canvas(30, 10, {0, 0, 1});
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            canvas.at(x, y) = {1, 0, 0};
    Canvas wide = canvas.resampled(64, 16);
    ASSERT_EQ(wide.width(), 64);
    ASSERT_EQ(wide.height(), 16);
    for (int y = 0; y < 16; ++y) {
        EXPECT_FLOAT_EQ(wide.at(0, y).r, 1.0f) << "edges clamp, never wrap";
        EXPECT_FLOAT_EQ(wide.at(63, y).b, 1.0f);
        EXPECT_FLOAT_EQ(wide.at(15, y).r, 1.0f);
        EXPECT_FLOAT_EQ(wide.at(30, y).b, 1.0f);
        // The boundary moves with the scale: at a third of the width.
        EXPECT_GT(wide.at(20, y).r, 0.4f);
        EXPECT_LT(wide.at(22, y).r, 0.6f);
    }
}

TEST(Pictures, ThePathsExtensionChoosesTheFileFormat)
{
    const std::vector<unsigned char> png{0x89, 'P', 'N', 'G'};
    const std::vector<unsigned char> jpeg{0xff, 0xd8, 0xff};
    for (const assetgen::Asset& asset : assetgen::allAssets()) {
        const std::string path = asset.path;
        if (path != "OpenGL/Textures/pink.png" && path != "OpenGL/Textures/metalBox.jpg")
            continue;
        const assetgen::Bytes bytes = assetgen::generate(asset);
        const std::vector<unsigned char>& magic = path.compare(path.size() - 4, 4, ".png") == 0 ? png : jpeg;
        ASSERT_GE(bytes.size(), magic.size()) << path;
        EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + magic.size()), magic) << path;
    }
    EXPECT_THROW(assetgen::makeSong("OpenGL/Textures/pink.png"), std::runtime_error) << "no song for a picture's path";
}

} // namespace
