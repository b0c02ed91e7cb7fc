#pragma once

// What the game decided this frame about glows that follow the music: while
// shown, each switched-on pillar and the playing jukebox glow at their level
// (1 is the glow they have without it). Drawn into the glow image by
// renderScene.
struct MusicGlow {
    bool shown = false;
    float pillars[4][3] = {{1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}};
    float jukebox = 1.0f;
};

extern MusicGlow musicGlow;
