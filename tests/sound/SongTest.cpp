// Songs through the game's global sound system: how they are filled, handed
// over, played, stopped and asked, and the error lines of files that cannot
// be streamed. Runs wherever the tests run, with or without a device.
#include "Mp3Writer.h"
#include "Scenario.h"
#include "Signal.h"

#include "sound/SoundSystem.h"
#include "sound/songs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <regex>
#include <sys/stat.h>
#include <thread>

namespace {

using namespace sound_test;
using testing_support::ChildResult;

long listings(const SFMOD::SimpleFMODResource* resource)
{
    const auto& list = soundSystem.resources;
    return std::count(list.begin(), list.end(), resource);
}

bool registered(const SFMOD::SimpleFMODResource* resource)
{
    return listings(resource) > 0;
}

unsigned int positionMs(FMOD::Channel* channel)
{
    unsigned int position = 0;
    EXPECT_EQ(channel->getPosition(&position, FMOD_TIMEUNIT_MS), FMOD_OK);
    return position;
}

class Songs : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = testFolder();
        first = toneFile(folder, "first.mp3", {{500.0, 1.0}}, 0.3);
        second = toneFile(folder, "second.mp3", {{700.0, 1.0}}, 0.3);
    }

    static std::string folder, first, second;
};

std::string Songs::folder, Songs::first, Songs::second;

TEST_F(Songs, GlobalSongsStartEmptyAndRegistered)
{
    for (SFMOD::Song* song : {&triphopDrumSong, &smoothSynthSong, &completeSong2, &outroSong}) {
        EXPECT_EQ(song->getSound(), nullptr);
        EXPECT_EQ(song->getChannel(), nullptr);
        EXPECT_FALSE(song->isPaused());
        song->stop();
        EXPECT_EQ(song->getChannel(), nullptr) << "stop without a channel does nothing";
        EXPECT_TRUE(registered(song));
    }
    EXPECT_NE(soundSystem.musicGroup, nullptr);
}

TEST_F(Songs, AssignmentHandsOverTheStreamAndTheRegistration)
{
    SFMOD::Song made = soundSystem.createSong(first);
    FMOD::Sound* stream = made.getSound();
    ASSERT_NE(stream, nullptr);
    EXPECT_TRUE(registered(&made));

    SFMOD::Song target;
    target = std::move(made);
    EXPECT_EQ(target.getSound(), stream);
    EXPECT_EQ(made.getSound(), nullptr);
    EXPECT_FALSE(registered(&made));
    EXPECT_EQ(listings(&target), 1) << "a target listed since its construction is listed once";

    target = std::move(target);
    EXPECT_EQ(target.getSound(), stream) << "assigning a song to itself keeps its stream";

    // A new assignment releases the stream held before: its playback ends.
    FMOD::Channel* channel = target.play();
    target = soundSystem.createSong(second);
    bool playing = false;
    EXPECT_EQ(channel->isPlaying(&playing), FMOD_ERR_INVALID_HANDLE);
    EXPECT_NE(target.getSound(), nullptr);
    EXPECT_EQ(target.getChannel(), nullptr) << "the channel comes from the source, which had none";
    EXPECT_EQ(listings(&target), 1);
}

TEST_F(Songs, SongThatDiesUnmovedLeavesTheUpdateList)
{
    const SFMOD::SimpleFMODResource* address = nullptr;
    {
        SFMOD::Song local = soundSystem.createSong(first);
        address = &local;
        EXPECT_TRUE(registered(address));
    }
    EXPECT_FALSE(registered(address));
    soundSystem.update();
}

TEST_F(Songs, UpdateReachesEveryResourceOncePerFrame)
{
    struct Counting : SFMOD::SimpleFMODResource {
        int updates = 0;
        void update() override { ++updates; }
    };
    Counting a;
    Counting b;
    soundSystem.update();
    soundSystem.update();
    EXPECT_EQ(a.updates, 2);
    EXPECT_EQ(b.updates, 2);
}

TEST_F(Songs, PlayStartsAtTheBeginningInTheMusicGroup)
{
    SFMOD::Song song = soundSystem.createSong(first);
    FMOD::Channel* channel = song.play();
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(song.getChannel(), channel);
    EXPECT_FALSE(song.isPaused());
    EXPECT_LT(positionMs(channel), 100u);

    // The music group holds it: its position stands still while the group is paused.
    ASSERT_EQ(soundSystem.musicGroup->setPaused(true), FMOD_OK);
    unsigned int held = positionMs(channel);
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    EXPECT_EQ(positionMs(channel), held);
    EXPECT_FALSE(song.isPaused()) << "the channel itself is not paused";
    ASSERT_EQ(soundSystem.musicGroup->setPaused(false), FMOD_OK);

    channel->setPaused(true);
    EXPECT_TRUE(song.isPaused());
    song.stop();
    EXPECT_EQ(song.getChannel(), nullptr);
    EXPECT_FALSE(song.isPaused());
}

