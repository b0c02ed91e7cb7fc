#include "ChildProcess.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

namespace {

void prepareChild(const ChildOptions& options, int outPipe[2], int errPipe[2])
{
    dup2(outPipe[1], STDOUT_FILENO);
    dup2(errPipe[1], STDERR_FILENO);
    close(outPipe[0]);
    close(errPipe[0]);
    close(outPipe[1]);
    close(errPipe[1]);
    if (options.closeStdin) {
        close(STDIN_FILENO);
    } else {
        int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, STDIN_FILENO);
        close(devNull);
    }
    if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
        _exit(127);
    for (const std::string& name : options.unsetEnvironment)
        unsetenv(name.c_str());
    for (const std::string& entry : options.environment) {
        size_t equals = entry.find('=');
        if (equals != std::string::npos)
            setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
    }
}

ChildResult collect(pid_t pid, int outFd, int errFd, const ChildOptions& options)
{
    ChildResult result;
    auto start = std::chrono::steady_clock::now();
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    int open = 2;
    char buffer[4096];
    while (open > 0) {
        double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (elapsed > options.timeoutSeconds) {
            result.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        if (poll(fds, 2, 100) <= 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
                continue;
            }
            (i == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(n));
        }
    }
    for (pollfd& fd : fds)
        if (fd.fd >= 0)
            close(fd.fd);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        result.exitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

// The folders this process made, removed with everything in them when it
// ends normally. A forked child that exits leaves its parent's folders alone.
class TemporaryFolders {
public:
    ~TemporaryFolders()
    {
        if (getpid() != owner)
            return;
        for (const std::string& path : paths) {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored); // links are removed, not followed
        }
    }
    void add(const std::string& path) { paths.push_back(path); }

private:
    pid_t owner = getpid();
    std::vector<std::string> paths;
};

TemporaryFolders& temporaryFolders()
{
    static TemporaryFolders folders;
    return folders;
}

} // namespace

ChildResult runInChild(const std::function<int()>& body, const ChildOptions& options)
{
    std::fflush(nullptr);
    int outPipe[2];
    int errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
        std::abort();
    pid_t pid = fork();
    if (pid == 0) {
        prepareChild(options, outPipe, errPipe);
        int status = body();
        std::fflush(nullptr);
        std::exit(status);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    return collect(pid, outPipe[0], errPipe[0], options);
}

ChildResult runProgram(const std::vector<std::string>& argv, const ChildOptions& options)
{
    std::fflush(nullptr);
    int outPipe[2];
    int errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
        std::abort();
    pid_t pid = fork();
    if (pid == 0) {
        prepareChild(options, outPipe, errPipe);
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    return collect(pid, outPipe[0], errPipe[0], options);
}

std::string gameExecutable(const std::string& name)
{
    return std::string(CLANKORA_GAME_DIR) + "/" + name;
}

std::string makeTempDirectory(const std::string& prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    temporaryFolders().add(pattern);
    return pattern;
}

std::string makeGameFolder(const std::string& resolutionIni)
{
    std::string folder = makeTempDirectory("clankora-game");
    for (const char* tree : {"OpenGL", "Model"})
        std::filesystem::create_directory_symlink(std::string(CLANKORA_GAME_DIR) + "/" + tree, folder + "/" + tree);
    writeFile(folder + "/Resolution.ini", resolutionIni);
    return folder;
}

void writeFile(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream file(path, std::ios::binary);
    file << text;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

} // namespace testing_support
