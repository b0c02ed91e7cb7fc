#pragma once

// The music group's volume: chosen at start-up by the settings, changed while
// playing by M, + and -, which say what they did. It lasts for the run.

extern int musicVolume;  // per cent, 0 to 100
extern bool musicMuted;

// Sets the volume (clamped to 0 to 100) and unmutes, silently.
void setMusicVolume(int percent);
// M: mutes or unmutes; prints "Music muted" or the volume.
void toggleMusicMute();
// + and -: the volume up or down by step, unmuted; prints the volume.
void stepMusicVolume(int step);
