#pragma once

#include "Asset.h"
#include "pictures/Canvas.h"

#include <string>

namespace assetgen::pictures {

// 24-bit files through FreeImage, as the game loads them.
Bytes encodeJpeg(const Canvas& canvas);
Bytes encodePng(const Canvas& canvas);
// PNG for a path ending in ".png", JPEG otherwise.
Bytes encodeForPath(const Canvas& canvas, const std::string& path);

} // namespace assetgen::pictures
