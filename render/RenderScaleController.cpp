#include "render/RenderScaleController.h"

#include <algorithm>
#include <cmath>

namespace {

// A median above the budget is too slow; one under this share of it leaves
// room to draw more pixels. The gap between the two keeps a frame time that
// wavers around either edge from moving the scale back and forth.
constexpr float climbBelow = 0.6f;
// Where a step aims, as a share of the budget. Frames also pay for work that
// does not shrink with the scale, so a step down lands above its aim and a
// step up below it: both stay inside the band.
constexpr float aim = 0.8f;
// One step at most halves the scale, or raises it by half: a frame that was
// cheap only because the view was empty must not throw the scale to the top.
constexpr float largestDrop = 0.5f;
constexpr float largestClimb = 1.5f;
constexpr float secondsBetweenChanges = 1.0f;
// Scales are kept in hundredths; smaller steps change nothing one could see.
constexpr float grain = 0.01f;

// About 640 x 400 pixels: what llvmpipe on two cores lights within the budget.
constexpr float pixelsWithinBudget = 256000.0f;

float clampScale(float scale)
{
    return std::clamp(scale, RenderScaleController::lowest, RenderScaleController::highest);
}

float toGrain(float scale)
{
    return std::round(scale / grain) * grain;
}

} // namespace

RenderScaleController::RenderScaleController(float startScale)
    : current(clampScale(toGrain(startScale)))
{
}

float RenderScaleController::startScaleFor(long windowPixels)
{
    if (windowPixels <= 0)
        return highest;
    return clampScale(toGrain(std::sqrt(pixelsWithinBudget / static_cast<float>(windowPixels))));
}

float RenderScaleController::median() const
{
    std::array<float, window> sorted = recent;
    std::nth_element(sorted.begin(), sorted.begin() + window / 2, sorted.end());
    return sorted[window / 2];
}

void RenderScaleController::settleOn(float scale)
{
    current = scale;
    recorded = 0;
    sinceChange = 0.0f;
}

float RenderScaleController::frameDrawn(float seconds)
{
    if (!(seconds >= 0.0f))
        return current;
    recent[static_cast<size_t>(next)] = seconds;
    next = (next + 1) % window;
    recorded = std::min(recorded + 1, window);
    sinceChange += seconds;
    if (recorded < window || sinceChange < secondsBetweenChanges)
        return current;

    const float typical = median();
    const bool tooSlow = typical > budgetSeconds;
    const bool roomToGrow = typical < climbBelow * budgetSeconds && current < highest;
    if (!tooSlow && !roomToGrow)
        return current;
    // Pixels, and so frame time, go with the square of the scale.
    float ratio = std::sqrt(aim * budgetSeconds / std::max(typical, 1e-4f));
    ratio = std::clamp(ratio, largestDrop, largestClimb);
    const float wanted = clampScale(toGrain(current * ratio));
    if (std::fabs(wanted - current) >= 0.5f * grain)
        settleOn(wanted);
    return current;
}
