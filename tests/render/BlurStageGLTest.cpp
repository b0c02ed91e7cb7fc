// The glow stage: its quarter-size targets, the down-sampling, the eight blur
// passes against a reference Gaussian, the composition, and the failure path
// of an incomplete target.
#include "render/BlurStage.h"
#include "render/FrameViewport.h"
#include "scene/Registry.h"

#include "renderTestSupport.h"
#include "support/GlTestContext.h"
#include "support/PixelReadBack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iostream>
#include <memory>
#include <vector>

namespace {

using namespace render_testing;

// An RGB8 texture of the given size filled by a function of the pixel.
template <typename Fill>
GLuint makeTexture(int width, int height, Fill fill)
{
    std::vector<unsigned char> data(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::array<unsigned char, 3> rgb = fill(x, y);
            for (int c = 0; c < 3; ++c)
                data[(static_cast<size_t>(y) * width + x) * 3 + c] = rgb[static_cast<size_t>(c)];
        }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, data.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

// Reads one colour target of the stage, red channel, row by row from the bottom.
std::vector<int> readTarget(const BlurStage& stage, int k)
{
    const std::vector<unsigned char> rgba
        = testing_support::readColour(stage.framebuffers[k], 0, 0, stage.width, stage.height);
    std::vector<int> red(static_cast<size_t>(stage.width) * stage.height);
    for (size_t i = 0; i < red.size(); ++i)
        red[i] = rgba[i * 4];
    return red;
}

// A window that fills whole-frame targets four times the stage's size.
FrameViewport filledBy(const BlurStage& stage)
{
    return frameViewport(4 * stage.width, 4 * stage.height, 4 * stage.width, 4 * stage.height, 1.0f);
}

class BlurStageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GL_CONTEXT();
        gaussianBlurShader = new ShaderProgram(gameShader("GaussianBlur.vert"), gameShader("GaussianBlur.frag"));
        addTexturesShader = new ShaderProgram(gameShader("note.vert"), gameShader("addtextures.frag"));
        noteShader = new ShaderProgram(gameShader("note.vert"), gameShader("note.frag"));
    }
    void TearDown() override
    {
        if (!testing_support::glContext())
            return; // SetUp failed already; there is nothing to release
        for (ShaderProgram** program : {&gaussianBlurShader, &addTexturesShader, &noteShader}) {
            delete *program;
            *program = nullptr;
        }
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glActiveTexture(GL_TEXTURE0);
        glUseProgram(0);
    }

    // The frame's down-sampling call: the note program copies the effect image.
    static void downsampleFrom(const BlurStage& stage, GLuint effectImage)
    {
        noteShader->use();
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, effectImage);
        setInt(*noteShader, "colorTexture", 0);
        setMatrix(*noteShader, "modelMatrix", glm::mat4(1.0f));
        stage.downsample(filledBy(stage));
    }
};

TEST_F(BlurStageTest, TargetsAreAQuarterOfTheWindowRoundedDown)
{
    EXPECT_EQ(blurTargetExtent(800), 200);
    EXPECT_EQ(blurTargetExtent(600), 150);
    EXPECT_EQ(blurTargetExtent(803), 200);

    testing::internal::CaptureStdout();
    BlurStage stage(blurTargetExtent(800), blurTargetExtent(600));
    std::cout.flush();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(stage.complete);
    EXPECT_EQ(static_cast<GLuint>(glInteger(GL_FRAMEBUFFER_BINDING)), stage.framebuffers[2])
        << "the last target stays bound";

    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        GLint value = 0;
        glBindTexture(GL_TEXTURE_2D, stage.colorTextures[k]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &value);
        EXPECT_EQ(value, 200);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &value);
        EXPECT_EQ(value, 150);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
        EXPECT_EQ(value, GL_CLAMP_TO_EDGE);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
        EXPECT_EQ(value, GL_LINEAR);
        glBindRenderbuffer(GL_RENDERBUFFER, stage.depthBuffers[k]);
        glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &value);
        EXPECT_EQ(value, 200);
        glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_HEIGHT, &value);
        EXPECT_EQ(value, 150);

        glBindFramebuffer(GL_FRAMEBUFFER, stage.framebuffers[k]);
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
            GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &value);
        EXPECT_EQ(static_cast<GLuint>(value), stage.colorTextures[k]);
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
            GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &value);
        EXPECT_EQ(static_cast<GLuint>(value), stage.depthBuffers[k]);
    }
    EXPECT_NO_GL_ERROR();
}

