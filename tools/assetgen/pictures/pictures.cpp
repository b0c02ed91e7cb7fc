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

} // namespace assetgen::pictures
