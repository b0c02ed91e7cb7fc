#pragma once

#include "Asset.h"
#include "Canvas.h"

#include <string>

namespace assetgen {

// Whether a JPEG begins with the JFIF marker (72 dpi). Loaders read the same
// pixels either way and only the file's bytes change, which every generated
// file keeps stable: the pictures carry the marker, the model textures not.
enum class JfifMarker { Write, Omit };

// 24-bit files through FreeImage, as the game loads them, the same bytes for
// the same pixels.
Bytes encodeJpeg(const Canvas& canvas, JfifMarker marker);
Bytes encodePng(const Canvas& canvas);
// A picture's file: PNG for a path ending in ".png", JPEG otherwise.
Bytes encodeForPath(const Canvas& canvas, const std::string& path);

} // namespace assetgen
