#pragma once

#include "sound/fmod/fmodCommon.h"

// The text for a result code, ending with a space; "Unknown error." for a code
// this layer never returns.
const char* FMOD_ErrorString(FMOD_RESULT errcode);
