#include "app/config.h"

#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <climits>
#include <iostream>
#include <sstream>

namespace {

Configuration parse(const std::string& text)
{
    std::istringstream in(text);
    return parseConfiguration(in);
}

TEST(ConfigurationLines, FourLinesSetModeSizeAndRefreshHint)
{
    Configuration c = parse("0\n1280\n720\n1\n");
    EXPECT_FALSE(c.fullScreen);
    EXPECT_EQ(c.width, 1280);
    EXPECT_EQ(c.height, 720);
    EXPECT_TRUE(c.refreshRateHint);

    c = parse("1\n800\n600\n0\n");
    EXPECT_TRUE(c.fullScreen);
    EXPECT_EQ(c.width, 800);
    EXPECT_EQ(c.height, 600);
    EXPECT_FALSE(c.refreshRateHint);

    EXPECT_TRUE(parse("2\n1\n1\n").fullScreen) << "any non-zero value means full screen";
}

TEST(ConfigurationLines, EmptyFileGivesWindowOfZeroSize)
{
    Configuration c = parse("");
    EXPECT_FALSE(c.fullScreen);
    EXPECT_EQ(c.width, 0);
    EXPECT_EQ(c.height, 0);
    EXPECT_FALSE(c.refreshRateHint);
}

TEST(ConfigurationLines, ThreeTerminatedLinesLeaveLineFourEmpty)
{
    // Line 3 is 1, so a reader that repeated it as line 4 would ask for 60 Hz.
    Configuration c = parse("0\n1024\n1\n");
    EXPECT_EQ(c.height, 1);
    EXPECT_FALSE(c.refreshRateHint);
}

TEST(ConfigurationLines, LastLineWithoutLineEndRepeats)
{
    Configuration c = parse("1\n1024");
    EXPECT_TRUE(c.fullScreen);
    EXPECT_EQ(c.width, 1024);
    EXPECT_EQ(c.height, 1024);
    EXPECT_FALSE(c.refreshRateHint) << "line 4 repeats 1024, which is not 1";

    c = parse("0\n1");
    EXPECT_EQ(c.height, 1);
    EXPECT_TRUE(c.refreshRateHint) << "a repeated 1 on line 4 requests 60 Hz";
}

TEST(ConfigurationLines, ConversionStopsAtFirstNonDigit)
{
    EXPECT_EQ(parse("0\n1024x768\n600\n").width, 1024);
    EXPECT_TRUE(parse("0\n1\n1\n01\n").refreshRateHint);
    EXPECT_TRUE(parse("0\n1\n1\n1.5\n").refreshRateHint);
    EXPECT_TRUE(parse("0\n1\n1\n  +1\n").refreshRateHint) << "leading space and sign";
    EXPECT_FALSE(parse("0\n1\n1\n-1\n").refreshRateHint);
    EXPECT_EQ(parse("0\nwide\n600\n").width, 0);
    EXPECT_EQ(parse("0\n-640\n-480\n").height, -480);
}

TEST(ConfigurationLines, WindowsLineEndsStillConvert)
{
    Configuration c = parse("0\r\n1280\r\n720\r\n1\r\n");
    EXPECT_EQ(c.width, 1280);
    EXPECT_TRUE(c.refreshRateHint);
}

TEST(SaturatingConversion, ValuesBeyondIntClampInsteadOfOverflowing)
{
    EXPECT_EQ(toIntSaturating("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(toIntSaturating("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(toIntSaturating("2147483648"), INT_MAX);
    EXPECT_EQ(toIntSaturating("2147483647"), INT_MAX);
    EXPECT_EQ(toIntSaturating("-2147483648"), INT_MIN);
    EXPECT_EQ(toIntSaturating("  42abc"), 42);
    EXPECT_EQ(toIntSaturating(""), 0);
    EXPECT_EQ(parse("0\n99999999999999999999\n1\n").width, INT_MAX);
}

// Arbitrary bytes are the config fuzzer's work (tests/fuzz/configFuzzer.cpp),
// which checks every setting against a digit-by-digit reading of its line.
TEST(SaturatingConversion, NulByteEndsTheNumberButNotTheLine)
{
    std::string withZero("1\0 9\n12\n", 8);
    EXPECT_TRUE(parse(withZero).fullScreen);
    EXPECT_EQ(parse(withZero).width, 12);
    EXPECT_EQ(parse(std::string("0\n7\0" "5\n", 6)).width, 7);
}

TEST(WindowSize, OnlySizesTheSystemCanMakeReachWindowCreation)
{
    EXPECT_TRUE(windowSizeIsUsable(800, 600));
    EXPECT_TRUE(windowSizeIsUsable(1, 1));
    EXPECT_TRUE(windowSizeIsUsable(largestWindowSide, largestWindowSide));
    EXPECT_FALSE(windowSizeIsUsable(0, 600));
    EXPECT_FALSE(windowSizeIsUsable(800, -480));
    EXPECT_FALSE(windowSizeIsUsable(INT_MAX, 600));
    EXPECT_FALSE(windowSizeIsUsable(800, largestWindowSide + 1));
}

using testing_support::ChildOptions;
using testing_support::makeTempDirectory;
using testing_support::runInChild;
using testing_support::writeFile;

TEST(ConfigurationFile, MissingFileKeepsDefaultsAndSaysSoWithoutLineEnd)
{
    ChildOptions options;
    options.workingDirectory = makeTempDirectory("clankora-config");
    auto result = runInChild([] {
        readConfiguration("Resolution.ini");
        std::cout << "|" << fullScreen << " " << windowWidth << " " << windowHeight;
        return 0;
    }, options);
    EXPECT_EQ(result.out, "Configfile not found|1 800 600");
}

TEST(ConfigurationFile, FileInWorkingDirectorySetsTheGlobals)
{
    ChildOptions options;
    options.workingDirectory = makeTempDirectory("clankora-config");
    writeFile(options.workingDirectory + "/Resolution.ini", "0\n1024\n768\n0\n");
    auto result = runInChild([] {
        readConfiguration("Resolution.ini");
        std::cout << fullScreen << " " << windowWidth << " " << windowHeight;
        return 0;
    }, options);
    EXPECT_EQ(result.out, "0 1024 768");
}

} // namespace
