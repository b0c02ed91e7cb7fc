// Scores played through FluidSynth: notes sound where the score puts them, in
// both passes of a loop, and a repeated key is not cut short by the release
// of the note before it.
#include "music/FluidRenderer.h"
#include "music/LoopRendering.h"
#include "music/MusicalTime.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace assetgen::music;

// The first frame from `from` on where the sound rises above a level.
int64_t onset(const StereoBuffer& b, int64_t from, float level = 0.01f)
{
    for (int64_t i = from; i < b.frames(); ++i)
        if (std::fabs(b.left[i]) > level || std::fabs(b.right[i]) > level)
            return i;
    return -1;
}

double energy(const StereoBuffer& b, int64_t first, int64_t last)
{
    double sum = 0.0;
    for (int64_t i = first; i < last; ++i)
        sum += double(b.left[i]) * b.left[i] + double(b.right[i]) * b.right[i];
    return sum / double(last - first);
}

TEST(FluidRenderer, NotesSoundOnTheirBeatInBothPassesAndDrumsUseTheirChannel)
{
    FluidRenderer renderer;
    Part piano;
    piano.program = 0;
    piano.add(1.0, 0.5, 60, 110);
    Part kit;
    kit.channel = 9;
    kit.bank = 128;
    kit.add(3.0, 0.25, 38, 120); // snare
    StereoBuffer twice = renderTwice(renderer, {piano, kit}, 4);
    ASSERT_EQ(twice.frames(), 8 * framesPerBeat);
    EXPECT_LT(energy(twice, 0, framesPerBeat - 64), 1e-9) << "silence before the first note";
    // FluidSynth starts events at its 64-frame block boundaries, and a
    // sample's attack takes a few milliseconds to rise.
    int64_t first = onset(twice, 0);
    EXPECT_GE(first, framesPerBeat);
    EXPECT_LT(first, framesPerBeat + 64 + 441);
    int64_t again = onset(twice, 4 * framesPerBeat - 64 + 1);
    // The second pass: the same note one loop later (the first note has died away by then).
    EXPECT_NEAR(static_cast<double>(again - first), 4.0 * framesPerBeat, 64.0);
    EXPECT_GT(energy(twice, 3 * framesPerBeat, 3 * framesPerBeat + 4410), 1e-5) << "the snare on beat 3";
}

TEST(FluidRenderer, ARepeatedKeyKeepsSoundingThroughTheOverlap)
{
    FluidRenderer renderer;
    Part organ;
    organ.program = 19; // sustains as long as the key is held
    organ.add(0.0, 2.0, 57, 100);
    organ.add(1.0, 2.0, 57, 100); // same key, before the first one ends
    StereoBuffer b = renderer.render({organ}, 4 * framesPerBeat);
    double held = energy(b, frameAtBeat(2.2), frameAtBeat(2.8));
    double start = energy(b, frameAtBeat(0.5), frameAtBeat(0.9));
    EXPECT_GT(held, start * 0.3) << "the first note's release must not cut the second";
    EXPECT_LT(energy(b, frameAtBeat(3.8), frameAtBeat(4.0)), held * 0.2) << "and it ends on beat 3";
}

TEST(FluidRenderer, RefusesAChannelOutsideMidi)
{
    FluidRenderer renderer;
    Part wrong;
    wrong.channel = 16;
    wrong.add(0.0, 1.0, 60, 100);
    EXPECT_THROW(renderer.render({wrong}, framesPerBeat), std::runtime_error);
}

TEST(FluidRenderer, EachRenderStartsFromSilence)
{
    FluidRenderer renderer;
    Part pad;
    pad.program = 89;
    pad.add(0.0, 4.0, 57, 120);
    renderer.render({pad}, 2 * framesPerBeat); // stops while the pad still sounds
    StereoBuffer next = renderer.render({}, framesPerBeat);
    EXPECT_LT(energy(next, 0, next.frames()), 1e-12) << "nothing of the previous score may leak";
}

} // namespace
