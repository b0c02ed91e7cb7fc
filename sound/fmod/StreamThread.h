#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace FMOD {

// Runs a job at a fixed period on a thread of its own until stopped: the
// streams are refilled there, so they never run dry however slowly the game
// draws its frames.
class StreamThread {
public:
    StreamThread() = default;
    ~StreamThread();
    StreamThread(const StreamThread&) = delete;
    StreamThread& operator=(const StreamThread&) = delete;

    void start(std::function<void()> job, std::chrono::milliseconds period);
    // Returns after the job's last run has finished.
    void stop();
    // In a forked child the thread does not exist: forget it without joining.
    void abandon();
    bool running() const { return worker != nullptr; }

private:
    void loop(std::function<void()> job, std::chrono::milliseconds period);

    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    // A pointer, so that a forked child can drop it: destroying a joinable
    // std::thread would end the process.
    std::thread* worker = nullptr;
};

} // namespace FMOD
