#include "render/Texture.h"

#include "support/ChildProcess.h"
#include "support/GlTestContext.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct Rgb {
    unsigned char r, g, b;
};

// A recognisable colour for every pixel, so shearing or flips show up.
Rgb patternAt(int x, int y)
{
    return {static_cast<unsigned char>(40 * x + 10), static_cast<unsigned char>(50 * y + 20),
        static_cast<unsigned char>((x * 7 + y * 13) % 256)};
}

std::string writeImage(const std::string& name, int width, int height, int bpp = 24,
    FREE_IMAGE_FORMAT format = FIF_PNG)
{
    static const std::string directory = testing_support::makeTempDirectory("clankora-texture");
    FIBITMAP* image = FreeImage_Allocate(width, height, bpp);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgb c = patternAt(x, y);
            RGBQUAD quad{c.b, c.g, c.r, 255};
            FreeImage_SetPixelColor(image, x, y, &quad);
        }
    }
    std::string path = directory + "/" + name;
    EXPECT_TRUE(FreeImage_Save(format, image, path.c_str(), format == FIF_JPEG ? JPEG_QUALITYSUPERB : 0));
    FreeImage_Unload(image);
    return path;
}

std::vector<unsigned char> readLevelZero(const Texture& texture, int width, int height)
{
    std::vector<unsigned char> texels(static_cast<size_t>(width * height * 3));
    glBindTexture(GL_TEXTURE_2D, texture.textureId);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return texels;
}

GLint parameter(const Texture& texture, GLenum name)
{
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture.textureId);
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

void expectFilters(const Texture& texture, GLint minification, GLint magnification)
{
    EXPECT_EQ(parameter(texture, GL_TEXTURE_MIN_FILTER), minification);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_MAG_FILTER), magnification);
}

TEST(TextureUpload, OddWidthUploadsWithoutShearing)
{
    ASSERT_GL_CONTEXT();
    EXPECT_EQ(rgbRowStride(5), 16);
    EXPECT_EQ(rgbRowStride(4), 12);
    Texture texture(writeImage("five.png", 5, 3));
    std::vector<unsigned char> texels = readLevelZero(texture, 5, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            Rgb c = patternAt(x, y);
            const unsigned char* t = &texels[static_cast<size_t>((y * 5 + x) * 3)];
            EXPECT_EQ(t[0], c.r) << x << "," << y;
            EXPECT_EQ(t[1], c.g) << x << "," << y;
            EXPECT_EQ(t[2], c.b) << x << "," << y;
        }
    }
    EXPECT_NO_GL_ERROR();
}

TEST(TextureUpload, BottomLeftPixelLandsAtTexCoordZero)
{
    ASSERT_GL_CONTEXT();
    Texture texture(writeImage("corner.png", 4, 4));
    std::vector<unsigned char> texels = readLevelZero(texture, 4, 4);
    // FreeImage's (0, 0) is the picture's bottom-left pixel; GL's first texel is (s, t) = (0, 0).
    Rgb bottomLeft = patternAt(0, 0);
    EXPECT_EQ(texels[0], bottomLeft.r);
    EXPECT_EQ(texels[1], bottomLeft.g);
    EXPECT_EQ(texels[2], bottomLeft.b);
}

TEST(TextureUpload, LeavesUnitZeroActiveWithTheTextureBound)
{
    ASSERT_GL_CONTEXT();
    glActiveTexture(GL_TEXTURE3);
    Texture texture(writeImage("bound.png", 2, 2));
    GLint active = 0;
    GLint bound = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(active, GL_TEXTURE0);
    EXPECT_EQ(static_cast<GLuint>(bound), texture.textureId);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_T), GL_REPEAT);
    GLint levels = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &levels);
    EXPECT_EQ(levels, 1) << "mipmap level 1 of a 2x2 image is 1x1";
}

