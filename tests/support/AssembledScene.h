#pragma once

#include <functional>
#include <ostream>
#include <string>

namespace testing_support {

// Assembles the game's real scene in a window of the given settings
// (Resolution.ini lines) in a child process, runs check there and returns
// what it wrote: empty when all is well, else what went wrong, including a
// child that failed before reporting.
std::string inAssembledScene(const std::string& windowSettings, const std::function<void(std::ostream&)>& check);

} // namespace testing_support
