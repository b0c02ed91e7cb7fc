#include "sound/fmod/ForkGuard.h"

#include "sound/fmod/System.h"

#include <algorithm>
#include <mutex>
#include <pthread.h>
#include <vector>

namespace FMOD {

namespace {

struct LiveSystems {
    std::mutex mutex;
    std::vector<System*> systems;
};

// Created on first use, because systems are created during static
// initialisation, and never destroyed, because they are released during it.
LiveSystems& live()
{
    static LiveSystems* systems = new LiveSystems;
    return *systems;
}

} // namespace

void ForkGuard::add(System& system)
{
    static const bool registered = [] {
        live();
        return pthread_atfork(&ForkGuard::prepare, &ForkGuard::parent, &ForkGuard::child) == 0;
    }();
    (void)registered;
    std::lock_guard<std::mutex> lock(live().mutex);
    live().systems.push_back(&system);
}

void ForkGuard::remove(System& system)
{
    std::lock_guard<std::mutex> lock(live().mutex);
    std::vector<System*>& systems = live().systems;
    systems.erase(std::remove(systems.begin(), systems.end(), &system), systems.end());
}

void ForkGuard::prepare()
{
    live().mutex.lock();
    for (System* system : live().systems)
        system->mutex.lock();
}

void ForkGuard::parent()
{
    for (System* system : live().systems)
        system->mutex.unlock();
    live().mutex.unlock();
}

void ForkGuard::child()
{
    for (System* system : live().systems) {
        system->continueSilentlyAfterFork();
        system->mutex.unlock();
    }
    live().mutex.unlock();
}

} // namespace FMOD
