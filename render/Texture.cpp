#include "render/Texture.h"

#include <FreeImage.h>

#include <cstdlib>
#include <iostream>
#include <vector>

namespace {

// FreeImage's colour query only reads 24- and 32-bit bitmaps: bring palette,
// greyscale and 16-bit-per-channel images to 24 bits first.
FIBITMAP* toRgb24(FIBITMAP* image)
{
    if (FreeImage_GetImageType(image) == FIT_BITMAP && FreeImage_GetBPP(image) == 24)
        return image;
    FIBITMAP* standard = image;
    if (FreeImage_GetImageType(image) != FIT_BITMAP && FreeImage_GetImageType(image) != FIT_RGB16
        && FreeImage_GetImageType(image) != FIT_RGBA16) {
        standard = FreeImage_ConvertToStandardType(image, TRUE);
        if (!standard) {
            FreeImage_Unload(image);
            return nullptr;
        }
    }
    FIBITMAP* converted = FreeImage_ConvertTo24Bits(standard);
    if (standard != image)
        FreeImage_Unload(standard);
    FreeImage_Unload(image);
    return converted;
}

FIBITMAP* loadImage(const std::string& path)
{
    FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN)
        return nullptr;
    FIBITMAP* image = FreeImage_Load(format, path.c_str(), 0);
    if (!image)
        return nullptr;
    return toRgb24(image);
}

} // namespace

int rgbRowStride(int width)
{
    int stride = 3 * width;
    if (stride % 4 != 0)
        stride += 4 - stride % 4;
    return stride;
}

Texture::Texture(const std::string& path)
{
    glGenTextures(1, &textureId);
    bind();

    FIBITMAP* image = loadImage(path);
    if (!image) {
        std::cerr << "'Error occured while loading image" << std::endl;
        std::exit(-1);
    }
    const int width = static_cast<int>(FreeImage_GetWidth(image));
    const int height = static_cast<int>(FreeImage_GetHeight(image));
    const int stride = rgbRowStride(width);
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
    // FreeImage's row 0 is the picture's bottom row, which is also GL's first row.
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            RGBQUAD colour;
            FreeImage_GetPixelColor(image, static_cast<unsigned>(x), static_cast<unsigned>(y), &colour);
            unsigned char* texel = &pixels[static_cast<size_t>(y) * stride + 3 * static_cast<size_t>(x)];
            texel[0] = colour.rgbRed;
            texel[1] = colour.rgbGreen;
            texel[2] = colour.rgbBlue;
        }
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    FreeImage_Unload(image);
    glGetError();
    mipmapOn = true;
    linearOn = true;
}

Texture::~Texture()
{
    glDeleteTextures(1, &textureId);
}

void Texture::bind() const
{
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, textureId);
}

void Texture::toggleMipmap()
{
    bind();
    GLint minification = mipmapOn ? GL_LINEAR : GL_LINEAR_MIPMAP_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minification);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    mipmapOn = !mipmapOn;
}

void Texture::toggleSamplingQuality()
{
    bind();
    GLint minification;
    GLint magnification;
    if (mipmapOn) {
        minification = linearOn ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_LINEAR;
        magnification = linearOn ? GL_NEAREST : GL_LINEAR;
    } else {
        minification = linearOn ? GL_NEAREST : GL_LINEAR;
        magnification = minification;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minification);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magnification);
    linearOn = !linearOn;
}
