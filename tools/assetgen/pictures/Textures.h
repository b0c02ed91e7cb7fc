#pragma once

#include "Canvas.h"

// The material pictures of the scene. Those that repeat across a surface
// (metal, container, stars, instruments) are tileable.
namespace assetgen::pictures {

Canvas makeWoodCrate();
Canvas makeBrushedMetal();
Canvas makeContainerPanel();
Canvas makeStarfield();
Canvas makeInstrumentPattern();
// Plain colours, 16 x 16.
Canvas makePinkTexture();
Canvas makeWhiteTexture();
Canvas makeBlackTexture();

} // namespace assetgen::pictures
