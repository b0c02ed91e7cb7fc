// Robot speech from espeak-ng: trimmed, at our sample rate, the same on every
// call.
#include "music/MusicalTime.h"
#include "music/Speech.h"
#include "music/SungWords.h"

#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <thread>
#include <vector>

namespace {

using namespace assetgen::music;

TEST(Speech, WordsComeBackTrimmedAtFortyFourKilohertzAndRepeatable)
{
    Speech::Voice voice{"en", 150, 50, 10};
    std::vector<float> word = Speech::instance().say("robots", voice);
    // "robots" at 150 words per minute lasts a few tenths of a second.
    EXPECT_GT(word.size(), static_cast<size_t>(0.2 * sampleRate));
    EXPECT_LT(word.size(), static_cast<size_t>(1.0 * sampleRate));
    float peak = 0.0f;
    for (float s : word)
        peak = std::max(peak, std::fabs(s));
    EXPECT_GE(std::fabs(word.front()), peak * 0.005f) << "leading silence trimmed";
    EXPECT_THROW(Speech::instance().say("hello", {"no-such-voice", 150, 50, 10}), std::runtime_error);
}

// espeak-ng's sound depends on what it said before, so the generator always
// speaks its lines in one order from a seeded rand(): two fresh processes
// doing so must hear exactly the same.
TEST(Speech, TheSameLinesInTheSameOrderSoundTheSameInEveryProcess)
{
    auto speakAndDigest = [] {
        std::srand(1);
        uint64_t digest = 1469598103934665603ull;
        for (const char* text : {"turn the music on", "ha", "ha"})
            for (float s : Speech::instance().say(text, {"en", 150, 50, 10})) {
                uint32_t bits;
                std::memcpy(&bits, &s, sizeof bits);
                digest = (digest ^ bits) * 1099511628211ull;
            }
        std::printf("%llu\n", static_cast<unsigned long long>(digest));
        return 0;
    };
    auto first = testing_support::runInChild(speakAndDigest);
    auto second = testing_support::runInChild(speakAndDigest);
    ASSERT_EQ(first.exitStatus, 0) << first.err;
    ASSERT_FALSE(first.out.empty());
    EXPECT_EQ(first.out, second.out);
}

// The libraries of the songs' lane (espeak-ng, FluidSynth) draw on rand().
// The rand() they reach gives each thread its own sequence, so the other
// lanes cannot change the songs by drawing or reseeding meanwhile; a fresh
// thread's sequence is the C library's for seed 1, so the files keep their
// bytes.
TEST(Speech, TheRandomNumbersOfTheSpeakingThreadAreItsOwn)
{
    auto result = testing_support::runInChild([] {
        // Looked up as the libraries' calls are bound: the first definition
        // in the process.
        auto* sharedRand = reinterpret_cast<int (*)()>(dlsym(RTLD_DEFAULT, "rand"));
        auto* sharedSrand = reinterpret_cast<void (*)(unsigned)>(dlsym(RTLD_DEFAULT, "srand"));
        // Between any two draws of this thread the other one reseeds and draws.
        std::atomic<int> otherTurns{0};
        std::thread otherLane([&] {
            for (unsigned round = 0; round < 3; ++round) {
                while (otherTurns.load() == 0)
                    std::this_thread::yield();
                sharedSrand(1000 + round);
                sharedRand();
                otherTurns.fetch_sub(1);
            }
        });
        int drawn[3];
        for (int& value : drawn) {
            value = sharedRand();
            otherTurns.fetch_add(1);
            while (otherTurns.load() != 0)
                std::this_thread::yield();
        }
        otherLane.join();
        std::printf("%d %d %d", drawn[0], drawn[1], drawn[2]);
        return 0;
    });
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "1804289383 846930886 1681692777");
}

TEST(Speech, UpsamplingKeepsASlowSine)
{
    std::vector<float> in(2000);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = static_cast<float>(std::sin(2.0 * M_PI * 1000.0 * i / 22050.0));
    std::vector<float> out = upsampleTwice(in);
    ASSERT_EQ(out.size(), 2 * in.size());
    for (size_t i = 100; i < out.size() - 100; ++i)
        ASSERT_NEAR(out[i], std::sin(2.0 * M_PI * 1000.0 * i / 44100.0), 0.01) << i;
}

TEST(SungWords, WordsLandOnTheirBeatInBothPassesAndTheNoteFollowsThem)
{
    const int64_t period = 8 * framesPerBeat;
    std::vector<SungWord> words = {{"one", 1.0, 0.9, 60}, {"two", 5.0, 0.9, 67}};
    std::vector<float> track = placeWords(words, {"en", 150, 50, 10}, period);
    ASSERT_EQ(track.size(), static_cast<size_t>(2 * period));
    auto firstSound = [&](int64_t from) {
        for (int64_t i = from; i < static_cast<int64_t>(track.size()); ++i)
            if (std::fabs(track[i]) > 1e-4f)
                return i;
        return int64_t(-1);
    };
    int64_t first = firstSound(0);
    EXPECT_GE(first, frameAtBeat(1.0));
    EXPECT_LE(first, frameAtBeat(1.0) + 100) << "within the two-millisecond fade-in";
    EXPECT_EQ(firstSound(period), period + first) << "the second pass repeats the first";
    EXPECT_DOUBLE_EQ(sungKey(words, frameAtBeat(3.0), 8), 60.0);
    EXPECT_DOUBLE_EQ(sungKey(words, frameAtBeat(6.0), 8), 67.0);
    EXPECT_DOUBLE_EQ(sungKey(words, frameAtBeat(0.5), 8), 67.0) << "before the first word, the last one still sounds";
    EXPECT_GT(sungKey(words, frameAtBeat(5.05), 8), 60.0) << "a short glide";
    EXPECT_LT(sungKey(words, frameAtBeat(5.05), 8), 67.0);
}

} // namespace
