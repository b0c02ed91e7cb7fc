#include "music/Harmony.h"

#include "music/MusicalTime.h"

#include <cmath>

namespace assetgen::music {

const std::array<Chord, 4>& progression()
{
    static const std::array<Chord, 4> chords = {{
        {"Am7", 33, {57, 60, 64, 67}},   // A C E G
        {"Fmaj7", 29, {53, 57, 60, 64}}, // F A C E
        {"Cmaj7", 36, {55, 59, 60, 64}}, // G B C E
        {"G6", 31, {55, 59, 62, 64}},    // G B D E
    }};
    return chords;
}

int chordIndexAtBeat(double beat)
{
    double wrapped = std::fmod(beat, static_cast<double>(loopBeats));
    if (wrapped < 0)
        wrapped += loopBeats;
    return static_cast<int>(wrapped / beatsPerChord) % 4;
}

const Chord& chordAtBeat(double beat)
{
    return progression()[chordIndexAtBeat(beat)];
}

bool inKey(int key)
{
    switch (((key % 12) + 12) % 12) {
    case 9: case 11: case 0: case 2: case 4: case 5: case 7:
        return true;
    default:
        return false;
    }
}

int snapUpToKey(int key)
{
    while (!inKey(key))
        ++key;
    return key;
}

} // namespace assetgen::music
