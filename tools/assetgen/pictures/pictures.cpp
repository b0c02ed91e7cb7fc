#include "pictures/ImageFile.h"
#include "pictures/Textures.h"

namespace assetgen::pictures {

namespace {

Canvas flat(Color colour)
{
    return Canvas(16, 16, colour);
}

} // namespace

Canvas makePinkTexture()
{
    return flat(hex(0xff69b4));
}

Canvas makeWhiteTexture()
{
    return flat({1, 1, 1});
}

Canvas makeBlackTexture()
{
    return flat({0, 0, 0});
}

Bytes encodeForPath(const Canvas& canvas, const std::string& path)
{
    bool png = path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    return png ? encodePng(canvas) : encodeJpeg(canvas);
}

} // namespace assetgen::pictures
