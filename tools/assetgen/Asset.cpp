#include "Asset.h"

#include "ImageFile.h"
#include "models/Models.h"
#include "pictures/Notices.h"
#include "pictures/Textures.h"

namespace assetgen {

namespace {

// A picture, encoded as PNG or JPEG as its path's extension says.
template <Canvas (*paint)()>
Bytes picture(const std::string& path)
{
    return encodeForPath(paint(), path);
}

// The desktop icon at one of its sizes.
template <int size>
Bytes icon(const std::string&)
{
    return makeIcon(size);
}

// A file whose maker needs no path.
template <Bytes (*make)()>
Bytes file(const std::string&)
{
    return make();
}

} // namespace

const std::vector<Asset>& allAssets()
{
    static const std::vector<Asset> assets = {
#define ASSET(path, group, maker) {path, Group::group, maker},
#include "assetList.inc"
#undef ASSET
    };
    return assets;
}

Bytes generate(const Asset& asset)
{
    return asset.make(asset.path);
}

} // namespace assetgen
