#include "support/PixelReadBack.h"

namespace testing_support {

std::vector<unsigned char> readBoundColour(int x, int y, int width, int height, GLenum format)
{
    const size_t channels = format == GL_RGB ? 3 : 4;
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * channels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, format, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::vector<unsigned char> readColour(GLuint framebuffer, int x, int y, int width, int height, GLenum format)
{
    GLint boundForReading = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &boundForReading);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glReadBuffer(framebuffer ? GL_COLOR_ATTACHMENT0 : GL_BACK);
    std::vector<unsigned char> pixels = readBoundColour(x, y, width, height, format);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(boundForReading));
    return pixels;
}

glm::ivec4 readColourAt(GLuint framebuffer, int x, int y)
{
    const std::vector<unsigned char> rgba = readColour(framebuffer, x, y, 1, 1);
    return glm::ivec4(rgba[0], rgba[1], rgba[2], rgba[3]);
}

} // namespace testing_support
