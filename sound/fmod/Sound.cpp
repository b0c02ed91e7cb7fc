#include "sound/fmod/Sound.h"

#include "sound/fmod/System.h"

namespace FMOD {

FMOD_RESULT Sound::release()
{
    owner->forgetSound(*this);
    delete this;
    return FMOD_OK;
}

} // namespace FMOD
