// clankora-bot: the real game driven by scripted input and a fixed time step,
// for tests, demos and benchmarks. See docs/bot.md.
#include "app/Autoplay.h"
#include "app/GameState.h"
#include "app/adaptiveScale.h"
#include "app/shell.h"
#include "platform/InputScript.h"
#include "platform/ProcessStatus.h"
#include "platform/ScriptedPlatform.h"
#include "render/renderScale.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

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
    "                    [--frame-times FILE [--resources-every N]] [--bench-views N] [--soak-frames N]\n"
    "                    [--render-scale auto|S] [--show-music]\n"
    "       clankora-bot --empty-frames N [--frame-times FILE]\n";

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

// The floor under every frame on this machine: a window of the configured
// size that only clears and swaps.
int runEmptyFrames(long frames, platform::ScriptedPlatform& timing)
{
    timing.attach(openWindow());
    for (long frame = 0; frame < frames; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        timing.swapBuffers();
        timing.pollEvents();
    }
    glfwTerminate();
    return 0;
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
    long emptyFrames = -1;
    long resourcesEvery = 0;
    // Unlike the game, the bot draws every pixel unless told otherwise, and
    // ignores the environment, so that its pictures and timings repeat.
    setRenderScaleSetting(readRenderScale(argc, argv, "clankora-bot", RenderScaleSetting{false, 1.0f}, false));
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
        else if (option == "--soak-frames")
            autoplayOptions.soakFrames = parseCount(value(), option);
        else if (option == "--resources-every")
            resourcesEvery = parseCount(value(), option);
        else if (option == "--bench-views")
            autoplayOptions.benchmarkViewFrames = parseCount(value(), option);
        else if (option == "--empty-frames")
            emptyFrames = parseCount(value(), option);
        else if (option == "--show-music")
            showMusic = true;
        else if (option == "--log-steps")
            autoplayOptions.logSteps = true;
        else if (option == "--keep-level-notice")
            autoplayOptions.dismissLevelTwoNotice = false;
        else if (option == "--dt")
            timeStep = parsePositive(value(), option);
        else if (option == "--render-scale")
            value(); // read above
        else if (option.rfind("--render-scale=", 0) == 0)
            continue;
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
    if (emptyFrames < 0 && scriptPath.empty() == !autoplay)
        usageError("give either a script, --autoplay or --empty-frames");
    if (!audioPath.empty())
        restartRecordingTo(audioPath, argv);
    if (!shotDirectory.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(shotDirectory, ignored);
    }

    std::FILE* frameTimes = nullptr;
    if (!frameTimesPath.empty() && !(frameTimes = std::fopen(frameTimesPath.c_str(), "w")))
        usageError("cannot write " + frameTimesPath);

    // Written when the game has shut down normally.
    auto notePeakMemory = [frameTimes] {
        if (frameTimes)
            std::fprintf(frameTimes, "# peak-resident-kilobytes %ld\n", platform::processStatusKilobytes("VmHWM"));
    };
    if (emptyFrames >= 0) {
        platform::InputScript nothing;
        platform::ScriptedPlatform timing(nothing, timeStep);
        timing.recordFrameTimes(frameTimes);
        int status = runEmptyFrames(emptyFrames, timing);
        notePeakMemory();
        return status;
    }
    if (autoplay) {
        Autoplay player(autoplayOptions);
        platform::ScriptedPlatform input(player, timeStep, shotDirectory, maxFrames);
        input.recordFrameTimes(frameTimes, &renderScale);
        input.recordResourcesEvery(resourcesEvery);
        int status = runClankora(input);
        notePeakMemory();
        // A bot that got stuck has not played the game through.
        return player.gaveUp() ? 3 : status;
    }
    platform::InputScript script;
    std::string error;
    if (!script.load(scriptPath, error))
        usageError(scriptPath + ": " + error);
    platform::ScriptedPlatform input(script, timeStep, shotDirectory, maxFrames);
    input.recordFrameTimes(frameTimes, &renderScale);
    int status = runClankora(input);
    notePeakMemory();
    return status;
}
