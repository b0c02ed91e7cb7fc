#include "platform/Screenshot.h"

#include <FreeImage.h>
#include <GL/glew.h>

#include <vector>

namespace platform {

bool saveScreenshot(const std::string& path, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);

    FIBITMAP* image = FreeImage_Allocate(width, height, 24);
    if (!image)
        return false;
    // glReadPixels and FreeImage both start with the bottom row.
    for (int y = 0; y < height; ++y) {
        BYTE* line = FreeImage_GetScanLine(image, y);
        const unsigned char* source = &rgb[static_cast<size_t>(y) * width * 3];
        for (int x = 0; x < width; ++x) {
            line[3 * x + FI_RGBA_RED] = source[3 * x];
            line[3 * x + FI_RGBA_GREEN] = source[3 * x + 1];
            line[3 * x + FI_RGBA_BLUE] = source[3 * x + 2];
        }
    }
    bool saved = FreeImage_Save(FIF_PNG, image, path.c_str(), PNG_DEFAULT);
    FreeImage_Unload(image);
    return saved;
}

} // namespace platform
