#pragma once

#include <GL/glew.h>
#include <string>

// One JPEG or PNG image as a mipmapped, repeating 8-bit RGB texture. An image
// that does not load ends the program with exit status -1.
class Texture {
public:
    GLuint textureId = 0;
    bool mipmapOn = true;
    bool linearOn = true;

    // Leaves the texture bound to GL_TEXTURE_2D on unit 0, with unit 0 active.
    explicit Texture(const std::string& path);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Mipmapping on or off; always selects linear filtering.
    void toggleMipmap();
    // Linear or nearest sampling, keeping the mipmap choice.
    void toggleSamplingQuality();

private:
    void bind() const;
};

// Bytes per row of a tightly packed RGB image padded to OpenGL's default
// unpack alignment of 4.
int rgbRowStride(int width);
