#pragma once

#include "Signal.h"
#include "support/ChildProcess.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace sound_test {

// The soundScenario program: it plays what the arguments say with the game's
// own sound system, which starts before its main as in the game.
testing_support::ChildResult runScenario(const std::vector<std::string>& arguments,
    const testing_support::ChildOptions& options = {});

// A scenario run with OpenAL writing its mix to a WAV file (the wave
// back-end, in real time), and what came out.
struct Capture {
    testing_support::ChildResult run;
    WaveFile wave;
    // "event NAME SECONDS" lines: when the scenario did something, counted
    // from its first play.
    std::map<std::string, double> events;
    std::vector<std::string> lines; // every other line of its output
    size_t firstSound = 0;          // where the first play is heard in the capture

    // The capture sample of an event, offset by some seconds.
    size_t sampleOf(const std::string& event, double offset = 0.0) const;
};

Capture runCaptured(const std::vector<std::string>& arguments);

// OpenAL configured through ALSOFT_CONF with the given text.
testing_support::ChildOptions withOpenALConfig(const std::string& configText);

// runInChild for a body that ends the program through the sound layer's
// fatal lines: the child's exit flushes its output and goes no further. The
// rest of exit would tear down the parent's sound device, whose threads the
// fork did not copy; with OpenAL Soft 1.24 and PipeWire's library that ended
// one child in eight by a signal on Debian 13.
testing_support::ChildResult runFatalInChild(const std::function<int()>& body);

// A fresh folder for a test's files.
std::string testFolder();

} // namespace sound_test
