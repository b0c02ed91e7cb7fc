#pragma once

// Our FMOD-Ex-style sound layer over OpenAL Soft and libmpg123: everything the
// game's sound wrapper calls, under FMOD Ex's names.
#include "sound/fmod/Channel.h"
#include "sound/fmod/ChannelGroup.h"
#include "sound/fmod/Sound.h"
#include "sound/fmod/System.h"
#include "sound/fmod/errorString.h"
#include "sound/fmod/fmodCommon.h"