TEST(TextureUpload, OtherPixelFormatsAreConvertedTo24Bits)
{
    ASSERT_GL_CONTEXT();
    Texture withAlpha(writeImage("alpha.png", 3, 2, 32));
    EXPECT_EQ(readLevelZero(withAlpha, 3, 2)[3], patternAt(1, 0).r);

    Texture jpeg(writeImage("photo.jpg", 8, 8, 24, FIF_JPEG));
    EXPECT_NEAR(readLevelZero(jpeg, 8, 8)[0], patternAt(0, 0).r, 40) << "JPEG is lossy";

    // An 8-bit greyscale image: FreeImage's colour query cannot read it directly.
    FIBITMAP* grey = FreeImage_Allocate(2, 2, 8);
    RGBQUAD* palette = FreeImage_GetPalette(grey);
    for (int i = 0; i < 256; ++i)
        palette[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    BYTE level = 200;
    for (unsigned y = 0; y < 2; ++y)
        for (unsigned x = 0; x < 2; ++x)
            FreeImage_SetPixelIndex(grey, x, y, &level);
    std::string path = testing_support::makeTempDirectory("clankora-grey") + "/grey.png";
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, grey, path.c_str(), 0));
    FreeImage_Unload(grey);
    Texture greyTexture(path);
    std::vector<unsigned char> texels = readLevelZero(greyTexture, 2, 2);
    EXPECT_EQ(texels[0], 200);
    EXPECT_EQ(texels[2], 200);
    EXPECT_NO_GL_ERROR();
}

TEST(TextureSwitches, FreshTextureSamplesTrilinearly)
{
    ASSERT_GL_CONTEXT();
    Texture texture(writeImage("fresh.png", 4, 4));
    EXPECT_TRUE(texture.mipmapOn);
    EXPECT_TRUE(texture.linearOn);
    expectFilters(texture, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
}

TEST(TextureSwitches, SamplingQualityCyclesNearestAndLinear)
{
    ASSERT_GL_CONTEXT();
    Texture texture(writeImage("quality.png", 4, 4));
    texture.toggleSamplingQuality();
    expectFilters(texture, GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST);
    EXPECT_FALSE(texture.linearOn);
    texture.toggleSamplingQuality();
    expectFilters(texture, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
    EXPECT_TRUE(texture.linearOn);

    texture.toggleMipmap();
    texture.toggleSamplingQuality();
    expectFilters(texture, GL_NEAREST, GL_NEAREST);
    texture.toggleSamplingQuality();
    expectFilters(texture, GL_LINEAR, GL_LINEAR);
}

TEST(TextureSwitches, MipmapSwitchAlwaysSelectsLinearAndKeepsLinearFlag)
{
    ASSERT_GL_CONTEXT();
    Texture texture(writeImage("mipmap.png", 4, 4));
    texture.toggleSamplingQuality(); // nearest, linearOn false
    texture.toggleMipmap();
    expectFilters(texture, GL_LINEAR, GL_LINEAR);
    EXPECT_FALSE(texture.mipmapOn);
    EXPECT_FALSE(texture.linearOn) << "the mipmap switch does not touch linearOn";
    texture.toggleSamplingQuality();
    expectFilters(texture, GL_LINEAR, GL_LINEAR);
    EXPECT_TRUE(texture.linearOn);

    Texture twice(writeImage("twice.png", 4, 4));
    twice.toggleMipmap();
    twice.toggleMipmap();
    expectFilters(twice, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
    EXPECT_TRUE(twice.mipmapOn);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE0);
}

TEST(TextureLifetime, DestructorDeletesTheGlName)
{
    ASSERT_GL_CONTEXT();
    GLuint name = 0;
    {
        Texture texture(writeImage("lifetime.png", 2, 2));
        name = texture.textureId;
        EXPECT_TRUE(glIsTexture(name));
    }
    EXPECT_FALSE(glIsTexture(name));
}

} // namespace
