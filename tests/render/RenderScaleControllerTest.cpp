// The render scale's controller, fed scripted frame times: a renderer whose
// frame costs a fixed part plus a part that goes with the pixel count, with
// noise, as llvmpipe's frames do.
#include "render/RenderScaleController.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Frame cost in seconds: fixed + perFullFrame * scale², varied by up to
// +-noise (a share) from a fixed pseudo-random sequence.
struct Renderer {
    float fixed;
    float perFullFrame;
    float noise = 0.0f;
    std::uint32_t state = 12345u;

    float frame(float scale)
    {
        state = state * 1664525u + 1013904223u;
        const float unit = static_cast<float>(state >> 8) / static_cast<float>(1u << 24); // [0, 1)
        return (fixed + perFullFrame * scale * scale) * (1.0f + noise * (2.0f * unit - 1.0f));
    }
};

struct Change {
    float at; // seconds since the sequence started
    float from;
    float to;
};

struct Sequence {
    std::vector<Change> changes;
    std::vector<float> scales; // the scale of every frame
    float seconds = 0.0f;
};

// Plays frames for the given seconds, adding to what the run holds.
void play(RenderScaleController& controller, Renderer& renderer, float seconds, Sequence& run)
{
    for (float end = run.seconds + seconds; run.seconds < end;) {
        const float before = controller.scale();
        const float frame = renderer.frame(before);
        run.scales.push_back(before);
        run.seconds += frame;
        const float after = controller.frameDrawn(frame);
        if (after != before)
            run.changes.push_back({run.seconds, before, after});
    }
}

void expectInRangeAndPaced(const Sequence& run)
{
    for (float scale : run.scales) {
        EXPECT_GE(scale, RenderScaleController::lowest);
        EXPECT_LE(scale, RenderScaleController::highest);
    }
    for (size_t i = 1; i < run.changes.size(); ++i)
        EXPECT_GE(run.changes[i].at - run.changes[i - 1].at, 1.0f - 1e-4f) << "change " << i;
}

// Direction reversals: a drop after a climb or a climb after a drop.
int reversals(const Sequence& run)
{
    int count = 0;
    for (size_t i = 1; i < run.changes.size(); ++i)
        if ((run.changes[i].to > run.changes[i].from) != (run.changes[i - 1].to > run.changes[i - 1].from))
            ++count;
    return count;
}

// A level at 1280 x 720 on two cores: 15 ms whatever the scale, 120 ms of
// pixels at full scale.
TEST(RenderScaleController, SettlesUnderTheBudgetWithoutSwinging)
{
    for (float noise : {0.0f, 0.25f}) {
        SCOPED_TRACE(noise);
        Renderer level{0.015f, 0.120f, noise};
        RenderScaleController controller(RenderScaleController::startScaleFor(1280L * 720L));
        Sequence run;
        play(controller, level, 60.0f, run);
        expectInRangeAndPaced(run);
        ASSERT_FALSE(run.changes.empty());
        EXPECT_LT(run.changes.back().at, 10.0f) << "still moving after ten seconds";
        EXPECT_EQ(reversals(run), 0);
        const float settled = controller.scale();
        const float typical = level.fixed + level.perFullFrame * settled * settled;
        EXPECT_LE(typical, RenderScaleController::budgetSeconds);
        EXPECT_GE(typical, 0.6f * RenderScaleController::budgetSeconds) << "settled far below what the budget allows";
    }
}

// The view gets cheap (the title after a level, a small window): the scale
// goes back to 1 and stays; then it gets dear again and the scale comes down.
TEST(RenderScaleController, ClimbsBackToOneAndComesDownAgain)
{
    Renderer dear{0.010f, 0.150f, 0.1f};
    Renderer cheap{0.004f, 0.012f, 0.1f};
    RenderScaleController controller(0.5f);
    Sequence run;
    play(controller, dear, 15.0f, run);
    const float underLoad = controller.scale();
    EXPECT_LT(underLoad, 0.5f);
    play(controller, cheap, 15.0f, run);
    EXPECT_EQ(controller.scale(), 1.0f);
    EXPECT_EQ(run.scales.back(), 1.0f);
    play(controller, dear, 15.0f, run);
    EXPECT_NEAR(controller.scale(), underLoad, 0.03f);
    expectInRangeAndPaced(run);
    EXPECT_EQ(reversals(run), 2) << "one climb phase and one drop phase, no swings within them";
}

TEST(RenderScaleController, StaysWithinItsRangeAtTheExtremes)
{
    Renderer hopeless{0.0f, 2.0f};
    RenderScaleController slow(0.9f);
    Sequence slowRun;
    play(slow, hopeless, 30.0f, slowRun);
    EXPECT_EQ(slow.scale(), RenderScaleController::lowest);
    expectInRangeAndPaced(slowRun);

    Renderer instant{0.0005f, 0.0f};
    RenderScaleController fast(0.2f); // below the range: starts at its bottom
    EXPECT_EQ(fast.scale(), RenderScaleController::lowest);
    Sequence fastRun;
    play(fast, instant, 30.0f, fastRun);
    EXPECT_EQ(fast.scale(), RenderScaleController::highest);
    expectInRangeAndPaced(fastRun);

    // A clock that stepped back or a broken reading changes nothing.
    EXPECT_EQ(fast.frameDrawn(-1.0f), RenderScaleController::highest);
    EXPECT_EQ(fast.frameDrawn(std::nanf("")), RenderScaleController::highest);
}

TEST(RenderScaleController, StartsLowerForLargerWindows)
{
    EXPECT_EQ(RenderScaleController::startScaleFor(640L * 360L), 1.0f);
    const float hd = RenderScaleController::startScaleFor(1280L * 720L);
    const float fullHd = RenderScaleController::startScaleFor(1920L * 1080L);
    EXPECT_LT(hd, 1.0f);
    EXPECT_LT(fullHd, hd);
    // The start covers about the same number of pixels at either size.
    EXPECT_NEAR(hd * hd * 1280.0f * 720.0f, fullHd * fullHd * 1920.0f * 1080.0f, 0.05f * hd * hd * 1280.0f * 720.0f);
    EXPECT_EQ(RenderScaleController::startScaleFor(7680L * 4320L), RenderScaleController::lowest);
}

} // namespace