TEST_F(BlurStageTest, QuadArraysUseEachProgramsLocations)
{
    BlurStage stage(16, 16);
    struct Case {
        GLuint vao;
        ShaderProgram* program;
    };
    for (Case c : {Case{stage.blurVao, gaussianBlurShader}, Case{stage.compositionVao, addTexturesShader},
             Case{stage.blurVao, noteShader}}) {
        glBindVertexArray(c.vao);
        for (auto [name, buffer, components] : {std::tuple{"position", stage.positionBuffer, 3},
                 std::tuple{"uv", stage.uvBuffer, 2}}) {
            SCOPED_TRACE(name);
            GLint location = glGetAttribLocation(c.program->program, name);
            // The composition reads both images by screen position, so its
            // program may have no active "uv"; the others must have both.
            if (location == -1 && c.program == addTexturesShader && std::string(name) == "uv")
                continue;
            ASSERT_GE(location, 0);
            GLint value = 0;
            glGetVertexAttribiv(static_cast<GLuint>(location), GL_VERTEX_ATTRIB_ARRAY_ENABLED, &value);
            EXPECT_EQ(value, GL_TRUE);
            glGetVertexAttribiv(static_cast<GLuint>(location), GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &value);
            EXPECT_EQ(static_cast<GLuint>(value), buffer);
            glGetVertexAttribiv(static_cast<GLuint>(location), GL_VERTEX_ATTRIB_ARRAY_SIZE, &value);
            EXPECT_EQ(value, components);
        }
        EXPECT_EQ(static_cast<GLuint>(glInteger(GL_ELEMENT_ARRAY_BUFFER_BINDING)), stage.indexBuffer);
    }
    glBindVertexArray(0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(BlurStageTest, GlowSpreadsBeyondABrightSquare)
{
    // A 256 x 192 effect image with a white square over x 96..159, y 64..127:
    // at a quarter, the square covers x 24..39, y 16..31 of the 64 x 48 targets.
    GLuint effect = makeTexture(256, 192, [](int x, int y) {
        unsigned char v = (x >= 96 && x < 160 && y >= 64 && y < 128) ? 255 : 0;
        return std::array<unsigned char, 3>{v, v, v};
    });
    BlurStage stage(blurTargetExtent(256), blurTargetExtent(192));
    downsampleFrom(stage, effect);
    std::vector<int> small = readTarget(stage, 0);
    auto at = [&](const std::vector<int>& image, int x, int y) { return image[static_cast<size_t>(y * 64 + x)]; };
    EXPECT_EQ(at(small, 24, 16), 255);
    EXPECT_EQ(at(small, 39, 31), 255);
    EXPECT_EQ(at(small, 22, 24), 0) << "the down-sampled square keeps its sharp edge";
    EXPECT_EQ(at(small, 41, 24), 0);

    stage.blur(filledBy(stage));
    std::vector<int> blurred = readTarget(stage, 2);
    EXPECT_GT(at(blurred, 31, 24), 200) << "the middle of the square stays bright";
    EXPECT_GT(at(blurred, 21, 24), 30) << "three texels left of the square";
    EXPECT_GT(at(blurred, 42, 24), 30) << "three texels right of the square";
    EXPECT_GT(at(blurred, 31, 13), 30) << "three texels below the square";
    EXPECT_NEAR(at(blurred, 21, 24), at(blurred, 42, 24), 2) << "the spread is symmetric";
    EXPECT_EQ(at(blurred, 2, 2), 0) << "far from the square nothing glows";
    EXPECT_EQ(readTarget(stage, 0), small) << "the blur only reads target 0";
    glDeleteTextures(1, &effect);
    EXPECT_NO_GL_ERROR();
}

// Four horizontal then vertical rounds of a 9-tap Gaussian with clamped edges,
// rounded to 8 bits after every pass as the RGB8 targets do.
std::vector<double> referenceBlur(std::vector<double> image, int width, int height)
{
    const double weights[5] = {0.2270270270, 0.1945945946, 0.1216216216, 0.0540540541, 0.0162162162};
    auto pass = [&](bool horizontal) {
        std::vector<double> out(image.size());
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                double sum = 0.0;
                for (int t = -4; t <= 4; ++t) {
                    int sx = horizontal ? std::clamp(x + t, 0, width - 1) : x;
                    int sy = horizontal ? y : std::clamp(y + t, 0, height - 1);
                    sum += weights[std::abs(t)] * image[static_cast<size_t>(sy * width + sx)];
                }
                out[static_cast<size_t>(y * width + x)] = std::round(sum);
            }
        image = out;
    };
    for (int round = 0; round < 4; ++round) {
        pass(true);
        pass(false);
    }
    return image;
}

TEST_F(BlurStageTest, EightPassesMatchAReferenceGaussian)
{
    const int width = 48;
    const int height = 40;
    BlurStage stage(width, height);
    // A bar that is narrow across and tall: a blur along the wrong axis or
    // with the other target's size shows at once.
    auto bright = [](int x, int y) { return x >= 20 && x < 23 && y >= 8 && y < 30; };
    std::vector<double> input(static_cast<size_t>(width) * height);
    std::vector<unsigned char> rgb(input.size() * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char v = bright(x, y) ? 255 : 0;
            input[static_cast<size_t>(y * width + x)] = v;
            for (int c = 0; c < 3; ++c)
                rgb[static_cast<size_t>(y * width + x) * 3 + static_cast<size_t>(c)] = v;
        }
    glBindTexture(GL_TEXTURE_2D, stage.colorTextures[0]);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());

    stage.blur(filledBy(stage));
    EXPECT_EQ(glInteger(GL_FRAMEBUFFER_BINDING), 0);
    EXPECT_EQ(glInteger(GL_DRAW_BUFFER), GL_BACK);
    EXPECT_EQ(glInteger(GL_VERTEX_ARRAY_BINDING), 0);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], width) << "the viewport stays at the target size";
    EXPECT_EQ(viewport[3], height);

    std::vector<double> expected = referenceBlur(input, width, height);
    std::vector<int> actual = readTarget(stage, 2);
    int worst = 0;
    for (size_t i = 0; i < actual.size(); ++i)
        worst = std::max(worst, static_cast<int>(std::abs(actual[i] - expected[i])));
    // Linear filtering weighs the paired taps with 8-bit fractions, and every
    // pass rounds to 8 bits: a few steps of difference, no more.
    EXPECT_LE(worst, 4);
    EXPECT_NO_GL_ERROR();
}

