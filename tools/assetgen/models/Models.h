#pragma once

#include "../Asset.h"

// Every model file and model texture of the game, one maker each.
namespace assetgen::models {

Bytes makeHouseModel();         // Model/house/house.3ds
Bytes makeRoomModel();          // Model/house/house_new_flipped.obj
Bytes makeStairModel();         // Model/house/Stair.obj
Bytes makeCellarTexture();      // Model/house/TexHouseCellar.jpg
Bytes makeFluffyTexture();      // Model/house/TexHouseFluffy.jpg
Bytes makeScifiTexture();       // Model/house/TexHouseScifi.jpg
Bytes makeJukeboxModel();       // Model/miscellaneous/Jukebox.dae
Bytes makeJukeboxFrontModel();  // Model/miscellaneous/jukeboxFront_flipped2.obj
Bytes makeJukeboxTexture();     // Model/miscellaneous/Jukebox_D.jpg
Bytes makeDoorModel();          // Model/door/Door.obj
Bytes makeDoorTexture();        // Model/door/tex/specular.jpg
Bytes makeRoverTopModel();      // Model/robots/Robot1_merged_animated_top.dae
Bytes makeRoverBottomModel();   // Model/robots/Robot1_merged_animated_bottom.obj
Bytes makeRoverTopTexture();    // Model/robots/TexRobot1_top.jpg
Bytes makeRoverBottomTexture(); // Model/robots/TexRobot1_bottom.jpg
Bytes makeTellyModel();         // Model/robots/Robot3_1.dae
Bytes makeTellyTexture();       // Model/robots/TexRobot3.jpg
Bytes makeSpinnerModel();       // Model/robots/Robot4.obj
Bytes makeSpinnerTexture();     // Model/robots/TexRobot4.jpg
Bytes makeDroneModel();         // Model/robots/vok_merged.dae
Bytes makeDroneEyesModel();     // Model/robots/Robot5Eyes.obj
Bytes makeDancerModel();        // Model/robots/Robot6_animated3.dae
Bytes makeDancerTexture();      // Model/robots/TexRobot6_diffuse.jpg

} // namespace assetgen::models
