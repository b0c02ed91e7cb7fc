#pragma once

#include "sound/fmod/fmodCommon.h"

// FMOD Ex's text for a result code from 0 to 95, ending with a space;
// "Unknown error." for any other code.
const char* FMOD_ErrorString(FMOD_RESULT errcode);
