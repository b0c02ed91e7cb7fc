// What the songs sound like: the scenario program plays them through the
// game's sound system while OpenAL's wave back-end records the mix, and the
// recording is measured. Times are counted from where the first play is heard.
#include "Mp3Writer.h"
#include "Scenario.h"
#include "Signal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace sound_test;

class CapturedSongs : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string folder = testFolder();
        tone1000 = toneFile(folder, "tone1000.mp3", {{1000.0, 1.0}}, 0.5);
        // 100 whole periods in a quarter second: looped, it is one unbroken sine.
        loop400 = toneFile(folder, "loop400.mp3", {{400.0, 0.25}}, 0.5);
        // Where a playback stands can be heard: 440 Hz for its first 0.3 s, then 660 Hz.
        marked = toneFile(folder, "marked.mp3", {{440.0, 0.3}, {660.0, 0.7}}, 0.25);
        steady1250 = toneFile(folder, "steady1250.mp3", {{1250.0, 1.0}}, 0.25);
        steady440 = toneFile(folder, "steady440.mp3", {{440.0, 1.0}}, 0.25);
    }

    static void expectCleanRun(const Capture& capture)
    {
        ASSERT_EQ(capture.run.exitStatus, 0) << capture.run.out << capture.run.err;
        EXPECT_EQ(capture.run.err, "") << "nothing may be printed on the console";
        ASSERT_TRUE(capture.wave.valid) << capture.wave.problem;
        ASSERT_LT(capture.firstSound, capture.wave.left.samples.size()) << "nothing was heard";
    }

    static std::string tone1000, loop400, marked, steady1250, steady440;
};

std::string CapturedSongs::tone1000, CapturedSongs::loop400, CapturedSongs::marked, CapturedSongs::steady1250,
    CapturedSongs::steady440;

// Levels are compared with the file's own, decoded directly by libmpg123
// (LAME itself lowers a pure tone by about 3%). The mix adds no more than
// 16-bit rounding and OpenAL's dither, a few steps of 1/32768.
constexpr double levelTolerance = 0.003;

// Where a test asks which part of a song is heard rather than how loud:
// LAME's 3% and a window that may touch an event's neighbouring period.
constexpr double heardTolerance = 0.02;

Signal leftOf(const Stereo& audio)
{
    Signal signal;
    signal.rate = 44100;
    for (size_t i = 0; i < audio.frames(); ++i)
        signal.samples.push_back(audio.samples[2 * i]);
    return signal;
}

// The level of a tone in the middle of a file, as the file decodes.
double fileLevel(const std::string& path, double frequency, double from, double to)
{
    Signal decoded = leftOf(decodeMp3(path));
    return amplitudeAt(decoded, decoded.at(from), decoded.at(to), frequency);
}

// A track's place in its loop against the first track's, in frames: zero
// when it plays the frame of its loop that the first one's frame modulo its
// length names.
long misalignment(size_t frame, size_t firstFrame, size_t length)
{
    long apart = static_cast<long>((frame + length - firstFrame % length) % length);
    return apart > static_cast<long>(length / 2) ? apart - static_cast<long>(length) : apart;
}

TEST_F(CapturedSongs, TracksStartedWhileOthersPlayJoinThemInTimeAndStayThere)
{
    std::string folder = testFolder();
    // Noise: every stretch of a loop is unlike every other. The third loop
    // is half as long and keeps time modulo its own length.
    const std::vector<std::string> files = {noiseFile(folder, "first.mp3", 0.8, 0.15, 1),
        noiseFile(folder, "second.mp3", 0.8, 0.15, 2), noiseFile(folder, "third.mp3", 0.4, 0.15, 3)};
    // The second joins after the first has looped once; neither joins on a loop boundary.
    Capture capture = runCaptured({"intime", "2.6", files[0] + "@0", files[1] + "@0.93", files[2] + "@1.37"});
    expectCleanRun(capture);
    std::vector<Signal> loops;
    for (const std::string& file : files)
        loops.push_back(leftOf(decodeMp3(file)));
    const Signal& heard = capture.wave.left;
    constexpr size_t window = 16384;
    const long oneMs = heard.rate / 1000;

    struct Moment {
        const char* after;
        double seconds;
        size_t tracks;
    };
    // Two tracks, then three, and three once more after the third has looped twice.
    for (const Moment& moment : {Moment{"join1", 0.05, 2}, Moment{"join2", 0.05, 3}, Moment{"join2", 0.75, 3}}) {
        SCOPED_TRACE(std::string(moment.after) + " + " + std::to_string(moment.seconds) + " s");
        const size_t begin = capture.sampleOf(moment.after, moment.seconds);
        ASSERT_LE(begin + window, heard.samples.size());
        const size_t firstFrame = loopFrameAt(heard, begin, window, loops[0]);
        // Out of silence the first track started at its first frame, the recording's first sound.
        const size_t sinceFirstSound = (begin - capture.firstSound) % loops[0].samples.size();
        EXPECT_LE(std::labs(misalignment(firstFrame, sinceFirstSound, loops[0].samples.size())), oneMs);
        for (size_t track = 1; track < moment.tracks; ++track) {
            const long apart = misalignment(loopFrameAt(heard, begin, window, loops[track]), firstFrame,
                loops[track].samples.size());
            EXPECT_LE(std::labs(apart), oneMs) << "track " << track << " is " << apart << " frames off the first";
            RecordProperty(std::string(moment.after) + "+" + std::to_string(moment.seconds) + " track "
                + std::to_string(track) + " frames off", static_cast<int>(apart));
        }
    }
}

