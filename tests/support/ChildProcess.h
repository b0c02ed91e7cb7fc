#pragma once

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct ChildResult {
    int exitStatus = -1;   // 0..255 when the child exited
    int signal = 0;        // the signal that ended it, 0 if none
    bool timedOut = false; // killed after the time limit
    std::string out;       // everything written to standard output
    std::string err;       // everything written to standard error
    double seconds = 0.0;  // wall time
};

struct ChildOptions {
    std::string workingDirectory;                  // "" keeps the current one
    std::vector<std::string> environment;          // NAME=value entries added
    std::vector<std::string> unsetEnvironment;     // names removed
    double timeoutSeconds = 60.0;
    bool closeStdin = true;                        // stdin from /dev/null otherwise
};

// Runs body in a forked child (whose return value is its exit status) and
// collects its output. The parent must not hold a GL context or threads the
// child needs; the child starts its own.
ChildResult runInChild(const std::function<int()>& body, const ChildOptions& options = {});

// Runs a program with arguments in a child process.
ChildResult runProgram(const std::vector<std::string>& argv, const ChildOptions& options = {});

// Path of an executable in the game folder, e.g. gameExecutable("clankora").
std::string gameExecutable(const std::string& name);

// A fresh empty directory under the system's temporary folder, removed with
// its contents when the process that made it ends normally.
std::string makeTempDirectory(const std::string& prefix);

// A fresh folder that looks like the game folder (its asset trees linked in)
// with the given Resolution.ini, for runs that need their own window size.
std::string makeGameFolder(const std::string& resolutionIni);

// Writes text to a file, creating folders on the way.
void writeFile(const std::string& path, const std::string& text);

// A child's output split at its newlines.
std::vector<std::string> lines(const std::string& text);

} // namespace testing_support
