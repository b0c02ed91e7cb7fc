// The generator groups Model and ModelTexture: which maker writes each path.
#include "../Asset.h"
#include "Models.h"

#include <map>

namespace assetgen {

namespace {

using Maker = Bytes (*)();

std::optional<Bytes> make(const std::map<std::string, Maker>& makers, const std::string& path)
{
    auto found = makers.find(path);
    if (found == makers.end())
        return std::nullopt;
    return found->second();
}

} // namespace

std::optional<Bytes> generateModel(const std::string& path)
{
    using namespace models;
    static const std::map<std::string, Maker> makers = {
        {"Model/house/house.3ds", makeHouseModel},
        {"Model/house/house_new_flipped.obj", makeRoomModel},
        {"Model/house/Stair.obj", makeStairModel},
        {"Model/miscellaneous/jukeboxFront_flipped2.obj", makeJukeboxFrontModel},
        {"Model/miscellaneous/Jukebox.dae", makeJukeboxModel},
        {"Model/door/Door.obj", makeDoorModel},
        {"Model/robots/Robot1_merged_animated_top.dae", makeRoverTopModel},
        {"Model/robots/Robot1_merged_animated_bottom.obj", makeRoverBottomModel},
        {"Model/robots/Robot3_1.dae", makeTellyModel},
        {"Model/robots/Robot4.obj", makeSpinnerModel},
        {"Model/robots/vok_merged.dae", makeDroneModel},
        {"Model/robots/Robot5Eyes.obj", makeDroneEyesModel},
        {"Model/robots/Robot6_animated3.dae", makeDancerModel},
    };
    return make(makers, path);
}

std::optional<Bytes> generateModelTexture(const std::string& path)
{
    using namespace models;
    static const std::map<std::string, Maker> makers = {
        {"Model/house/TexHouseCellar.jpg", makeCellarTexture},
        {"Model/house/TexHouseFluffy.jpg", makeFluffyTexture},
        {"Model/house/TexHouseScifi.jpg", makeScifiTexture},
        {"Model/miscellaneous/Jukebox_D.jpg", makeJukeboxTexture},
        {"Model/door/tex/specular.jpg", makeDoorTexture},
        {"Model/robots/TexRobot1_top.jpg", makeRoverTopTexture},
        {"Model/robots/TexRobot1_bottom.jpg", makeRoverBottomTexture},
        {"Model/robots/TexRobot3.jpg", makeTellyTexture},
        {"Model/robots/TexRobot4.jpg", makeSpinnerTexture},
        {"Model/robots/TexRobot6_diffuse.jpg", makeDancerTexture},
    };
    return make(makers, path);
}

} // namespace assetgen
