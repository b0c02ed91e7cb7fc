#include "sound/SimpleFMODResource.h"

#include "sound/SoundSystem.h"

#include <algorithm>

namespace SFMOD {

SimpleFMODResource::SimpleFMODResource() : system(&soundSystem)
{
    system->resources.push_back(this);
}

SimpleFMODResource::~SimpleFMODResource()
{
    if (sound)
        sound->release();
    // A resource that dies unmoved (a discarded createSong result) must not
    // stay in the list the per-frame update walks.
    system->resources.remove(this);
}

SimpleFMODResource& SimpleFMODResource::operator=(SimpleFMODResource&& source)
{
    if (this == &source)
        return *this;
    system = source.system;
    if (sound && sound != source.sound)
        sound->release();
    sound = source.sound;
    source.sound = nullptr;
    system->resources.remove(&source);
    // A target constructed in place is listed already; listing it twice
    // would update it twice a frame.
    if (std::find(system->resources.begin(), system->resources.end(), this) == system->resources.end())
        system->resources.push_back(this);
    return *this;
}

} // namespace SFMOD
