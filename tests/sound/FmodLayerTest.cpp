// The layer on its own, without a device (FMOD_OUTPUTTYPE_NOSOUND, as on CI
// and for a player without speakers): every call the game makes succeeds,
// channels advance with the clock and loop, handles of ended playbacks answer
// an error instead of crashing, and files are checked when streams open.
#include "Mp3Writer.h"
#include "Scenario.h"

#include "sound/fmod/fmod.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sys/stat.h>
#include <thread>

namespace {

using namespace sound_test;

void sleepSeconds(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

class SilentLayer : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = testFolder();
        second = toneFile(folder, "second.mp3", {{500.0, 1.0}}, 0.3);
        quarter = toneFile(folder, "quarter.mp3", {{400.0, 0.25}}, 0.3);
    }

    void SetUp() override
    {
        ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
        ASSERT_EQ(system->setOutput(FMOD_OUTPUTTYPE_NOSOUND), FMOD_OK);
        ASSERT_EQ(system->init(100, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    }

    void TearDown() override { system->release(); }

    FMOD::Sound* open(const std::string& path)
    {
        FMOD::Sound* sound = nullptr;
        EXPECT_EQ(system->createStream(path.c_str(), FMOD_LOOP_NORMAL, nullptr, &sound), FMOD_OK) << path;
        return sound;
    }

    FMOD::Channel* playUnpaused(FMOD::Sound* sound)
    {
        FMOD::Channel* channel = nullptr;
        EXPECT_EQ(system->playSound(FMOD_CHANNEL_FREE, sound, false, &channel), FMOD_OK);
        return channel;
    }

    static unsigned int positionMs(FMOD::Channel* channel)
    {
        unsigned int position = 0;
        EXPECT_EQ(channel->getPosition(&position, FMOD_TIMEUNIT_MS), FMOD_OK);
        return position;
    }

    static std::string folder, second, quarter;
    FMOD::System* system = nullptr;
};

std::string SilentLayer::folder, SilentLayer::second, SilentLayer::quarter;

// Sleeps run late on a busy machine, never early.
constexpr unsigned int lateMs = 150;

TEST_F(SilentLayer, EveryCallOfTheGamesSequenceSucceeds)
{
    FMOD_OUTPUTTYPE output = FMOD_OUTPUTTYPE_AUTODETECT;
    EXPECT_EQ(system->getOutput(&output), FMOD_OK);
    EXPECT_EQ(output, FMOD_OUTPUTTYPE_NOSOUND);
    int drivers = -1;
    EXPECT_EQ(system->getNumDrivers(&drivers), FMOD_OK);
    EXPECT_EQ(drivers, 0);

    FMOD::ChannelGroup* group = nullptr;
    ASSERT_EQ(system->createChannelGroup(nullptr, &group), FMOD_OK);
    EXPECT_EQ(system->setStreamBufferSize(65536, FMOD_TIMEUNIT_RAWBYTES), FMOD_OK);
    FMOD::Sound* sound = open(second);
    FMOD::Channel* channel = nullptr;
    ASSERT_EQ(system->playSound(FMOD_CHANNEL_FREE, sound, true, &channel), FMOD_OK);
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(channel->setChannelGroup(group), FMOD_OK);
    EXPECT_EQ(channel->setLoopCount(-1), FMOD_OK);
    EXPECT_EQ(channel->setMode(FMOD_LOOP_NORMAL), FMOD_OK);
    EXPECT_EQ(channel->setPosition(0, FMOD_TIMEUNIT_MS), FMOD_OK);
    EXPECT_EQ(channel->setPaused(false), FMOD_OK);
    bool paused = true;
    EXPECT_EQ(channel->getPaused(&paused), FMOD_OK);
    EXPECT_FALSE(paused);
    EXPECT_EQ(system->update(), FMOD_OK);
    EXPECT_EQ(channel->stop(), FMOD_OK);
    EXPECT_EQ(sound->release(), FMOD_OK);
}

TEST_F(SilentLayer, PositionsAdvanceWithTheClockAndStandStillWhilePaused)
{
    FMOD::Channel* channel = playUnpaused(open(second));
    sleepSeconds(0.2);
    unsigned int advanced = positionMs(channel);
    EXPECT_GE(advanced, 200u);
    EXPECT_LE(advanced, 200u + lateMs);

    ASSERT_EQ(channel->setPaused(true), FMOD_OK);
    unsigned int pausedAt = positionMs(channel);
    sleepSeconds(0.1);
    EXPECT_EQ(positionMs(channel), pausedAt);

    ASSERT_EQ(channel->setPosition(700, FMOD_TIMEUNIT_MS), FMOD_OK);
    EXPECT_EQ(positionMs(channel), 700u);
    unsigned int frames = 0;
    ASSERT_EQ(channel->getPosition(&frames, FMOD_TIMEUNIT_PCM), FMOD_OK);
    EXPECT_EQ(frames, 30870u) << "700 ms at 44.1 kHz";
}

TEST_F(SilentLayer, LoopingChannelRunsRoundItsLength)
{
    FMOD::Channel* channel = playUnpaused(open(quarter));
    sleepSeconds(0.35);
    EXPECT_EQ(system->update(), FMOD_OK);
    unsigned int position = positionMs(channel);
    EXPECT_GE(position, 100u);
    EXPECT_LE(position, 100u + lateMs);
    bool playing = false;
    EXPECT_EQ(channel->isPlaying(&playing), FMOD_OK);
    EXPECT_TRUE(playing);
}

TEST_F(SilentLayer, LoopCountEndsThePlaybackAndUpdateFreesItsChannel)
{
    FMOD::Channel* once = nullptr;
    FMOD::Channel* twice = nullptr;
    ASSERT_EQ(system->playSound(FMOD_CHANNEL_FREE, open(quarter), true, &once), FMOD_OK);
    ASSERT_EQ(system->playSound(FMOD_CHANNEL_FREE, open(quarter), true, &twice), FMOD_OK);
    once->setLoopCount(0);
    twice->setLoopCount(1);
    once->setPaused(false);
    twice->setPaused(false);
    sleepSeconds(0.35);
    EXPECT_EQ(system->update(), FMOD_OK);
    bool playing = false;
    EXPECT_EQ(once->isPlaying(&playing), FMOD_ERR_INVALID_HANDLE) << "played to its end, then freed";
    EXPECT_EQ(twice->isPlaying(&playing), FMOD_OK) << "one loop more to go";
    sleepSeconds(0.25);
    EXPECT_EQ(system->update(), FMOD_OK);
    EXPECT_EQ(twice->isPlaying(&playing), FMOD_ERR_INVALID_HANDLE);
}

TEST_F(SilentLayer, HandleOfStoppedOrReusedChannelAnswersInvalidHandle)
{
    FMOD::Sound* sound = open(second);
    FMOD::Channel* first = playUnpaused(sound);
    ASSERT_EQ(first->stop(), FMOD_OK);
    bool flag = false;
    unsigned int position = 0;
    EXPECT_EQ(first->stop(), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(first->setPaused(false), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(first->getPaused(&flag), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(first->setChannelGroup(nullptr), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(first->setLoopCount(-1), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(first->setMode(FMOD_LOOP_NORMAL), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(first->setPosition(0, FMOD_TIMEUNIT_MS), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(first->getPosition(&position, FMOD_TIMEUNIT_MS), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(first->isPlaying(&flag), FMOD_ERR_INVALID_HANDLE);

    // The next playback takes the same channel; the old handle stays invalid.
    FMOD::Channel* second = playUnpaused(sound);
    EXPECT_NE(second, first);
    EXPECT_EQ(first->getPaused(&flag), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(second->getPaused(&flag), FMOD_OK);
}

TEST_F(SilentLayer, ChannelStartedInTimeTakesThePlayingOnesPlaceModuloItsLengthAndKeepsIt)
{
    FMOD::Channel* leader = playUnpaused(open(second));
    sleepSeconds(0.3);
    FMOD::Channel* joined = nullptr;
    FMOD::Channel* shorter = nullptr;
    ASSERT_EQ(system->playSound(FMOD_CHANNEL_FREE, open(second), true, &joined), FMOD_OK);
    ASSERT_EQ(system->playSound(FMOD_CHANNEL_FREE, open(quarter), true, &shorter), FMOD_OK);
    ASSERT_EQ(joined->startInTimeWith(leader), FMOD_OK);
    ASSERT_EQ(shorter->startInTimeWith(leader), FMOD_OK);
    auto frames = [](FMOD::Channel* channel) {
        unsigned int frame = 0;
        EXPECT_EQ(channel->getPosition(&frame, FMOD_TIMEUNIT_PCM), FMOD_OK);
        return static_cast<long>(frame);
    };
    // One millisecond, and round the leader's loop end on the way.
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        if (round == 2) {
            // A pause ends where the leader is by then, not where it was.
            ASSERT_EQ(joined->setPaused(true), FMOD_OK);
            sleepSeconds(0.1);
            ASSERT_EQ(joined->setPaused(false), FMOD_OK);
        }
        long lead = frames(leader);
        EXPECT_NEAR(frames(joined), lead, 44);
        EXPECT_NEAR(frames(shorter), lead % 11025, 44);
        sleepSeconds(0.25);
    }
    bool flag = false;
    ASSERT_EQ(leader->stop(), FMOD_OK);
    EXPECT_EQ(joined->startInTimeWith(leader), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(joined->getPaused(&flag), FMOD_OK);
    EXPECT_FALSE(flag) << "still playing";
}

TEST_F(SilentLayer, PlayingAStreamAgainMovesItToANewChannelFromTheStart)
{
    FMOD::Sound* sound = open(second);
    FMOD::Channel* first = playUnpaused(sound);
    sleepSeconds(0.2);
    FMOD::Channel* again = playUnpaused(sound);
    bool flag = false;
    EXPECT_EQ(first->isPlaying(&flag), FMOD_ERR_INVALID_HANDLE) << "a stream has one decoder, so one playback";
    EXPECT_LT(positionMs(again), 100u);
}

TEST_F(SilentLayer, ReleasingASoundEndsItsPlayback)
{
    FMOD::Sound* sound = open(second);
    FMOD::Channel* channel = playUnpaused(sound);
    ASSERT_EQ(sound->release(), FMOD_OK);
    bool flag = false;
    EXPECT_EQ(channel->isPlaying(&flag), FMOD_ERR_INVALID_HANDLE);
}

TEST_F(SilentLayer, PausedGroupHoldsItsChannelsOnlyAndLeavesTheirOwnPauseAlone)
{
    FMOD::ChannelGroup* group = nullptr;
    ASSERT_EQ(system->createChannelGroup(nullptr, &group), FMOD_OK);
    FMOD::Channel* inside = playUnpaused(open(second));
    FMOD::Channel* outside = playUnpaused(open(second));
    ASSERT_EQ(inside->setChannelGroup(group), FMOD_OK);
    ASSERT_EQ(group->setPaused(true), FMOD_OK);
    unsigned int held = positionMs(inside);
    unsigned int running = positionMs(outside);
    sleepSeconds(0.15);
    EXPECT_EQ(positionMs(inside), held);
    EXPECT_GE(positionMs(outside), running + 150u);
    bool paused = true;
    EXPECT_EQ(inside->getPaused(&paused), FMOD_OK);
    EXPECT_FALSE(paused);
    EXPECT_EQ(group->getPaused(&paused), FMOD_OK);
    EXPECT_TRUE(paused);

    ASSERT_EQ(group->setPaused(false), FMOD_OK);
    sleepSeconds(0.1);
    EXPECT_GE(positionMs(inside), held + 100u);
}

TEST_F(SilentLayer, PositionBeyondTheEndIsRefused)
{
    FMOD::Channel* channel = playUnpaused(open(quarter));
    EXPECT_EQ(channel->setPosition(251, FMOD_TIMEUNIT_MS), FMOD_ERR_INVALID_POSITION);
    EXPECT_EQ(channel->setPosition(11026, FMOD_TIMEUNIT_PCM), FMOD_ERR_INVALID_POSITION);
    EXPECT_EQ(channel->setPosition(0, FMOD_TIMEUNIT_RAWBYTES), FMOD_ERR_INVALID_PARAM);
}

TEST_F(SilentLayer, OpeningAStreamChecksTheFile)
{
    FMOD::Sound* sound = reinterpret_cast<FMOD::Sound*>(1);
    EXPECT_EQ(system->createStream((folder + "/missing.mp3").c_str(), FMOD_LOOP_NORMAL, nullptr, &sound),
        FMOD_ERR_FILE_NOTFOUND);
    EXPECT_EQ(sound, nullptr);
    EXPECT_EQ(system->createStream((folder + "/no/such/folder.mp3").c_str(), FMOD_LOOP_NORMAL, nullptr, &sound),
        FMOD_ERR_FILE_NOTFOUND);

    testing_support::writeFile(folder + "/text.mp3", std::string(4000, 'x') + "\nnot audio at all\n");
    EXPECT_EQ(system->createStream((folder + "/text.mp3").c_str(), FMOD_LOOP_NORMAL, nullptr, &sound), FMOD_ERR_FORMAT);
    testing_support::writeFile(folder + "/empty.mp3", "");
    EXPECT_EQ(system->createStream((folder + "/empty.mp3").c_str(), FMOD_LOOP_NORMAL, nullptr, &sound), FMOD_ERR_FORMAT);
    mkdir((folder + "/folder.mp3").c_str(), 0755);
    EXPECT_EQ(system->createStream((folder + "/folder.mp3").c_str(), FMOD_LOOP_NORMAL, nullptr, &sound),
        FMOD_ERR_FILE_BAD);
    EXPECT_EQ(system->createStream(nullptr, FMOD_LOOP_NORMAL, nullptr, &sound), FMOD_ERR_INVALID_PARAM);
}

TEST_F(SilentLayer, SettingsAfterInitAndEmptyArgumentsAreRefused)
{
    EXPECT_EQ(system->setOutput(FMOD_OUTPUTTYPE_NOSOUND), FMOD_ERR_INITIALIZED);
    EXPECT_EQ(system->setSpeakerMode(FMOD_SPEAKERMODE_STEREO), FMOD_ERR_INITIALIZED);
    EXPECT_EQ(system->setDSPBufferSize(1024, 10), FMOD_ERR_INITIALIZED);
    EXPECT_EQ(system->setSoftwareFormat(48000, FMOD_SOUND_FORMAT_PCMFLOAT, 0, 0, FMOD_DSP_RESAMPLER_LINEAR),
        FMOD_ERR_INITIALIZED);
    EXPECT_EQ(system->init(100, FMOD_INIT_NORMAL, nullptr), FMOD_ERR_INITIALIZED);
    EXPECT_EQ(system->playSound(FMOD_CHANNEL_FREE, nullptr, false, nullptr), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(system->getVersion(nullptr), FMOD_ERR_INVALID_PARAM);
}

TEST(LayerBeforeInit, CallsThatNeedChannelsAnswerUninitialised)
{
    FMOD::System* system = nullptr;
    ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
    ASSERT_EQ(system->setOutput(FMOD_OUTPUTTYPE_NOSOUND), FMOD_OK);
    FMOD::Sound* sound = nullptr;
    FMOD::ChannelGroup* group = nullptr;
    EXPECT_EQ(system->createStream("any.mp3", FMOD_LOOP_NORMAL, nullptr, &sound), FMOD_ERR_UNINITIALIZED);
    EXPECT_EQ(system->createChannelGroup(nullptr, &group), FMOD_ERR_UNINITIALIZED);
    EXPECT_EQ(system->update(), FMOD_ERR_UNINITIALIZED);
    EXPECT_EQ(system->release(), FMOD_OK);
}

TEST(LayerChannels, AllChannelsBusyIsAnError)
{
    std::string folder = testFolder();
    std::string file = toneFile(folder, "short.mp3", {{300.0, 0.2}}, 0.3);
    FMOD::System* system = nullptr;
    ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
    system->setOutput(FMOD_OUTPUTTYPE_NOSOUND);
    ASSERT_EQ(system->init(2, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    FMOD::Sound* sounds[3] = {};
    for (FMOD::Sound*& sound : sounds)
        ASSERT_EQ(system->createStream(file.c_str(), FMOD_LOOP_NORMAL, nullptr, &sound), FMOD_OK);
    FMOD::Channel* channel = nullptr;
    EXPECT_EQ(system->playSound(FMOD_CHANNEL_FREE, sounds[0], false, &channel), FMOD_OK);
    EXPECT_EQ(system->playSound(FMOD_CHANNEL_FREE, sounds[1], false, &channel), FMOD_OK);
    EXPECT_EQ(system->playSound(FMOD_CHANNEL_FREE, sounds[2], false, &channel), FMOD_ERR_CHANNEL_ALLOC);
    EXPECT_EQ(channel, nullptr);
    system->release();
}

} // namespace
