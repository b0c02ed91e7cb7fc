#pragma once

#include "../Asset.h"

// Every model file and model texture of the game, one maker each; the
// table in assetList.inc says which path each one writes.
namespace assetgen::models {

Bytes makeHouseModel();
Bytes makeRoomModel();
Bytes makeStairModel();
Bytes makeCellarTexture();
Bytes makeFluffyTexture();
Bytes makeScifiTexture();
Bytes makeJukeboxModel();
Bytes makeJukeboxFrontModel();
Bytes makeJukeboxTexture();
Bytes makeDoorModel();
Bytes makeDoorTexture();
Bytes makeRoverTopModel();
Bytes makeRoverBottomModel();
Bytes makeRoverTopTexture();
Bytes makeRoverBottomTexture();
Bytes makeTellyModel();
Bytes makeTellyTexture();
Bytes makeSpinnerModel();
Bytes makeSpinnerTexture();
Bytes makeDroneModel();
Bytes makeDroneEyesModel();
Bytes makeDancerModel();
Bytes makeDancerTexture();

} // namespace assetgen::models
