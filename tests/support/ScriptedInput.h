#pragma once

#include "platform/InputScript.h"
#include "platform/ScriptedPlatform.h"

#include <memory>
#include <string>

namespace testing_support {

// Makes a scripted back-end the active platform for game-logic tests that run
// without the frame loop. Each step() loads the next frame's input.
class ScriptedInput {
public:
    explicit ScriptedInput(const std::string& scriptText, double timeStep = 0.1);
    ~ScriptedInput();
    ScriptedInput(const ScriptedInput&) = delete;
    ScriptedInput& operator=(const ScriptedInput&) = delete;

    void step();
    platform::ScriptedPlatform& input() { return *scripted; }

private:
    platform::InputScript script;
    std::unique_ptr<platform::ScriptedPlatform> scripted;
};

} // namespace testing_support
