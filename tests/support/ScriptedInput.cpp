#include "ScriptedInput.h"

#include "platform/Platform.h"

#include <stdexcept>

namespace testing_support {

ScriptedInput::ScriptedInput(const std::string& scriptText, double timeStep)
{
    std::string error;
    if (!script.parse(scriptText, error))
        throw std::runtime_error("bad test script: " + error);
    scripted = std::make_unique<platform::ScriptedPlatform>(script, timeStep);
    platform::setActive(scripted.get());
}

ScriptedInput::~ScriptedInput()
{
    platform::setActive(nullptr);
}

void ScriptedInput::step()
{
    scripted->pollEvents();
}

} // namespace testing_support
