// The pictures the build generated into the game folder, read back the way
// the game reads them (FreeImage, per-pixel colour queries).
#include "Asset.h"
#include "pictures/Notices.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bitmap = std::unique_ptr<FIBITMAP, void (*)(FIBITMAP*)>;

std::vector<std::string> picturePaths()
{
    std::vector<std::string> paths;
    for (const assetgen::Asset& asset : assetgen::allAssets())
        if (asset.group == assetgen::Group::Picture)
            paths.push_back(asset.path);
    return paths;
}

Bitmap load(const std::string& path)
{
    FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(path.c_str());
    return Bitmap(FreeImage_Load(format, path.c_str(), 0), FreeImage_Unload);
}

bool powerOfTwo(unsigned n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

// The picture as rows of RGB bytes, row 0 at the top.
struct Pixels {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    int difference(int x0, int y0, int x1, int y1) const
    {
        const unsigned char *a = at(x0, y0), *b = at(x1, y1);
        return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
    }
};

Pixels readPixels(const std::string& path)
{
    Bitmap bitmap = load(path);
    Pixels p;
    if (!bitmap)
        return p;
    p.width = static_cast<int>(FreeImage_GetWidth(bitmap.get()));
    p.height = static_cast<int>(FreeImage_GetHeight(bitmap.get()));
    p.rgb.resize(static_cast<size_t>(p.width) * p.height * 3);
    for (int y = 0; y < p.height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(bitmap.get(), p.height - 1 - y);
        for (int x = 0; x < p.width; ++x) {
            unsigned char* out = &p.rgb[(static_cast<size_t>(y) * p.width + x) * 3];
            out[0] = line[x * 3 + FI_RGBA_RED];
            out[1] = line[x * 3 + FI_RGBA_GREEN];
            out[2] = line[x * 3 + FI_RGBA_BLUE];
        }
    }
    return p;
}

TEST(PictureFiles, EveryPictureLoadsAs24BitRgbInTheFormatOfItsName)
{
    ASSERT_EQ(picturePaths().size(), 11u);
    for (const std::string& path : picturePaths()) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(std::filesystem::is_regular_file(path)) << "the build did not generate it";
        bool png = path.substr(path.size() - 4) == ".png";
        EXPECT_EQ(FreeImage_GetFileType(path.c_str(), 0), png ? FIF_PNG : FIF_JPEG);
        Bitmap bitmap = load(path);
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(FreeImage_GetBPP(bitmap.get()), 24u);
        EXPECT_EQ(FreeImage_GetColorType(bitmap.get()), FIC_RGB);
        EXPECT_TRUE(powerOfTwo(FreeImage_GetWidth(bitmap.get()))) << FreeImage_GetWidth(bitmap.get());
        EXPECT_TRUE(powerOfTwo(FreeImage_GetHeight(bitmap.get()))) << FreeImage_GetHeight(bitmap.get());
        RGBQUAD colour;
        EXPECT_TRUE(FreeImage_GetPixelColor(bitmap.get(), 0, 0, &colour)) << "the game reads pixels one by one";
    }
}

TEST(PictureFiles, FlatColoursAreOneColourEach)
{
    struct Flat {
        const char* path;
        int r, g, b;
    };
    for (const Flat& flat : {Flat{"OpenGL/Textures/white.png", 255, 255, 255}, Flat{"OpenGL/Textures/black.png", 0, 0, 0}}) {
        Pixels p = readPixels(flat.path);
        ASSERT_GT(p.width, 0) << flat.path;
        for (size_t i = 0; i < p.rgb.size(); i += 3)
            ASSERT_TRUE(p.rgb[i] == flat.r && p.rgb[i + 1] == flat.g && p.rgb[i + 2] == flat.b) << flat.path;
    }
    Pixels pink = readPixels("OpenGL/Textures/pink.png");
    ASSERT_GT(pink.width, 0);
    const unsigned char* first = pink.at(0, 0);
    EXPECT_GT(first[0], 200);
    EXPECT_GT(first[2], first[1] + 40) << "pink: more blue than green";
    for (size_t i = 0; i < pink.rgb.size(); i += 3)
        ASSERT_EQ(std::vector<unsigned char>(pink.rgb.begin() + i, pink.rgb.begin() + i + 3),
            std::vector<unsigned char>(first, first + 3));
}

// Mean colour difference between neighbouring rows (or columns) inside the
// picture, and across the seam where the picture meets its own copy.
void expectTiles(const std::string& path)
{
    SCOPED_TRACE(path);
    Pixels p = readPixels(path);
    ASSERT_GT(p.width, 8);
    double insideRows = 0, seamRows = 0, insideColumns = 0, seamColumns = 0;
    for (int x = 0; x < p.width; ++x) {
        for (int y = 1; y < p.height; ++y)
            insideRows += p.difference(x, y - 1, x, y);
        seamRows += p.difference(x, p.height - 1, x, 0);
    }
    for (int y = 0; y < p.height; ++y) {
        for (int x = 1; x < p.width; ++x)
            insideColumns += p.difference(x - 1, y, x, y);
        seamColumns += p.difference(p.width - 1, y, 0, y);
    }
    insideRows /= double(p.width) * (p.height - 1);
    seamRows /= p.width;
    insideColumns /= double(p.height) * (p.width - 1);
    seamColumns /= p.height;
    // JPEG blocks end at the picture's edges, so allow a little more there.
    EXPECT_LE(seamRows, insideRows * 1.25 + 1.0) << "top and bottom edges do not meet";
    EXPECT_LE(seamColumns, insideColumns * 1.25 + 1.0) << "left and right edges do not meet";
}

