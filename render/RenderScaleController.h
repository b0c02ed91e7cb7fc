#pragma once

#include <array>

// Chooses the share of the window, in each direction, that the 3D view is
// drawn at, so that a renderer without a graphics card holds its frame
// budget with as many pixels as it can. It sees only the time of each frame:
// the median of the last frames drawn at the current scale decides, at most
// once a second. It models a frame as a fixed part plus a part that goes with
// the pixel count (the square of the scale), measured at the last two scales
// it drew at, and steps to the scale whose predicted frame lies a little
// under the budget: down when the frames are over it, up while the
// prediction leaves room for a visible step. Holds no GL state and never
// allocates.
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
    float roomSeconds = 0.0f; // seconds the median has left room to climb, without a break
    float current;

    float measuredScale = 0.0f; // the scale drawn at before the last change, 0: none
    float measuredSeconds = 0.0f; // its median frame

    float median() const;
    void settleOn(float scale);
    float predictedSeconds(float scale, float typical) const;
    float scaleFor(float seconds, float typical) const;
};
