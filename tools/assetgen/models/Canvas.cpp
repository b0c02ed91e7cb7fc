#include "Canvas.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen::models {

Canvas::Canvas(int width, int height, const glm::vec3& background)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, background)
{
}

void Canvas::paint(const UvRect& rect, const Shader& shader, int bleed, bool wrap)
{
    float left = std::min(rect.u0, rect.u1) * width_, right = std::max(rect.u0, rect.u1) * width_;
    float bottom = std::min(rect.v0, rect.v1) * height_, top = std::max(rect.v0, rect.v1) * height_;
    int x0 = std::max(0, static_cast<int>(std::floor(left)) - bleed);
    int x1 = std::min(width_, static_cast<int>(std::ceil(right)) + bleed);
    int y0 = std::max(0, static_cast<int>(std::floor(bottom)) - bleed);
    int y1 = std::min(height_, static_cast<int>(std::ceil(top)) + bleed);
    float spanS = (rect.u1 - rect.u0) * width_, spanT = (rect.v1 - rect.v0) * height_;
    if (spanS == 0.0f || spanT == 0.0f)
        return;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            float s = (static_cast<float>(x) + 0.5f - rect.u0 * width_) / spanS;
            float t = (static_cast<float>(y) + 0.5f - rect.v0 * height_) / spanT;
            if (wrap) {
                s -= std::floor(s);
                t -= std::floor(t);
            } else {
                s = std::clamp(s, 0.0f, 1.0f);
                t = std::clamp(t, 0.0f, 1.0f);
            }
            glm::vec3& pixel = at(x, y);
            pixel = shader({s, t}, pixel);
        }
    }
}

Bytes Canvas::toJpeg(int quality) const
{
    FIBITMAP* bitmap = FreeImage_Allocate(width_, height_, 24);
    if (!bitmap)
        throw std::runtime_error("cannot allocate a picture");
    for (int y = 0; y < height_; ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, y);
        for (int x = 0; x < width_; ++x) {
            glm::vec3 c = glm::clamp(at(x, y), 0.0f, 1.0f) * 255.0f + 0.5f;
            row[3 * x + FI_RGBA_RED] = static_cast<BYTE>(c.r);
            row[3 * x + FI_RGBA_GREEN] = static_cast<BYTE>(c.g);
            row[3 * x + FI_RGBA_BLUE] = static_cast<BYTE>(c.b);
        }
    }
    FIMEMORY* memory = FreeImage_OpenMemory();
    bool saved = FreeImage_SaveToMemory(FIF_JPEG, bitmap, memory,
        quality | JPEG_SUBSAMPLING_444 | JPEG_OPTIMIZE | JPEG_BASELINE);
    Bytes bytes;
    if (saved) {
        BYTE* data = nullptr;
        DWORD size = 0;
        FreeImage_AcquireMemory(memory, &data, &size);
        bytes.assign(data, data + size);
    }
    FreeImage_CloseMemory(memory);
    FreeImage_Unload(bitmap);
    if (!saved)
        throw std::runtime_error("JPEG encoding failed");
    return bytes;
}

} // namespace assetgen::models
