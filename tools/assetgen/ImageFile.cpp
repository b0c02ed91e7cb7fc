#include "ImageFile.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace assetgen {

namespace {

using Bitmap = std::unique_ptr<FIBITMAP, void (*)(FIBITMAP*)>;

BYTE toByte(float value)
{
    return static_cast<BYTE>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

Bitmap toBitmap(const Canvas& canvas)
{
    Bitmap bitmap(FreeImage_Allocate(canvas.width(), canvas.height(), 24, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK,
                      FI_RGBA_BLUE_MASK),
        FreeImage_Unload);
    if (!bitmap)
        throw std::runtime_error("FreeImage: cannot allocate a " + std::to_string(canvas.width()) + " x "
            + std::to_string(canvas.height()) + " picture");
    for (int y = 0; y < canvas.height(); ++y) {
        // FreeImage's first scan line is the bottom row of the picture.
        BYTE* line = FreeImage_GetScanLine(bitmap.get(), canvas.height() - 1 - y);
        for (int x = 0; x < canvas.width(); ++x) {
            const Color& c = canvas.at(x, y);
            line[x * 3 + FI_RGBA_RED] = toByte(c.r);
            line[x * 3 + FI_RGBA_GREEN] = toByte(c.g);
            line[x * 3 + FI_RGBA_BLUE] = toByte(c.b);
        }
    }
    return bitmap;
}

Bytes save(const Canvas& canvas, FREE_IMAGE_FORMAT format, int flags, const char* name)
{
    Bitmap bitmap = toBitmap(canvas);
    std::unique_ptr<FIMEMORY, void (*)(FIMEMORY*)> memory(FreeImage_OpenMemory(nullptr, 0), FreeImage_CloseMemory);
    if (!memory || !FreeImage_SaveToMemory(format, bitmap.get(), memory.get(), flags))
        throw std::runtime_error(std::string("FreeImage: cannot encode the picture as ") + name);
    BYTE* data = nullptr;
    DWORD size = 0;
    if (!FreeImage_AcquireMemory(memory.get(), &data, &size) || size == 0)
        throw std::runtime_error(std::string("FreeImage: no ") + name + " data");
    return Bytes(data, data + size);
}

} // namespace

Bytes encodeJpeg(const Canvas& canvas, JfifMarker marker)
{
    // FreeImage's "baseline" option writes no marker besides the picture's own.
    int bare = marker == JfifMarker::Omit ? JPEG_BASELINE : 0;
    return save(canvas, FIF_JPEG, 92 | JPEG_SUBSAMPLING_444 | JPEG_OPTIMIZE | bare, "JPEG");
}

Bytes encodePng(const Canvas& canvas)
{
    // The notices are large and mostly smooth: quick compression costs little size.
    return save(canvas, FIF_PNG, PNG_Z_BEST_SPEED, "PNG");
}

Bytes encodeForPath(const Canvas& canvas, const std::string& path)
{
    bool png = path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    return png ? encodePng(canvas) : encodeJpeg(canvas, JfifMarker::Write);
}

} // namespace assetgen
