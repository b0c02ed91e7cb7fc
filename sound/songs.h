#pragma once

#include "sound/Song.h"

// The game's songs: empty until scene assembly assigns each its stream.
extern SFMOD::Song triphopDrumSong;
extern SFMOD::Song funkDrumSong;
extern SFMOD::Song tropicalSoundSong;
extern SFMOD::Song guitarSoundSong;
extern SFMOD::Song noiseSound1Song;
extern SFMOD::Song synthBassSong;
extern SFMOD::Song coolSynthSong;
extern SFMOD::Song smoothSynthSong;
extern SFMOD::Song drum1Song;
extern SFMOD::Song guitar1Song;
extern SFMOD::Song voice1Song;
extern SFMOD::Song voice2Song;
extern SFMOD::Song completeSong2;
extern SFMOD::Song evilLaughSong;
extern SFMOD::Song outroSong;
