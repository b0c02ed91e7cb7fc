// The sound system as a whole process sees it: it starts before main in every
// program that links it, so it must start quickly and print nothing; it finds
// only the devices that really open; at exit the songs go before the layer;
// and the stream thread stands up to the game's calls at any frame rate.
#include "Mp3Writer.h"
#include "Scenario.h"

#include <gtest/gtest.h>

namespace {

using namespace sound_test;
using testing_support::ChildOptions;
using testing_support::ChildResult;

// ALSA lists "ALSA Default" for a device name that does not exist, and then
// fails to open it: the machine of a player without a sound card, on any machine.
const char* unopenableAlsa = "[general]\ndrivers=alsa\n[alsa]\ndevice=clankora-no-such-device\n";

TEST(SoundStart, IsQuickAndSilentOnThisMachine)
{
    ChildOptions options;
    options.unsetEnvironment = {"ALSOFT_LOGLEVEL", "ALSOFT_CONF", "ALSOFT_DRIVERS"};
    ChildResult result = runScenario({"start"}, options);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "") << "no ALSA or OpenAL lines";
    EXPECT_LT(result.seconds, 1.0);
}

TEST(SoundStart, DeviceThatCannotBeOpenedCountsAsNoneAndNothingIsPrinted)
{
    ChildOptions options = withOpenALConfig(unopenableAlsa);
    options.unsetEnvironment.push_back("ALSOFT_LOGLEVEL");
    ChildResult result = runScenario({"drivers"}, options);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "drivers 0\noutput nosound\n");
    EXPECT_EQ(result.err, "");
}

TEST(SoundStart, LogLevelTheUserSetsIsHonoured)
{
    ChildOptions options = withOpenALConfig(unopenableAlsa);
    options.environment.push_back("ALSOFT_LOGLEVEL=2");
    ChildResult result = runScenario({"drivers"}, options);
    EXPECT_EQ(result.exitStatus, 0);
    // OpenAL Soft marks its lines "(EE)" or "(WW)" after a prefix that
    // changed between releases ("AL lib:" in 1.19, "[ALSOFT]" later), and
    // 1.24 reports the device that does not open as a warning.
    bool openALLine = result.err.find("(EE) ") != std::string::npos || result.err.find("(WW) ") != std::string::npos;
    EXPECT_TRUE(openALLine) << result.err;
    EXPECT_NE(result.err.find("ALSA lib"), std::string::npos) << result.err;
}

TEST(SoundStart, DeviceThatOpensIsTheDriverAndPlays)
{
    ChildOptions options = withOpenALConfig("[general]\ndrivers=wave\n[wave]\nfile=/dev/null\n");
    ChildResult result = runScenario({"drivers"}, options);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "drivers 1\ndriver Wave File Writer\noutput device\n");
    EXPECT_EQ(result.err, "");
}

class SoundLifetime : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string folder = testFolder();
        for (int i = 0; i < 12; ++i)
            files.push_back(toneFile(folder, "track" + std::to_string(i) + ".mp3",
                {{300.0 + 50.0 * i, 0.3 + 0.05 * i}}, 0.05));
    }

    static std::vector<std::string> files;
};

std::vector<std::string> SoundLifetime::files;

TEST_F(SoundLifetime, SongsReleaseTheirStreamsBeforeTheLayerIsReleased)
{
    ChildOptions options;
    options.environment = {"SCENARIO_RELEASE_PROBE=1"};
    std::vector<std::string> arguments{"exitorder", files[0], files[1], files[2]};
    ChildResult result = runScenario(arguments, options);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "song files open when the layer closes: 0\n");
    EXPECT_EQ(result.err, "");

    // The probe does see a stream that is still open at that moment.
    arguments[0] = "exitorder-leak";
    result = runScenario(arguments, options);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "song files open when the layer closes: 1\n");
}

TEST_F(SoundLifetime, StreamThreadStandsUpToEveryCallAtAnyFrameRate)
{
    // A device that mixes in real time, with nothing to hear.
    ChildOptions options = withOpenALConfig("[general]\ndrivers=null\n");
    std::vector<std::string> arguments{"stress", "2.0"};
    arguments.insert(arguments.end(), files.begin(), files.end());
    ChildResult result = runScenario(arguments, options);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.signal, 0);
    EXPECT_EQ(result.err, "") << "a sanitizer would report here";
    long operations = 0;
    EXPECT_EQ(std::sscanf(result.out.c_str(), "stress operations %ld", &operations), 1) << result.out;
    EXPECT_GT(operations, 200);
}

TEST_F(SoundLifetime, HeardStreamAdvancesEndsAndIsFreedByUpdate)
{
    ChildOptions options = withOpenALConfig("[general]\ndrivers=null\n");
    ChildResult result = runScenario({"once", files[0]}, options);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "advanced yes, then answers 36\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(SoundLifetime, ForkedChildGoesOnSilentlyAndTheParentKeepsItsSound)
{
    ChildOptions options = withOpenALConfig("[general]\ndrivers=null\n");
    ChildResult result = runScenario({"fork", files[5]}, options);
    EXPECT_FALSE(result.timedOut) << "a lock held across fork() would hang the child";
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "child advanced yes\nchild exited 0\nparent advanced yes\n");
    EXPECT_EQ(result.err, "");
}

} // namespace
