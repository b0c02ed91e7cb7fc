#include "render/RenderScaleController.h"

#include <algorithm>
#include <cmath>

namespace {

// Where a step aims, as a share of the budget: the frames that follow scatter
// around their prediction, and must stay under the budget. A climb must be
// worth a visible step, and the room for it must last: predicted frame after
// frame for this long without a break, so that the frames' scatter alone
// never starts one. Between the aim and the budget the scale stays.
constexpr float aim = 0.85f;
constexpr float climbStep = 0.02f;
constexpr float climbPatience = 2.0f;
// Two measurements this far apart in scale tell the fixed part from the
// pixels' part; closer ones mostly measure the frames' scatter.
constexpr float measuredApart = 0.05f;
// Before the cost is known at two scales, the share of a frame taken as work
// that does not shrink with the scale (depth passes, vertex work, the
// full-window composition).
constexpr float assumedFixedShare = 0.35f;
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
    roomSeconds = 0.0f;
}

float RenderScaleController::predictedSeconds(float scale, float typical) const
{
    // Measured at two scales: the part that does not shrink and the part
    // that goes with the pixel count, each frame's cost being fixed +
    // perPixels * scale^2.
    if (measuredScale > 0.0f && std::fabs(measuredScale - current) >= measuredApart) {
        const float span = current * current - measuredScale * measuredScale;
        const float perPixels = (typical - measuredSeconds) / span;
        const float fixed = typical - perPixels * current * current;
        if (perPixels > 0.0f && fixed >= 0.0f)
            return fixed + perPixels * scale * scale;
    }
    // Not yet measured at two scales: a share of the frame taken as fixed.
    const float fixed = assumedFixedShare * typical;
    return fixed + (typical - fixed) * (scale * scale) / (current * current);
}

float RenderScaleController::scaleFor(float seconds, float typical) const
{
    // predictedSeconds is increasing in the scale: halve towards the answer.
    float low = lowest;
    float high = highest;
    for (int step = 0; step < 20; ++step) {
        const float middle = 0.5f * (low + high);
        (predictedSeconds(middle, typical) > seconds ? high : low) = middle;
    }
    return low;
}

float RenderScaleController::frameDrawn(float seconds)
{
    if (!(seconds >= 0.0f))
        return current;
    recent[static_cast<size_t>(next)] = seconds;
    next = (next + 1) % window;
    recorded = std::min(recorded + 1, window);
    sinceChange += seconds;
    if (recorded < window)
        return current;
    const float typical = median();
    float wanted = scaleFor(aim * budgetSeconds, typical);
    const bool room = current < highest && wanted >= current + climbStep;
    roomSeconds = room ? roomSeconds + seconds : 0.0f;
    if (sinceChange < secondsBetweenChanges)
        return current;

    const bool tooSlow = typical > budgetSeconds;
    if (!tooSlow && roomSeconds < climbPatience)
        return current;
    wanted = std::clamp(wanted, current * largestDrop, current * largestClimb);
    wanted = clampScale(toGrain(wanted));
    if (std::fabs(wanted - current) < 0.5f * grain)
        return current;
    measuredScale = current;
    measuredSeconds = typical;
    settleOn(wanted);
    return current;
}