TEST(PictureFiles, RepeatingTexturesMeetAtTheirEdges)
{
    for (const char* path : {"OpenGL/Textures/instruments.jpg", "OpenGL/Textures/metalBox.jpg",
             "OpenGL/Textures/stars.jpg", "OpenGL/Textures/container04.jpg"})
        expectTiles(path);
}

TEST(PictureFiles, MaterialTexturesHaveDetail)
{
    for (const char* path : {"OpenGL/Textures/woodBox2.jpg", "OpenGL/Textures/metalBox.jpg",
             "OpenGL/Textures/instruments.jpg", "OpenGL/Textures/container04.jpg", "OpenGL/Textures/stars.jpg"}) {
        SCOPED_TRACE(path);
        Pixels p = readPixels(path);
        ASSERT_GE(p.width, 256);
        double mean = 0, square = 0;
        for (unsigned char c : p.rgb) {
            mean += c;
            square += double(c) * c;
        }
        mean /= p.rgb.size();
        double deviation = std::sqrt(square / p.rgb.size() - mean * mean);
        EXPECT_GT(deviation, 4.0) << "a plain picture where a material was expected";
    }
}

// A notice covers the whole screen, stretched to the window's shape: its text
// must fill the card inside the frame, and only the house's plain swatches
// may sit in the corners outside it.
TEST(PictureFiles, NoticesCarryTheirTextInsideTheirFrame)
{
    using namespace assetgen::pictures;
    const Swatch swatches[] = {titleWallSwatch, titleTrimSwatch, titleRoofSwatch, titleStoneSwatch};
    for (const char* path : {"OpenGL/Textures/Level1.png", "OpenGL/Textures/Helpscreen.png", "OpenGL/Textures/Level2.png"}) {
        SCOPED_TRACE(path);
        Pixels p = readPixels(path);
        ASSERT_EQ(p.width, noticeFileWidth);
        ASSERT_EQ(p.height, noticeFileHeight);
        // The frame's line runs 26 layout pixels in from the edge: text stays
        // inside it, and the strip outside it is plain but for the corners.
        auto inStrip = [&](int x, int y, double layoutPixels) {
            double sx = layoutPixels * p.width / noticeLayoutWidth, sy = layoutPixels * p.height / noticeLayoutHeight;
            return x < sx || x >= p.width - sx || y < sy || y >= p.height - sy;
        };
        auto inCornerSquare = [&](int x, int y) {
            double sx = 30.0 * p.width / noticeLayoutWidth, sy = 30.0 * p.height / noticeLayoutHeight;
            return (x < sx || x >= p.width - sx) && (y < sy || y >= p.height - sy);
        };
        // Letters show as sharp steps between neighbouring pixels; the
        // backdrop changes gently.
        long inside = 0, outside = 0;
        double minX = p.width, maxX = 0, minY = p.height, maxY = 0;
        for (int y = 0; y + 1 < p.height; ++y)
            for (int x = 0; x + 1 < p.width; ++x) {
                int step = std::max(p.difference(x, y, x + 1, y), p.difference(x, y, x, y + 1));
                if (step < 150)
                    continue;
                if (!inStrip(x, y, 40.0)) {
                    ++inside;
                    minX = std::min<double>(minX, x);
                    maxX = std::max<double>(maxX, x);
                    minY = std::min<double>(minY, y);
                    maxY = std::max<double>(maxY, y);
                } else if (inStrip(x, y, 20.0) && !inCornerSquare(x, y)) {
                    ++outside;
                }
            }
        EXPECT_GT(inside, 20000) << "hardly any text";
        EXPECT_EQ(outside, 0) << "sharp detail between the frame and the edge";
        // The text spreads over the card, not a corner of it.
        EXPECT_GT(maxX - minX, p.width * 0.5);
        EXPECT_GT(maxY - minY, p.height * 0.5);
    }
    // The swatches the house samples are plain and differ from each other.
    Pixels title = readPixels("OpenGL/Textures/Level1.png");
    ASSERT_GT(title.width, 0);
    std::vector<int> brightness;
    for (const Swatch& swatch : swatches) {
        int x0 = int(std::ceil(swatch.u0 * title.width)), x1 = int(swatch.u1 * title.width);
        int y0 = int(std::ceil((1 - swatch.v1) * title.height)), y1 = int((1 - swatch.v0) * title.height);
        ASSERT_LT(x0, x1);
        ASSERT_LT(y0, y1);
        int most = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                most = std::max(most, title.difference(x, y, x0, y0));
        EXPECT_LE(most, 3) << "a swatch should be one colour";
        const unsigned char* c = title.at(x0, y0);
        brightness.push_back(c[0] + c[1] + c[2]);
    }
    for (size_t i = 0; i < brightness.size(); ++i)
        for (size_t j = i + 1; j < brightness.size(); ++j)
            EXPECT_GT(std::abs(brightness[i] - brightness[j]), 40) << "swatches " << i << " and " << j;
}

} // namespace