TEST_F(CapturedSongs, ToneIsHeardAtItsFrequencyAndLevelOnBothSides)
{
    Capture capture = runCaptured({"play", "1.0", tone1000});
    expectCleanRun(capture);
    double level = fileLevel(tone1000, 1000.0, 0.2, 0.8);
    ASSERT_NEAR(level, 0.5, 0.03) << "the test file itself";
    size_t begin = capture.sampleOf("play", 0.2);
    size_t end = capture.sampleOf("play", 0.8);
    for (const Signal* side : {&capture.wave.left, &capture.wave.right}) {
        EXPECT_NEAR(zeroCrossingFrequency(*side, begin, end), 1000.0, 0.5);
        EXPECT_NEAR(amplitudeAt(*side, begin, end, 1000.0), level, levelTolerance);
        EXPECT_LT(amplitudeAt(*side, begin, end, 2000.0), 0.001) << "no distortion";
        EXPECT_NEAR(rms(*side, begin, end), level / std::sqrt(2.0), levelTolerance) << "nothing but the tone";
    }
}

TEST_F(CapturedSongs, LoopCrossesItsEndWithoutGapOrClickAtFiveFramesPerSecond)
{
    Capture capture = runCaptured({"play", "1.3", loop400});
    expectCleanRun(capture);
    const Signal& left = capture.wave.left;
    size_t begin = capture.sampleOf("play", 0.05);
    size_t end = capture.sampleOf("play", 1.2);
    ASSERT_GT(end - begin, static_cast<size_t>(left.rate)) << "the loop must cross its end four times";

    // A click is a step larger than the sine's own steepest one.
    double steepest = 0.5 * 2.0 * M_PI * 400.0 / left.rate;
    EXPECT_LT(largestStep(left, begin, end), 1.2 * steepest);

    // Gapless decoding gives back exactly the encoded quarter second...
    Signal loop = leftOf(decodeMp3(loop400));
    ASSERT_EQ(loop.samples.size(), 11025u);
    // ...and the mix must be that quarter second over and over, sample for
    // sample: a gap, a lost or a doubled sample would all show here.
    size_t length = loop.samples.size();
    size_t alignment = 0;
    double best = 1e9;
    for (size_t shift = 0; shift < length; ++shift) {
        double error = 0.0;
        for (size_t i = 0; i < 200; ++i)
            error += std::fabs(left.samples[begin + i] - loop.samples[(shift + i) % length]);
        if (error < best) {
            best = error;
            alignment = shift;
        }
    }
    double worst = 0.0;
    size_t worstAt = begin;
    for (size_t i = begin; i < end; ++i) {
        double difference = std::fabs(left.samples[i] - loop.samples[(alignment + i - begin) % length]);
        if (difference > worst) {
            worst = difference;
            worstAt = i;
        }
    }
    EXPECT_LT(worst, 4.0 / 32768.0) << "at " << left.seconds(worstAt - begin) << " s into the window";

    // The channel's position runs round the quarter second.
    int wraps = 0;
    unsigned int previous = 0;
    for (const std::string& line : capture.lines) {
        unsigned int position = 0;
        if (std::sscanf(line.c_str(), "position %u", &position) != 1)
            continue;
        EXPECT_LT(position, 250u);
        wraps += position < previous;
        previous = position;
    }
    EXPECT_GE(wraps, 3);
}

TEST_F(CapturedSongs, TwoSongsMix)
{
    Capture capture = runCaptured({"play", "1.0", steady440, steady1250});
    expectCleanRun(capture);
    size_t begin = capture.sampleOf("play", 0.2);
    size_t end = capture.sampleOf("play", 0.8);
    double low = fileLevel(steady440, 440.0, 0.2, 0.8);
    double high = fileLevel(steady1250, 1250.0, 0.2, 0.8);
    for (const Signal* side : {&capture.wave.left, &capture.wave.right}) {
        EXPECT_NEAR(amplitudeAt(*side, begin, end, 440.0), low, levelTolerance);
        EXPECT_NEAR(amplitudeAt(*side, begin, end, 1250.0), high, levelTolerance);
    }
}

