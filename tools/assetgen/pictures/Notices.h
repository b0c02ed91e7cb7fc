#pragma once

#include "Canvas.h"

// The three full-screen notices. The game lays a notice's whole picture over
// the viewport, stretched to the window's shape, so each is laid out on a
// card of 16:10 (between 4:3 and 16:9, the screens it must read well on) and
// stored at a power-of-two size; the stretch back on screen is at most a
// sixth either way.
namespace assetgen::pictures {

constexpr int noticeLayoutWidth = 1600;
constexpr int noticeLayoutHeight = 1000;
constexpr int noticeFileWidth = 2048;
constexpr int noticeFileHeight = 1024;

struct Window {
    float left, top, right, bottom; // pixels, row 0 at the top
};

// The whole layout card.
Window noticeWindow();

// Plain swatches in the title picture's corners, outside its frame, in
// texture coordinates (v = 0 at the bottom): the house outside wears the
// title picture and takes its plain materials from them. Each lies inside a
// painted square with a margin, so filtering never reaches the backdrop.
struct Swatch {
    float u0, v0, u1, v1;
};
constexpr Swatch titleWallSwatch{0.005f, 0.008f, 0.01375f, 0.022f};
constexpr Swatch titleTrimSwatch{0.005f, 0.978f, 0.01375f, 0.992f};
constexpr Swatch titleRoofSwatch{0.98625f, 0.978f, 0.995f, 0.992f};
constexpr Swatch titleStoneSwatch{0.98625f, 0.008f, 0.995f, 0.022f};

Canvas makeTitleNotice();
Canvas makeHelpNotice();
Canvas makeLevelNotice();

} // namespace assetgen::pictures
