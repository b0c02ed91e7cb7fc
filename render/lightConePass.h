#pragma once

#include "render/Spotlights.h"

class Camera;

// The visible beams of the level's light cones, added to what the frame has
// drawn so far: additive blending, depth tested but not written, so objects
// in front hide a beam and the beams do not hide each other. Each cone reads
// its spotlight's depth map on texture unit 6, which no spotlight slot of the
// camera program uses, and unprojects it through
// inverse(bias x light matrix); the cones of rotating spotlights first take
// their spotlight's current direction. Blending is off and depth writes are
// on again afterwards.
void drawLightCones(const Camera& viewer, LevelFlags level);
