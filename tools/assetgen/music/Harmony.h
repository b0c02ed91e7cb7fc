#pragma once

#include <array>

// The key of the game's music, A minor, and the progression every instrument
// track follows: Am7, Fmaj7, Cmaj7, G6, two bars each.
namespace assetgen::music {

struct Chord {
    const char* name;
    int bassKey;               // MIDI key of the root, an octave for the bass (A1 = 33)
    std::array<int, 4> tones;  // MIDI keys of a close voicing around middle C
};

constexpr int beatsPerChord = 8;

// The chord that sounds at a beat of the loop (wraps past the loop's end).
const Chord& chordAtBeat(double beat);
// The index of that chord, 0..3.
int chordIndexAtBeat(double beat);
const std::array<Chord, 4>& progression();

// True for the seven notes of A natural minor.
bool inKey(int key);
// The nearest note of the key at or above key.
int snapUpToKey(int key);

} // namespace assetgen::music
