#include "Scenario.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace sound_test {

testing_support::ChildResult runScenario(const std::vector<std::string>& arguments,
    const testing_support::ChildOptions& options)
{
    std::vector<std::string> argv{SOUND_SCENARIO_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return testing_support::runProgram(argv, options);
}

testing_support::ChildResult runFatalInChild(const std::function<int()>& body)
{
    return testing_support::runInChild([&body] {
        // Registered last, so it runs first.
        on_exit([](int status, void*) {
            std::fflush(nullptr);
            _exit(status);
        }, nullptr);
        return body();
    });
}

namespace {

// Removes the tests' folders once all tests have run. A gtest environment
// rather than a static destructor: child processes forked by a test exit
// through static destruction too, and must leave the folders alone.
class FolderCleanup : public ::testing::Environment {
public:
    void TearDown() override
    {
        for (const std::string& folder : folders) {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        }
    }
    std::vector<std::string> folders;
};

FolderCleanup* cleanup = static_cast<FolderCleanup*>(::testing::AddGlobalTestEnvironment(new FolderCleanup));

} // namespace

std::string testFolder()
{
    std::string folder = testing_support::makeTempDirectory("clankora-sound");
    cleanup->folders.push_back(folder);
    return folder;
}

testing_support::ChildOptions withOpenALConfig(const std::string& configText)
{
    std::string path = testFolder() + "/alsoft.conf";
    testing_support::writeFile(path, configText);
    testing_support::ChildOptions options;
    options.environment = {"ALSOFT_CONF=" + path};
    options.unsetEnvironment = {"ALSOFT_DRIVERS"};
    options.timeoutSeconds = 30.0;
    return options;
}

size_t Capture::sampleOf(const std::string& event, double offset) const
{
    auto found = events.find(event);
    double at = found == events.end() ? 0.0 : found->second;
    return std::min(wave.left.samples.size(),
        firstSound + static_cast<size_t>(std::max(0.0, (at + offset) * wave.left.rate)));
}

Capture runCaptured(const std::vector<std::string>& arguments)
{
    std::string wavePath = testFolder() + "/mix.wav";
    // The mix at the files' own rate, so that a sample of the capture is a
    // sample of the song.
    testing_support::ChildOptions options = withOpenALConfig(
        "[general]\ndrivers=wave\nsample-type=int16\nfrequency=44100\nchannels=stereo\n[wave]\nfile=" + wavePath + "\n");
    Capture capture;
    capture.run = runScenario(arguments, options);
    capture.wave = readWave(wavePath);
    std::istringstream out(capture.run.out);
    for (std::string line; std::getline(out, line);) {
        std::istringstream words(line);
        std::string word;
        std::string name;
        double seconds = 0.0;
        if (words >> word && word == "event" && words >> name >> seconds)
            capture.events[name] = seconds;
        else
            capture.lines.push_back(line);
    }
    if (capture.wave.valid)
        capture.firstSound = onset(capture.wave.left, 0.02);
    return capture;
}

} // namespace sound_test
