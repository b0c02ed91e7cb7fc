// The sound system and the songs live in this one file, in this order: within
// a file globals are built top to bottom and destroyed bottom to top, so the
// system exists before any song registers with it, and at exit every song
// releases its stream before the system releases the layer. Across files that
// order would be left to chance.
#include "sound/SoundSystem.h"
#include "sound/songs.h"

SFMOD::SoundSystem soundSystem;

SFMOD::Song triphopDrumSong;
SFMOD::Song funkDrumSong;
SFMOD::Song tropicalSoundSong;
SFMOD::Song guitarSoundSong;
SFMOD::Song noiseSound1Song;
SFMOD::Song synthBassSong;
SFMOD::Song coolSynthSong;
SFMOD::Song smoothSynthSong;
SFMOD::Song drum1Song;
SFMOD::Song guitar1Song;
SFMOD::Song voice1Song;
SFMOD::Song voice2Song;
SFMOD::Song completeSong2;
SFMOD::Song evilLaughSong;
SFMOD::Song outroSong;