TEST_F(CapturedSongs, StopSilencesTheSongAndForgetsItsChannel)
{
    Capture capture = runCaptured({"stop", tone1000, "0.5", "0.5"});
    expectCleanRun(capture);
    const Signal& left = capture.wave.left;
    EXPECT_NEAR(amplitudeAt(left, capture.sampleOf("play", 0.1), capture.sampleOf("stop", -0.06), 1000.0),
        fileLevel(tone1000, 1000.0, 0.1, 0.4), levelTolerance);
    EXPECT_LT(rms(left, capture.sampleOf("stop", 0.06), capture.sampleOf("stop", 0.45)), 0.001);
    EXPECT_NE(std::find(capture.lines.begin(), capture.lines.end(), "channel after stop null"), capture.lines.end());
}

TEST_F(CapturedSongs, PlayingAgainRestartsOnANewChannelAndStopEndsOnlyThatSong)
{
    Capture capture = runCaptured({"replay", marked, steady1250});
    expectCleanRun(capture);
    const Signal& left = capture.wave.left;
    std::vector<std::string> expected{"old channel answers 36", "new channel differs 1", "other song answers 0"};
    EXPECT_EQ(capture.lines, expected) << "the first playback's handle is no longer valid";

    // Just before: the first playback is in its 660 Hz part.
    size_t begin = capture.sampleOf("replay", -0.15);
    size_t end = capture.sampleOf("replay", -0.06);
    EXPECT_NEAR(amplitudeAt(left, begin, end, 660.0), 0.25, heardTolerance);

    // Right after: the start again (440 Hz), once, and the old playback is gone.
    begin = capture.sampleOf("replay", 0.05);
    end = capture.sampleOf("replay", 0.25);
    EXPECT_NEAR(amplitudeAt(left, begin, end, 440.0), 0.25, heardTolerance);
    EXPECT_LT(amplitudeAt(left, begin, end, 660.0), 0.01);

    begin = capture.sampleOf("replay", 0.4);
    end = capture.sampleOf("replay", 0.65);
    EXPECT_NEAR(amplitudeAt(left, begin, end, 660.0), 0.25, heardTolerance);
    EXPECT_LT(amplitudeAt(left, begin, end, 440.0), 0.01);

    // After stop: the other song alone, unchanged.
    begin = capture.sampleOf("stop", 0.08);
    end = capture.sampleOf("stop", 0.45);
    EXPECT_LT(amplitudeAt(left, begin, end, 440.0), 0.005);
    EXPECT_LT(amplitudeAt(left, begin, end, 660.0), 0.005);
    double other = fileLevel(steady1250, 1250.0, 0.2, 0.8);
    EXPECT_NEAR(amplitudeAt(left, begin, end, 1250.0), other, levelTolerance);
    EXPECT_NEAR(rms(left, begin, end), other / std::sqrt(2.0), levelTolerance) << "and nothing else";
}

TEST_F(CapturedSongs, PausedGroupIsSilentAndResumesWhereItStoppedAndItsVolumeScales)
{
    Capture capture = runCaptured({"pausegroup", marked, steady1250});
    expectCleanRun(capture);
    const Signal& left = capture.wave.left;
    EXPECT_NE(std::find(capture.lines.begin(), capture.lines.end(), "song reports paused 0"), capture.lines.end())
        << "a paused group leaves its channels' own pause state alone";

    EXPECT_LT(rms(left, capture.sampleOf("pause", 0.06), capture.sampleOf("resume", -0.06)), 0.001);

    // Paused half a second in, so it goes on in its 660 Hz part rather than from the start.
    size_t begin = capture.sampleOf("resume", 0.06);
    size_t end = capture.sampleOf("resume", 0.3);
    EXPECT_NEAR(amplitudeAt(left, begin, end, 660.0), 0.25, heardTolerance);
    EXPECT_LT(amplitudeAt(left, begin, end, 440.0), 0.01);
    EXPECT_NEAR(amplitudeAt(left, begin, end, 1250.0), 0.25, heardTolerance);

    // The group's volume scales every song in it.
    begin = capture.sampleOf("half", 0.06);
    end = capture.sampleOf("half", 0.35);
    EXPECT_NEAR(amplitudeAt(left, begin, end, 1250.0), fileLevel(steady1250, 1250.0, 0.2, 0.8) / 2.0, levelTolerance);
}

} // namespace
