#pragma once

#include <chrono>
#include <functional>

namespace FMOD {

// Runs a job at a fixed period, or when woken, on a thread of its own until
// stopped: the streams are refilled there, so they never run dry however
// slowly the game draws its frames, and mixes are saved there.
class StreamThread {
public:
    StreamThread() = default;
    ~StreamThread();
    StreamThread(const StreamThread&) = delete;
    StreamThread& operator=(const StreamThread&) = delete;

    void start(std::function<void()> job, std::chrono::milliseconds period);
    // Runs the job now rather than at the end of the period.
    void wake();
    // Returns after the job's last run has finished.
    void stop();
    // In a forked child the thread does not exist: forget it without joining.
    void abandon();
    bool running() const { return worker != nullptr; }

private:
    struct Worker;
    static void loop(Worker* worker, std::function<void()> job, std::chrono::milliseconds period);
    // Sets one of the worker's flags under its lock and wakes it.
    void signal(bool Worker::*flag);

    // The thread and everything it waits on, in one block that a forked child
    // can drop: the copies it inherits of a joinable thread or of a condition
    // variable with a waiter cannot be destroyed.
    Worker* worker = nullptr;
};

} // namespace FMOD
