#pragma once

#include "Asset.h"
#include "pictures/Canvas.h"

namespace assetgen::pictures {

// 24-bit files through FreeImage, as the game loads them.
Bytes encodeJpeg(const Canvas& canvas);
Bytes encodePng(const Canvas& canvas);

} // namespace assetgen::pictures
