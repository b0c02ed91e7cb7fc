#include "sound/fmod/StreamThread.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace FMOD {

struct StreamThread::Worker {
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    bool woken = false;
    std::thread thread;
};

StreamThread::~StreamThread()
{
    stop();
}

void StreamThread::start(std::function<void()> job, std::chrono::milliseconds period)
{
    stop();
    worker = new Worker;
    worker->thread = std::thread(&StreamThread::loop, worker, std::move(job), period);
}

void StreamThread::loop(Worker* worker, std::function<void()> job, std::chrono::milliseconds period)
{
    std::unique_lock<std::mutex> lock(worker->mutex);
    while (!worker->stopping) {
        lock.unlock();
        job();
        lock.lock();
        worker->wake.wait_for(lock, period, [worker] { return worker->stopping || worker->woken; });
        worker->woken = false;
    }
}

void StreamThread::signal(bool Worker::*flag)
{
    {
        std::lock_guard<std::mutex> lock(worker->mutex);
        worker->*flag = true;
    }
    worker->wake.notify_all();
}

void StreamThread::wake()
{
    if (worker)
        signal(&Worker::woken);
}

void StreamThread::stop()
{
    if (!worker)
        return;
    signal(&Worker::stopping);
    worker->thread.join();
    delete worker;
    worker = nullptr;
}

void StreamThread::abandon()
{
    worker = nullptr;
}

} // namespace FMOD