TEST_F(Songs, PlayingAgainUsesANewChannelAndStopEndsOnlyThatOne)
{
    SFMOD::Song song = soundSystem.createSong(first);
    SFMOD::Song other = soundSystem.createSong(second);
    FMOD::Channel* otherChannel = other.play();
    FMOD::Channel* firstChannel = song.play();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    FMOD::Channel* secondChannel = song.play();
    EXPECT_NE(secondChannel, firstChannel);
    EXPECT_EQ(song.getChannel(), secondChannel);
    EXPECT_LT(positionMs(secondChannel), 100u) << "from the beginning again";

    song.stop();
    bool playing = false;
    EXPECT_EQ(secondChannel->isPlaying(&playing), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(otherChannel->isPlaying(&playing), FMOD_OK);
    EXPECT_TRUE(playing);

    // In time with a playing song it starts where that one is; with one
    // that does not play, from its beginning.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    FMOD::Channel* joined = song.playInTimeWith(other);
    EXPECT_NEAR(positionMs(joined), positionMs(otherChannel), 2.0);
    EXPECT_GE(positionMs(joined), 250u);
    song.stop();
    other.stop();
    EXPECT_LT(positionMs(song.playInTimeWith(other)), 100u);
    song.stop();
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    return names;
}

int16_t toSample(double value)
{
    return static_cast<int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
}

TEST_F(Songs, SavedMixIsOneLoopOfThePlayingSongsInTimeAtTheGroupsVolume)
{
    const std::string where = testFolder();
    // Whole periods: each loop joins its own start without a step.
    const std::string longer = toneFile(where, "longer.mp3", {{440.0, 0.5}}, 0.5);
    const std::string shorter = toneFile(where, "shorter.mp3", {{600.0, 0.25}}, 0.4);
    testing_support::ChildOptions options;
    options.workingDirectory = where;
    options.environment = {"ALSOFT_DRIVERS=null"};
    ChildResult run = runScenario({"savemix", longer, shorter}, options);
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::smatch saved;
    const std::regex line("(^|\n)Mix saved: (recordings/mix-[0-9]{8}-[0-9]{6}\\.wav)\n");
    ASSERT_TRUE(std::regex_search(run.out, saved, line)) << run.out;
    EXPECT_EQ(filesIn(where + "/recordings").size(), 1u) << "one file, nothing left beside it";

    const WaveFile wave = readWave(where + "/" + saved[2].str());
    ASSERT_TRUE(wave.valid) << wave.problem;
    EXPECT_EQ(wave.left.rate, 44100);
    const Stereo a = decodeMp3(longer);
    const Stereo b = decodeMp3(shorter);
    ASSERT_EQ(wave.left.samples.size(), a.frames()) << "one loop of the longer song";
    const Signal* sides[] = {&wave.left, &wave.right};
    int worst = 0;
    for (size_t i = 0; i < a.frames(); ++i)
        for (int side = 0; side < 2; ++side) {
            const double sum = (a.samples[2 * i + side] + b.samples[2 * (i % b.frames()) + side]) * 0.5;
            const int heard = static_cast<int>(std::lround(sides[side]->samples[i] * 32768.0));
            worst = std::max(worst, std::abs(heard - toSample(sum)));
        }
    EXPECT_LE(worst, 1) << "steps of 1/32768 from the songs' own sum at the group's volume";
    for (const Signal* side : sides) {
        const double join = std::fabs(side->samples.back() - side->samples.front());
        EXPECT_LT(join, 1.2 * largestStep(*side, 0, side->samples.size())) << "the end runs into the start";
    }
}

TEST_F(Songs, MixWithNothingPlayingOrNowhereToGoSaysWhyAndLeavesNoFile)
{
    const std::string where = testFolder();
    testing_support::ChildOptions options;
    options.workingDirectory = where;
    options.environment = {"ALSOFT_DRIVERS=null"};
    ChildResult nothing = runScenario({"savemix"}, options);
    EXPECT_NE(nothing.out.find("Nothing to save: no music is playing\n"), std::string::npos) << nothing.out;
    EXPECT_FALSE(std::filesystem::exists(where + "/recordings"));

    // Readable by whoever the scenario runs as.
    chmod(where.c_str(), 0755);
    chmod(folder.c_str(), 0755);
    ASSERT_EQ(mkdir((where + "/recordings").c_str(), 0555), 0);
    ChildResult readOnly = runScenario({"savemix", "unprivileged", first}, options);
    EXPECT_EQ(readOnly.exitStatus, 0) << readOnly.err;
    const std::regex line("(^|\n)Could not save the mix: recordings/mix-[0-9-]+\\.wav: Permission denied\n");
    EXPECT_TRUE(std::regex_search(readOnly.out, line)) << readOnly.out;
    EXPECT_TRUE(filesIn(where + "/recordings").empty());
    chmod((where + "/recordings").c_str(), 0755);
}

ChildResult loadInChild(const std::string& path)
{
    return runFatalInChild([path] {
        smoothSynthSong = soundSystem.createSong(path);
        std::printf("loaded\n");
        return 0;
    });
}

TEST_F(Songs, MissingFileEndsTheProgramWithFileNotFound)
{
    ChildResult result = loadInChild(folder + "/OpenGL/WAVE/smoothSynth.mp3");
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "FMOD error! (23) File not found. \n");
    EXPECT_EQ(result.err, "");
}

TEST_F(Songs, FileWithoutMpegAudioEndsTheProgramWithAFormatError)
{
    testing_support::writeFile(folder + "/corrupt.mp3", "ID3 but then nothing that decodes\n" + std::string(3000, '\x01'));
    ChildResult result = loadInChild(folder + "/corrupt.mp3");
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "FMOD error! (25) Unsupported file or audio format. \n");
    EXPECT_EQ(result.err, "") << "the decoder stays quiet about what it skipped";
}

TEST_F(Songs, FolderInPlaceOfAFileEndsTheProgramWithABadFile)
{
    mkdir((folder + "/folder.mp3").c_str(), 0755);
    ChildResult result = loadInChild(folder + "/folder.mp3");
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "FMOD error! (19) Error loading file. \n");
}

TEST_F(Songs, PlayingASongThatWasNeverLoadedIsAnFmodError)
{
    ChildResult result = runFatalInChild([] {
        evilLaughSong.play();
        return 0;
    });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "FMOD error! (37) An invalid parameter was passed to this function. \n");
}

} // namespace
