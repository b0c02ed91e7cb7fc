#pragma once

#include "music/Random.h"
#include "music/Score.h"

#include <string>

namespace assetgen::music {

// How hits of a step grid are placed and varied.
struct Feel {
    double swing = 0.0;       // beats that every second sixteenth is late
    double timingJitter = 0.0; // beats, random either way
    int velocityJitter = 0;    // random either way
};

// Adds one hit per step of a sixteenth-note grid starting at firstBeat:
// 'X' accent, 'x' normal, 'o' soft, 'g' ghost note, any other character rests.
// Spaces are ignored, so a bar can be written "x..x ..x. ..x. ....".
void addGrid(Part& part, double firstBeat, const std::string& grid, int key, int velocity, double length,
    const Feel& feel, Random& random);

} // namespace assetgen::music
