// The mastering steps that keep the game's songs loud enough but never
// clipping, on small made-up signals.
#include "music/Mastering.h"
#include "music/MusicalTime.h"
#include "music/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace assetgen::music;

StereoBuffer sine(int64_t frames, double frequency, float amplitude)
{
    StereoBuffer b(frames);
    for (int64_t i = 0; i < frames; ++i)
        b.left[i] = b.right[i] = static_cast<float>(amplitude * std::sin(2.0 * M_PI * frequency * i / sampleRate));
    return b;
}

TEST(Mastering, WorstCombinationPeakIsTheLoudestSubsetOfTracks)
{
    Random random(5);
    std::vector<StereoBuffer> tracks(5, StereoBuffer(300));
    for (StereoBuffer& t : tracks)
        for (int64_t i = 0; i < t.frames(); ++i) {
            t.left[i] = static_cast<float>(random.bipolar() * 0.3);
            t.right[i] = static_cast<float>(random.bipolar() * 0.3);
        }
    // Every one of the 31 non-empty combinations, played out.
    double loudest = 0.0;
    for (int mask = 1; mask < 32; ++mask)
        for (int64_t i = 0; i < 300; ++i) {
            double l = 0, r = 0;
            for (int k = 0; k < 5; ++k)
                if (mask & (1 << k)) {
                    l += tracks[k].left[i];
                    r += tracks[k].right[i];
                }
            loudest = std::max({loudest, std::fabs(l), std::fabs(r)});
        }
    std::vector<const StereoBuffer*> pointers;
    for (const StereoBuffer& t : tracks)
        pointers.push_back(&t);
    EXPECT_NEAR(worstCombinationPeak(pointers), loudest, 1e-5);
}

TEST(Mastering, TracksLimitedTogetherNeverExceedTheCeilingInAnyCombination)
{
    // Three loops that meet in one loud coincidence.
    std::vector<StereoBuffer> tracks = {sine(sampleRate, 441.0, 0.2f), sine(sampleRate, 882.0, 0.15f), sine(sampleRate, 220.5, 0.25f)};
    for (StereoBuffer& t : tracks)
        for (int64_t i = 4000; i < 4300; ++i) {
            t.left[i] *= 3.0f;
            t.right[i] *= 3.0f;
        }
    std::vector<StereoBuffer> before = tracks;
    std::vector<const StereoBuffer*> constant;
    std::vector<StereoBuffer*> pointers;
    for (StereoBuffer& t : tracks) {
        constant.push_back(&t);
        pointers.push_back(&t);
    }
    double plainGain = 0.8 / worstCombinationPeak(constant);
    limitTogether(pointers, 0.8, 3.0);
    EXPECT_LE(worstCombinationPeak(constant), 0.8 + 1e-5);
    // Long after the coincidence every track is 3 dB louder than plain
    // scaling would have made it, and all by the same factor.
    for (size_t k = 0; k < tracks.size(); ++k)
        for (int64_t i = 30000; i < 30100; ++i) {
            if (std::fabs(before[k].left[i]) > 0.01f) {
                ASSERT_NEAR(tracks[k].left[i] / before[k].left[i], plainGain * fromDb(3.0), 1e-3);
            }
        }
}

TEST(Mastering, LimiterHoldsTheCeilingAndLeavesQuietPassagesAlone)
{
    StereoBuffer loop = sine(loopFrames / 8, 220.0, 0.2f);
    // A smooth swell well over the ceiling, across the loop's end and start.
    for (int64_t i = 0; i < 800; ++i) {
        float swell = 1.0f + 5.0f * 0.5f * (1.0f + std::cos(static_cast<float>(M_PI) * i / 800.0f));
        loop.left[i] *= swell;
        loop.right[loop.frames() - 1 - i] *= swell;
    }
    StereoBuffer original = loop;
    limitLoop(loop, 0.5);
    EXPECT_LE(loop.peak(), 0.5f + 1e-6f);
    int64_t middle = loop.frames() / 2;
    for (int64_t i = middle; i < middle + 1000; ++i)
        ASSERT_NEAR(loop.left[i], original.left[i], 1e-4f) << "quiet material must pass unchanged";
    // The gain moves smoothly: a sudden gain change would jump by a large
    // part of the signal, far beyond a sine's own step at the ceiling.
    const float sineStep = 0.5f * 2.0f * static_cast<float>(M_PI) * 220.0f / sampleRate;
    for (const std::vector<float>* channel : {&loop.left, &loop.right}) {
        const std::vector<float>& x = *channel;
        float largestStep = std::fabs(x.front() - x.back());
        for (size_t i = 1; i < x.size(); ++i)
            largestStep = std::max(largestStep, std::fabs(x[i] - x[i - 1]));
        EXPECT_LT(largestStep, sineStep * 2.0f);
    }
}

TEST(Mastering, LoudnessIgnoresTheRestsOfASparseTrack)
{
    StereoBuffer steady = sine(sampleRate * 4, 1000.0, 0.3f);
    StereoBuffer sparse = steady;
    for (int64_t i = sampleRate * 2; i < sparse.frames(); ++i)
        sparse.left[i] = sparse.right[i] = 0.0f;
    EXPECT_NEAR(loudnessDb(sparse), loudnessDb(steady), 0.6) << "a line with rests sounds as loud as the line";
    normalizeLoudness(steady, -20.0);
    EXPECT_NEAR(loudnessDb(steady), -20.0, 0.01);
    StereoBuffer silent(sampleRate);
    EXPECT_THROW(normalizeLoudness(silent, -20.0), std::runtime_error);
}

TEST(Mastering, HighPassLoopRemovesOffsetWithoutTouchingTheSeam)
{
    StereoBuffer loop = sine(loopFrames / 4, 441.0, 0.25f);
    for (float& s : loop.left)
        s += 0.2f;
    highPassLoop(loop, 25.0);
    double mean = 0.0;
    for (float s : loop.left)
        mean += s;
    EXPECT_NEAR(mean / loop.frames(), 0.0, 1e-3);
    // 441 Hz fits the loop a whole number of times: the seam continues the wave.
    float seam = std::fabs(loop.left.front() - loop.left.back());
    EXPECT_LT(seam, 0.25f * 2.0f * static_cast<float>(M_PI) * 441.0f / sampleRate * 1.2f);
}

} // namespace
