#include "Asset.h"

namespace assetgen {

const std::vector<Asset>& allAssets()
{
    static const std::vector<Asset> assets = {
#define ASSET(path, group) {path, Group::group},
#include "assetList.inc"
#undef ASSET
    };
    return assets;
}

std::optional<Bytes> generate(const Asset& asset)
{
    switch (asset.group) {
    case Group::Picture:
        return generatePicture(asset.path);
    case Group::Song:
        return generateSong(asset.path);
    case Group::ModelTexture:
        return generateModelTexture(asset.path);
    case Group::Model:
        return generateModel(asset.path);
    case Group::Icon:
        return generateIcon(asset.path);
    }
    return std::nullopt;
}

} // namespace assetgen
