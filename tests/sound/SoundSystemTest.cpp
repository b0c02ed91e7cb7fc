// The sound system's start-up against drivers a test makes up (through the
// layer's output seam), its fatal error lines, and the layer's error texts.
#include "FakeOutput.h"
#include "Scenario.h"

#include "sound/SoundSystem.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

using namespace sound_test;
using testing_support::ChildResult;

FMOD::DriverInfo driver(const std::string& name, FMOD_CAPS caps = FMOD_CAPS_NONE,
    FMOD_SPEAKERMODE mode = FMOD_SPEAKERMODE_STEREO)
{
    FMOD::DriverInfo info;
    info.name = name;
    info.caps = caps;
    info.speakerMode = mode;
    info.rate = 44100;
    return info;
}

// Starts a sound system of its own on the fake drivers and returns the log.
std::shared_ptr<OutputLog> startOn(std::vector<FMOD::DriverInfo> drivers, OpenAnswer answer = {})
{
    FakeDrivers fake(std::move(drivers), std::move(answer));
    SFMOD::SoundSystem sounds;
    EXPECT_NE(sounds.musicGroup, nullptr);
    return fake.log;
}

TEST(DriverSetUp, SigmaTelAnywhereInTheNameAsksFor48kHzFloats)
{
    for (const char* name : {"SigmaTel", "SigmaTel High Definition Audio", "IDT/SigmaTel HDA (Speakers)"}) {
        std::shared_ptr<OutputLog> log = startOn({driver(name)});
        ASSERT_EQ(log->openSettings.size(), 1u) << name;
        EXPECT_EQ(log->openSettings[0].sampleRate, 48000) << name;
        EXPECT_EQ(log->openSettings[0].format, FMOD_SOUND_FORMAT_PCMFLOAT) << name;
        EXPECT_EQ(log->openSettings[0].resampler, FMOD_DSP_RESAMPLER_LINEAR) << name;
    }
}

TEST(DriverSetUp, OtherNamesLeaveTheFormatToTheDriver)
{
    for (const char* name : {"sigmatel", "SIGMATEL Audio", "Sigma Tel", "Sigmatel HD", "HDA Intel PCH", ""}) {
        std::shared_ptr<OutputLog> log = startOn({driver(name)});
        ASSERT_EQ(log->openSettings.size(), 1u) << name;
        EXPECT_EQ(log->openSettings[0].sampleRate, 0) << "'" << name << "' is not SigmaTel";
        EXPECT_EQ(log->openSettings[0].format, FMOD_SOUND_FORMAT_PCM16) << name;
    }
}

TEST(DriverSetUp, FirstDriverOpensInItsOwnSpeakerMode)
{
    std::shared_ptr<OutputLog> log
        = startOn({driver("Surround card", FMOD_CAPS_NONE, FMOD_SPEAKERMODE_5POINT1), driver("SigmaTel")});
    ASSERT_EQ(log->openedDrivers, std::vector<std::string>{"Surround card"});
    EXPECT_EQ(log->openSettings[0].speakerMode, FMOD_SPEAKERMODE_5POINT1);
    EXPECT_EQ(log->openSettings[0].sampleRate, 0) << "only driver 0's name counts";
}

TEST(DriverSetUp, EmulatedDriverGetsTenBuffersOf1024)
{
    std::shared_ptr<OutputLog> log = startOn({driver("Emulated", FMOD_CAPS_HARDWARE_EMULATED)});
    EXPECT_EQ(log->openSettings.at(0).dspBufferLength, 1024u);
    EXPECT_EQ(log->openSettings.at(0).dspBufferCount, 10);
    log = startOn({driver("Real")});
    EXPECT_EQ(log->openSettings.at(0).dspBufferLength, 0u) << "left to the driver";
}

TEST(DriverSetUp, SpeakerModeTheDeviceCannotRunIsRetriedInStereo)
{
    std::shared_ptr<OutputLog> log
        = startOn({driver("Surround card", FMOD_CAPS_NONE, FMOD_SPEAKERMODE_7POINT1)}, [](const FMOD::OutputSettings& s) {
              return s.speakerMode == FMOD_SPEAKERMODE_STEREO ? FMOD_OK : FMOD_ERR_OUTPUT_CREATEBUFFER;
          });
    ASSERT_EQ(log->openSettings.size(), 2u);
    EXPECT_EQ(log->openSettings[0].speakerMode, FMOD_SPEAKERMODE_7POINT1);
    EXPECT_EQ(log->openSettings[1].speakerMode, FMOD_SPEAKERMODE_STEREO);
}

