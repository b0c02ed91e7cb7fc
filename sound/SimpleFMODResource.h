#pragma once

#include "sound/fmod/fmod.h"

namespace SFMOD {

class SoundSystem;

// Base of every sound resource: registers with the global sound system, which
// updates it once per frame, and owns one stream of the layer, released with
// the resource. Moving a resource hands over its stream and its registration.
class SimpleFMODResource {
public:
    SimpleFMODResource();
    virtual ~SimpleFMODResource();
    SimpleFMODResource(const SimpleFMODResource&) = delete;
    SimpleFMODResource& operator=(const SimpleFMODResource&) = delete;
    SimpleFMODResource& operator=(SimpleFMODResource&& source);

    virtual void update() {}

    FMOD::Sound* getSound() const { return sound; }

protected:
    SoundSystem* system;
    FMOD::Sound* sound = nullptr;
};

} // namespace SFMOD
