// Our own effects and the vocoder on simple signals whose right answer is
// known: an impulse, a sine, silence.
#include "music/Effects.h"
#include "music/MusicalTime.h"
#include "music/Oscillator.h"
#include "music/Reverb.h"
#include "music/Vocoder.h"

#include <gtest/gtest.h>

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

double rms(const std::vector<float>& x, size_t first, size_t last)
{
    double sum = 0.0;
    for (size_t i = first; i < last; ++i)
        sum += double(x[i]) * x[i];
    return std::sqrt(sum / double(last - first));
}

TEST(Effects, PingPongEchoesAlternateSidesAtTheDelay)
{
    StereoBuffer b(4 * framesPerBeat);
    b.left[0] = b.right[0] = 1.0f;
    pingPongDelay(b, 0.5, 0.5, 1.0, 20000.0);
    int64_t delay = frameAtBeat(0.5);
    auto loudestNear = [&](const std::vector<float>& x, int64_t at) {
        float m = 0.0f;
        for (int64_t i = at - 3; i <= at + 3; ++i)
            m = std::max(m, std::fabs(x[i]));
        return m;
    };
    EXPECT_GT(loudestNear(b.left, delay), 0.3f) << "first echo on the left";
    EXPECT_LT(loudestNear(b.right, delay), 0.01f);
    EXPECT_GT(loudestNear(b.right, 2 * delay), 0.1f) << "second echo on the right";
    EXPECT_LT(loudestNear(b.right, 2 * delay), loudestNear(b.left, delay)) << "each repeat softer";
}

TEST(Effects, FiltersKeepWhatTheyPassAndCutWhatTheyStop)
{
    StereoBuffer low = sine(sampleRate / 2, 200.0, 0.5f), high = sine(sampleRate / 2, 8000.0, 0.5f);
    lowPass(low, 1000.0);
    lowPass(high, 1000.0);
    EXPECT_NEAR(rms(low.left, 4410, low.left.size()), 0.5 / std::sqrt(2.0), 0.02);
    EXPECT_LT(rms(high.left, 4410, high.left.size()), 0.01);

    // A sweep from closed to open lets the same tone through only at its end.
    StereoBuffer swept = sine(sampleRate, 3000.0, 0.5f);
    sweep(swept, SweepMode::LowPass, [](int64_t i) { return 200.0 + 8000.0 * i / sampleRate; }, 0.2);
    EXPECT_LT(rms(swept.left, 1000, 3000), 0.02);
    EXPECT_GT(rms(swept.left, 40000, 44000), 0.3);
}

TEST(Effects, LoopModulationsRepeatWithTheLoop)
{
    EXPECT_NEAR(loopSine(123, 3.0), loopSine(123 + loopFrames, 3.0), 1e-9);
    StereoBuffer a = sine(2 * loopFrames, 441.0, 0.4f);
    autoPan(a, 4.0, 0.8);
    for (int64_t i : {int64_t(0), int64_t(12345), loopFrames / 3})
        EXPECT_NEAR(a.left[i], a.left[i + loopFrames], 1e-4);
    // Panned hard one way a quarter cycle in, the other way three quarters in.
    int64_t quarter = loopFrames / 16, threeQuarters = 3 * loopFrames / 16;
    EXPECT_LT(rms(a.left, quarter - 500, quarter + 500), rms(a.right, quarter - 500, quarter + 500));
    EXPECT_GT(rms(a.left, threeQuarters - 500, threeQuarters + 500), rms(a.right, threeQuarters - 500, threeQuarters + 500));
}

TEST(Effects, ReverbAddsADecayingTailAndKeepsTheDry)
{
    StereoBuffer b(sampleRate * 3);
    b.left[0] = b.right[0] = 1.0f;
    Reverb({0.8, 0.4, 0.3, 1.0, 100.0, 10.0}).process(b);
    EXPECT_FLOAT_EQ(b.left[0], 1.0f);
    double early = rms(b.left, sampleRate / 10, sampleRate / 5), late = rms(b.left, 2 * sampleRate, 3 * sampleRate);
    EXPECT_GT(early, 1e-4) << "a tail";
    EXPECT_LT(late, early * 0.2) << "that dies away";
    EXPECT_NE(b.left[sampleRate / 7], b.right[sampleRate / 7]) << "wide: the channels differ";
}

TEST(Vocoder, TheVoiceShapesTheCarrierWhichKeepsItsPitch)
{
    const size_t n = sampleRate;
    // A "voice": a vowel-like buzz in the first half, silence in the second.
    std::vector<float> voice(n, 0.0f), carrier(n);
    Oscillator buzz(Oscillator::Shape::Saw), saw(Oscillator::Shape::Saw);
    for (size_t i = 0; i < n; ++i) {
        float v = buzz.next(130.0);
        voice[i] = i < n / 2 ? v * 0.5f : 0.0f;
        carrier[i] = saw.next(220.0);
    }
    std::vector<float> out = Vocoder({}).process(voice, carrier);
    ASSERT_EQ(out.size(), n);
    // The bands' envelopes fall within a few tens of milliseconds.
    double speaking = rms(out, n / 8, n / 2), silent = rms(out, n / 2 + sampleRate / 4, n);
    EXPECT_GT(speaking, 1e-3);
    EXPECT_LT(silent, speaking * 0.01) << "no voice, no sound";
    // The output repeats with the carrier's period (220 Hz), not the voice's.
    auto correlationAt = [&](size_t lag) {
        double s = 0, a = 0, b = 0;
        for (size_t i = n / 8; i < n / 8 + 8820; ++i) {
            s += double(out[i]) * out[i + lag];
            a += double(out[i]) * out[i];
            b += double(out[i + lag]) * out[i + lag];
        }
        return s / std::sqrt(a * b);
    };
    EXPECT_GT(correlationAt(static_cast<size_t>(std::lround(sampleRate / 220.0))), 0.8);
    EXPECT_THROW(Vocoder({}).process(voice, std::vector<float>(10)), std::runtime_error);
}

} // namespace