// The glow goes into the scene image first, and the composition puts that on
// the screen.
TEST_F(BlurStageTest, TheBlurredImageIsAddedToTheSceneOnTheScreen)
{
    const int width = 64;
    const int height = 48;
    BlurStage stage(blurTargetExtent(width), blurTargetExtent(height));
    RenderTarget sceneImage(width, height);
    sceneImage.clear(glm::vec4(60.0f / 255.0f, 30.0f / 255.0f, 10.0f / 255.0f, 1.0f));
    // Left half of the glow red, right half green: each half must land on its
    // own half of the screen.
    std::vector<unsigned char> glow;
    for (int y = 0; y < stage.height; ++y)
        for (int x = 0; x < stage.width; ++x) {
            bool left = x < stage.width / 2;
            glow.insert(glow.end(), {static_cast<unsigned char>(left ? 100 : 0),
                                        static_cast<unsigned char>(left ? 0 : 100), 40});
        }
    glBindTexture(GL_TEXTURE_2D, stage.colorTextures[2]);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, stage.width, stage.height, GL_RGB, GL_UNSIGNED_BYTE, glow.data());

    stage.addGlowTo(sceneImage.framebuffer, filledBy(stage));
    RenderTarget screen(width, height);
    screen.clear(glm::vec4(0.0f));
    glActiveTexture(GL_TEXTURE25);
    glBindTexture(GL_TEXTURE_2D, sceneImage.colour);
    addTexturesShader->use();
    setInt(*addTexturesShader, "preprocessTexture", 25);
    stage.compose(filledBy(stage));

    Rgba left = screen.pixel(8, 24);
    EXPECT_NEAR(left.r, 160, 1);
    EXPECT_NEAR(left.g, 30, 1);
    EXPECT_NEAR(left.b, 50, 1);
    Rgba right = screen.pixel(56, 24);
    EXPECT_NEAR(right.r, 60, 1);
    EXPECT_NEAR(right.g, 130, 1);
    EXPECT_NEAR(right.b, 50, 1);
    EXPECT_EQ(screen.pixel(0, 0).b, 50) << "the quad covers the whole screen";
    EXPECT_EQ(screen.pixel(63, 47).b, 50);
    EXPECT_EQ(glInteger(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(BlurStageTest, IncompleteTargetsReportAndDrawNothing)
{
    testing::internal::CaptureStdout();
    // No target of zero size can be complete: the failure path on purpose.
    BlurStage stage(0, 0);
    std::cout.flush();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
        "Problem mit FramebufferProblem mit FramebufferProblem mit Framebuffer")
        << "once per failing target, without a line end";
    EXPECT_FALSE(stage.complete);
    EXPECT_NO_GL_ERROR();

    GLuint effect = makeTexture(8, 8, [](int, int) { return std::array<unsigned char, 3>{255, 255, 255}; });
    RenderTarget screen(8, 8);
    screen.clear(glm::vec4(0.0f, 0.0f, 1.0f, 1.0f));
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    downsampleFrom(stage, effect);
    stage.blur(filledBy(stage));
    glActiveTexture(GL_TEXTURE25);
    glBindTexture(GL_TEXTURE_2D, effect);
    addTexturesShader->use();
    setInt(*addTexturesShader, "preprocessTexture", 25);
    stage.compose(filledBy(stage));
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint primitives = 99;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
    glDeleteQueries(1, &query);

    EXPECT_EQ(primitives, 0u);
    EXPECT_EQ(static_cast<GLuint>(glInteger(GL_FRAMEBUFFER_BINDING)), screen.framebuffer);
    Rgba pixel = screen.pixel(4, 4);
    EXPECT_EQ(pixel.b, 255);
    EXPECT_EQ(pixel.r, 0);
    glDeleteTextures(1, &effect);
    EXPECT_NO_GL_ERROR();
}

TEST_F(BlurStageTest, DestructorDeletesEveryName)
{
    std::vector<std::pair<GLboolean (*)(GLuint), GLuint>> names;
    {
        BlurStage stage(8, 8);
        for (GLuint buffer : {stage.positionBuffer, stage.uvBuffer, stage.indexBuffer})
            names.emplace_back([](GLuint n) { return glIsBuffer(n); }, buffer);
        for (GLuint vao : {stage.compositionVao, stage.blurVao})
            names.emplace_back([](GLuint n) { return glIsVertexArray(n); }, vao);
        for (int k = 0; k < 3; ++k) {
            names.emplace_back([](GLuint n) { return glIsTexture(n); }, stage.colorTextures[k]);
            names.emplace_back([](GLuint n) { return glIsRenderbuffer(n); }, stage.depthBuffers[k]);
            names.emplace_back([](GLuint n) { return glIsFramebuffer(n); }, stage.framebuffers[k]);
        }
        for (auto [isName, name] : names)
            EXPECT_TRUE(isName(name)) << name;
    }
    ASSERT_EQ(names.size(), 14u);
    for (auto [isName, name] : names)
        EXPECT_FALSE(isName(name)) << name;
    EXPECT_NO_GL_ERROR();
}

} // namespace
