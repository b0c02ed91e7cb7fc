// clankora-bot: the real game driven by scripted input and a fixed time step,
// for tests, demos and benchmarks. See docs/bot.md.
#include "app/Autoplay.h"
#include "app/shell.h"
#include "platform/InputScript.h"
#include "platform/ScriptedPlatform.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

const char* usage =
    "usage: clankora-bot (--script FILE | --autoplay [--keep-level-notice] [--log-steps])\n"
    "                    [--dt SECONDS] [--shots DIR] [--max-frames N] [--record-audio FILE.wav]\n"
    "                    [--frame-times FILE]\n";

[[noreturn]] void usageError(const std::string& message)
{
    std::cerr << "clankora-bot: " << message << "\n" << usage;
    std::exit(2);
}

double parsePositive(const std::string& text, const std::string& option)
{
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value > 0.0) || value > 10.0)
        usageError(option + " needs a positive number of seconds up to 10");
    return value;
}

long parseCount(const std::string& text, const std::string& option)
{
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 0)
        usageError(option + " needs a non-negative whole number");
    return value;
}

// The sound system opens its device before main runs, so recording what the
// game plays means starting again with OpenAL Soft's wave writer configured.
void restartRecordingTo(const std::string& wavePath, char** argv)
{
    const char* recording = std::getenv("CLANKORA_RECORDING");
    if (recording && wavePath == recording)
        return;
    std::string absolute = std::filesystem::absolute(wavePath).string();
    std::string configuration = absolute + ".alsoft.conf";
    std::ofstream file(configuration);
    file << "[general]\ndrivers=wave\nsample-type=int16\nfrequency=44100\nchannels=stereo\n[wave]\nfile="
         << absolute << "\n";
    file.close();
    if (!file)
        usageError("cannot write " + configuration);
    setenv("ALSOFT_CONF", configuration.c_str(), 1);
    setenv("CLANKORA_RECORDING", wavePath.c_str(), 1);
    execv("/proc/self/exe", argv);
    usageError("cannot restart to record audio");
}

} // namespace

int main(int argc, char** argv)
{
    std::string scriptPath;
    bool autoplay = false;
    Autoplay::Options autoplayOptions;
    std::string shotDirectory;
    double timeStep = 1.0 / 30.0;
    long maxFrames = -1;
    std::string audioPath;
    std::string frameTimesPath;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                usageError(option + " needs a value");
            return argv[++i];
        };
        if (option == "--script")
            scriptPath = value();
        else if (option == "--autoplay")
            autoplay = true;
        else if (option == "--record-audio")
            audioPath = value();
        else if (option == "--frame-times")
            frameTimesPath = value();
        else if (option == "--log-steps")
            autoplayOptions.logSteps = true;
        else if (option == "--keep-level-notice")
            autoplayOptions.dismissLevelTwoNotice = false;
        else if (option == "--dt")
            timeStep = parsePositive(value(), option);
        else if (option == "--shots")
            shotDirectory = value();
        else if (option == "--max-frames")
            maxFrames = parseCount(value(), option);
        else if (option == "--help" || option == "-h") {
            std::cout << usage;
            return 0;
        } else
            usageError("unknown option " + option);
    }
    if (scriptPath.empty() == !autoplay)
        usageError("give either a script or --autoplay");
    if (!audioPath.empty())
        restartRecordingTo(audioPath, argv);
    if (!shotDirectory.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(shotDirectory, ignored);
    }

    std::FILE* frameTimes = nullptr;
    if (!frameTimesPath.empty() && !(frameTimes = std::fopen(frameTimesPath.c_str(), "w")))
        usageError("cannot write " + frameTimesPath);

    if (autoplay) {
        Autoplay player(autoplayOptions);
        platform::ScriptedPlatform input(player, timeStep, shotDirectory, maxFrames);
        input.recordFrameTimes(frameTimes);
        int status = runClankora(input);
        // A bot that got stuck has not played the game through.
        return player.gaveUp() ? 3 : status;
    }
    platform::InputScript script;
    std::string error;
    if (!script.load(scriptPath, error))
        usageError(scriptPath + ": " + error);
    platform::ScriptedPlatform input(script, timeStep, shotDirectory, maxFrames);
    input.recordFrameTimes(frameTimes);
    return runClankora(input);
}
