#pragma once

#include <array>

// Chooses the share of the window, in each direction, that the 3D view is
// drawn at, so that a renderer without a graphics card holds its frame
// budget. It sees only the wall time of each frame: the median of the last
// frames drawn at the current scale decides. Above the budget the scale
// drops, well below it the scale climbs; in between it stays, and it changes
// at most once a second. Each step aims at a frame a fifth under the budget,
// taking the frame time as proportional to the pixel count, which a software
// renderer's fragment work is. Holds no GL state and never allocates.
class RenderScaleController {
public:
    static constexpr float lowest = 0.33f;
    static constexpr float highest = 1.0f;
    static constexpr float budgetSeconds = 0.033f;

    explicit RenderScaleController(float startScale);

    // Takes the wall time of a frame drawn at scale(); returns the scale for
    // the next frame.
    float frameDrawn(float seconds);
    float scale() const { return current; }

    // The scale to start from for a window of this many pixels: the share at
    // which the 3D view covers about as many pixels as a software renderer
    // on two cores shades within the budget.
    static float startScaleFor(long windowPixels);

private:
    static constexpr int window = 9; // frames whose median decides
    std::array<float, window> recent{};
    int recorded = 0;         // frames at the current scale, up to the window
    int next = 0;             // where the next frame time goes
    float sinceChange = 0.0f; // seconds drawn since the last change
    float current;

    float median() const;
    void settleOn(float scale);
};
