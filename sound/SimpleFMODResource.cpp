#include "sound/SimpleFMODResource.h"

#include "sound/SoundSystem.h"

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
    system->resources.push_back(this);
    return *this;
}

} // namespace SFMOD
