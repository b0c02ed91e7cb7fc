#include "sound/fmod/StreamThread.h"

namespace FMOD {

StreamThread::~StreamThread()
{
    stop();
}

void StreamThread::start(std::function<void()> job, std::chrono::milliseconds period)
{
    stop();
    stopping = false;
    worker = new std::thread(&StreamThread::loop, this, std::move(job), period);
}

void StreamThread::loop(std::function<void()> job, std::chrono::milliseconds period)
{
    std::unique_lock<std::mutex> lock(mutex);
    while (!stopping) {
        lock.unlock();
        job();
        lock.lock();
        wake.wait_for(lock, period, [this] { return stopping; });
    }
}

void StreamThread::stop()
{
    if (!worker)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    worker->join();
    delete worker;
    worker = nullptr;
}

void StreamThread::abandon()
{
    worker = nullptr;
}

} // namespace FMOD
