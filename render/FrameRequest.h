#pragma once

#include "render/FrameViewport.h"
#include "render/Spotlights.h"

class Texture;

// Glows that follow the music: while shown, each switched-on pillar and the
// playing jukebox glow at their level, 1 being the glow they have without it.
struct MusicGlow {
    bool shown = false;
    float pillars[4][3] = {{1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}};
    float jukebox = 1.0f;
};

// What the game decides, once a frame, that the renderer shows. Nothing under
// render/ reads the game's flags: a frame is drawn from this value, the
// camera and the scene registry.
struct FrameRequest {
    int framePhase = 1;     // 1 on the first frame, then alternately 0 and 1
    float deltaTime = 0.0f; // seconds since the last frame; the spotlights turn by it
    LevelFlags level;       // which spotlights, slots and light cones
    bool helpShown = false;
    bool titleShown = false;            // the title notice, until the intro starts
    bool levelTwoNoticeShown = false;   // the level notice, as level 2 begins
    bool levelThreeNoticeShown = false; // the same notice once more, as level 3 begins
    int doorGlows = 0;                  // the door goes into the glow once per solved puzzle
    MusicGlow musicGlow;
    const Texture* sky = nullptr;       // the sky box's picture
    bool wireframe = false;
    bool cullingOff = false;       // nothing is culled against the camera or a light
    bool reportCulled = false;     // the culled count is printed every frame
    bool translucentBoxes = true;  // off while the pillar poles are held solid
    FrameViewport viewport;
};
