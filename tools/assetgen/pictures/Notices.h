#pragma once

#include "pictures/Canvas.h"

// The three full-screen notices. A notice is the near face of a card two units
// wide, half a unit in front of the eye, seen with a vertical field of view of
// 50 degrees: only the middle of the picture shows, so everything that must be
// read sits in the window that a 4:3 screen sees (wider screens see more of
// the backdrop around it).
namespace assetgen::pictures {

constexpr int noticeSize = 4096;

struct Window {
    float left, top, right, bottom; // pixels, row 0 at the top
};

// The part of a notice a screen of this width / height shows.
Window visibleWindow(float aspect);

Canvas makeTitleNotice();
Canvas makeHelpNotice();
Canvas makeLevelNotice();

} // namespace assetgen::pictures
