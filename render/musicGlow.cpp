#include "render/musicGlow.h"

MusicGlow musicGlow;
