// The common clock, the progression and the step grids every track is
// composed from.
#include "music/Harmony.h"
#include "music/MusicalTime.h"
#include "music/Pattern.h"
#include "music/Score.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace assetgen::music;

TEST(MusicalTime, OneLoopIsAWholeNumberOfBarsOfWholeFrames)
{
    EXPECT_EQ(std::fmod(sampleRate * secondsPerBeat, 1.0), 0.0) << "a beat is a whole number of frames";
    EXPECT_EQ(loopFrames, framesPerBeat * beatsPerBar * loopBars);
    EXPECT_EQ(frameAtBeat(loopBeats), loopFrames);
    EXPECT_DOUBLE_EQ(beatAtFrame(frameAtBeat(12.5)), 12.5);
    EXPECT_NEAR(beatAtFrame(frameAtBeat(12.25)), 12.25, 1.0 / framesPerBeat) << "a sixteenth is half a frame off the grid";
    // MP3 frames hold 1,152 samples; the loop need not fill them, but
    // FluidSynth's 64-frame blocks must line up in both passes.
    EXPECT_EQ(loopFrames % 64, 0);
}

TEST(Harmony, TheProgressionFillsTheLoopAndStaysInAMinor)
{
    EXPECT_EQ(static_cast<int>(progression().size()) * beatsPerChord, loopBeats);
    EXPECT_STREQ(chordAtBeat(0.0).name, "Am7");
    EXPECT_STREQ(chordAtBeat(7.99).name, "Am7");
    EXPECT_STREQ(chordAtBeat(8.0).name, "Fmaj7");
    EXPECT_STREQ(chordAtBeat(31.0).name, "G6");
    EXPECT_STREQ(chordAtBeat(loopBeats + 8.5).name, "Fmaj7") << "wraps with the loop";
    EXPECT_STREQ(chordAtBeat(-1.0).name, "G6") << "and before it";
    for (const Chord& chord : progression()) {
        EXPECT_TRUE(inKey(chord.bassKey)) << chord.name;
        for (int key : chord.tones)
            EXPECT_TRUE(inKey(key)) << chord.name << " " << key;
    }
    EXPECT_EQ(snapUpToKey(56), 57) << "G# is not in A minor";
    EXPECT_EQ(snapUpToKey(57), 57);
}

TEST(Pattern, GridStepsBecomeNotesWithAccentsSwingAndRests)
{
    Part part;
    Random random(1);
    addGrid(part, 4.0, "X.x. o..g", 36, 100, 0.25, Feel{0.1, 0.0, 0}, random);
    ASSERT_EQ(part.notes.size(), 4u);
    EXPECT_DOUBLE_EQ(part.notes[0].beat, 4.0);
    EXPECT_EQ(part.notes[0].velocity, 125);
    EXPECT_DOUBLE_EQ(part.notes[1].beat, 4.5);
    EXPECT_EQ(part.notes[1].velocity, 100);
    EXPECT_DOUBLE_EQ(part.notes[2].beat, 5.0) << "spaces do not count as steps";
    EXPECT_EQ(part.notes[2].velocity, 65);
    EXPECT_DOUBLE_EQ(part.notes[3].beat, 5.75 + 0.1) << "odd sixteenths swing late";
    EXPECT_EQ(part.notes[3].velocity, 35);
    for (const Note& n : part.notes)
        EXPECT_EQ(n.key, 36);
}

TEST(Score, RepeatedTwiceShiftsNotesAndControlsByOnePeriod)
{
    Part part;
    part.add(1.5, 1.0, 60, 90);
    part.controls.push_back({2.0, 1, 40});
    Score twice = repeatedTwice({part}, 32);
    ASSERT_EQ(twice[0].notes.size(), 2u);
    EXPECT_DOUBLE_EQ(twice[0].notes[1].beat, 33.5);
    ASSERT_EQ(twice[0].controls.size(), 2u);
    EXPECT_DOUBLE_EQ(twice[0].controls[1].beat, 34.0);
    EXPECT_EQ(twice[0].controls[1].value, 40);
}

} // namespace
