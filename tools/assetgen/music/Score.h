#pragma once

#include <cstddef>
#include <vector>

namespace assetgen::music {

// One note in beats from the start of the rendered stretch.
struct Note {
    double beat;
    double length;
    int key;      // MIDI key number
    int velocity; // 1..127
};

// A controller or pitch-wheel change at a beat.
struct Control {
    double beat;
    int controller; // MIDI controller number, or pitchWheel
    int value;      // 0..127, or 0..16383 for the pitch wheel
    static constexpr int pitchWheel = -1;
};

// One General MIDI instrument on one channel with what it plays.
struct Part {
    int channel = 0;       // 9 is the percussion channel
    int bank = 0;          // 128 selects drum kits
    int program = 0;       // General MIDI program, zero-based
    int volume = 100;      // controller 7
    int pan = 64;          // controller 10
    std::vector<Note> notes;
    std::vector<Control> controls;

    void add(double beat, double length, int key, int velocity)
    {
        notes.push_back({beat, length, key, velocity});
    }
};

using Score = std::vector<Part>;

// The score played twice, the second time shifted by periodBeats, so that a
// rendering can keep its second half with the tails of the first wrapped in.
Score repeatedTwice(const Score& score, double periodBeats);

} // namespace assetgen::music