TEST(DriverSetUp, SecondCreateBufferFailureEndsTheProgram)
{
    ChildResult result = runFatalInChild([] {
        FakeDrivers fake({driver("Broken")}, [](const FMOD::OutputSettings&) { return FMOD_ERR_OUTPUT_CREATEBUFFER; });
        SFMOD::SoundSystem sounds;
        return 0;
    });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "FMOD error! (56) Error creating hardware sound buffer. \n");
}

TEST(DriverSetUp, OtherInitFailureIsNotRetried)
{
    ChildResult result = runFatalInChild([] {
        FakeDrivers fake({driver("Gone")}, [](const FMOD::OutputSettings&) { return FMOD_ERR_OUTPUT_INIT; });
        SFMOD::SoundSystem sounds;
        return 0;
    });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "FMOD error! (60) Error initializing output device. \n");
}

TEST(DriverSetUp, NoDriverRunsWithoutSoundAndEverythingStillWorks)
{
    FakeDrivers fake({});
    SFMOD::SoundSystem sounds;
    EXPECT_TRUE(fake.log->openSettings.empty()) << "nothing to open";
    FMOD_OUTPUTTYPE output = FMOD_OUTPUTTYPE_AUTODETECT;
    ASSERT_EQ(sounds.system->getOutput(&output), FMOD_OK);
    EXPECT_EQ(output, FMOD_OUTPUTTYPE_NOSOUND);
    ASSERT_NE(sounds.musicGroup, nullptr);
    sounds.update();
}

TEST(FatalLines, FailedCallPrintsItsCodeAndTextAndExitsWithMinusOne)
{
    ChildResult result = runFatalInChild([] {
        SFMOD::SoundSystem::checkResult(FMOD_OK);
        std::printf("ok passes\n");
        SFMOD::SoundSystem::checkResult(FMOD_ERR_FILE_NOTFOUND);
        std::printf("not reached\n");
        return 0;
    });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "ok passes\nFMOD error! (23) File not found. \n");

    result = runFatalInChild([] {
        SFMOD::SoundSystem::checkResult(static_cast<FMOD_RESULT>(200));
        return 0;
    });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "FMOD error! (200) Unknown error.\n");
}

TEST(FatalLines, OldVersionIsReportedWithTheMinimum)
{
    ChildResult result = runFatalInChild([] {
        SFMOD::SoundSystem::checkVersion(278536);
        SFMOD::SoundSystem::checkVersion(0x00050000);
        SFMOD::SoundSystem::checkVersion(278535);
        return 0;
    });
    EXPECT_EQ(result.exitStatus, 255) << "signal " << result.signal << ": " << result.err;
    EXPECT_EQ(result.out, "Error! You are using an old version of FMOD 278535. This program requires 278536\n");
}

TEST(FatalLines, TheLayerIsRecentEnough)
{
    FMOD::System* system = nullptr;
    ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
    unsigned int version = 0;
    EXPECT_EQ(system->getVersion(&version), FMOD_OK);
    EXPECT_GE(version, SFMOD::SoundSystem::minimumVersion);
    system->release();
}

TEST(ErrorTexts, EveryFmodExCodeHasItsOwnTextEndingWithASpace)
{
    std::set<std::string> seen;
    for (int code = 0; code <= 95; ++code) {
        std::string text = FMOD_ErrorString(static_cast<FMOD_RESULT>(code));
        ASSERT_GT(text.size(), 1u) << code;
        EXPECT_EQ(text.back(), ' ') << code;
        EXPECT_NE(text, "Unknown error.") << code;
        EXPECT_TRUE(seen.insert(text).second) << "text of " << code << " repeats another";
    }
    // Spot checks across the table against FMOD Ex's published texts: a
    // shifted row shows at one of them.
    EXPECT_STREQ(FMOD_ErrorString(FMOD_ERR_FILE_NOTFOUND), "File not found. ");
    EXPECT_STREQ(FMOD_ErrorString(FMOD_ERR_MEMORY), "Not enough memory or resources. ");
    EXPECT_STREQ(FMOD_ErrorString(FMOD_ERR_OUTPUT_INIT), "Error initializing output device. ");
    EXPECT_STREQ(FMOD_ErrorString(FMOD_ERR_UNINITIALIZED),
        "This command failed because System::init or System::setDriver was not called. ");
    EXPECT_STREQ(FMOD_ErrorString(static_cast<FMOD_RESULT>(95)),
        "The music callback is required, but it has not been set. ");
}

TEST(ErrorTexts, CodesOutsideTheTableAreUnknown)
{
    for (int code : {-1, 96, 200, 100000})
        EXPECT_STREQ(FMOD_ErrorString(static_cast<FMOD_RESULT>(code)), "Unknown error.") << code;
}

} // namespace
