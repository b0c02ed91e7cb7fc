// The pitched synthesizer tracks and the steel drums: bass line, lead melody,
// pad chords and the tropical arpeggio, all on the common progression.
#include "music/Tracks.h"

#include "music/Effects.h"
#include "music/Harmony.h"
#include "music/LoopRendering.h"
#include "music/MusicalTime.h"
#include "music/Pattern.h"
#include "music/Random.h"
#include "music/Reverb.h"

#include <cmath>

namespace assetgen::music {

namespace {

Part instrument(int channel, int program, int bank = 0)
{
    Part part;
    part.channel = channel;
    part.program = program;
    part.bank = bank;
    return part;
}

// The lead's hook: pairs of bars over each chord, as (beat, length, key).
struct MelodyNote {
    double beat, length;
    int key;
};

const MelodyNote hook[] = {
    // Am7
    {0.0, 0.5, 69}, {0.5, 0.5, 72}, {1.0, 0.75, 76}, {1.75, 0.25, 74}, {2.0, 0.5, 72}, {2.5, 0.5, 74}, {3.0, 1.0, 76},
    {4.5, 0.5, 79}, {5.0, 0.5, 76}, {5.5, 0.5, 74}, {6.0, 1.5, 72},
    // Fmaj7
    {8.0, 0.5, 69}, {8.5, 0.5, 72}, {9.0, 0.75, 77}, {9.75, 0.25, 76}, {10.0, 0.5, 72}, {10.5, 0.5, 76}, {11.0, 1.0, 72},
    {12.5, 0.5, 76}, {13.0, 0.5, 77}, {13.5, 0.5, 76}, {14.0, 1.0, 72}, {15.0, 0.5, 69},
    // Cmaj7
    {16.0, 0.5, 67}, {16.5, 0.5, 72}, {17.0, 0.75, 76}, {17.75, 0.25, 74}, {18.0, 0.5, 76}, {18.5, 0.5, 79}, {19.0, 1.0, 76},
    {20.5, 0.5, 79}, {21.0, 0.5, 81}, {21.5, 0.5, 79}, {22.0, 1.5, 76},
    // G6
    {24.0, 0.5, 74}, {24.5, 0.5, 76}, {25.0, 0.75, 79}, {25.75, 0.25, 76}, {26.0, 0.5, 74}, {26.5, 0.5, 71}, {27.0, 1.0, 74},
    {28.5, 0.5, 76}, {29.0, 0.5, 74}, {29.5, 0.5, 71}, {30.0, 0.5, 71}, {30.5, 0.5, 72}, {31.0, 0.75, 74},
};

} // namespace

StereoBuffer makeSynthBass(FluidRenderer& renderer)
{
    Random random(404);
    Part bass = instrument(0, 38); // Synth Bass 1
    bass.volume = 110;
    Feel feel{0.0, 0.0, 6};
    for (int bar = 0; bar < loopBars; ++bar) {
        double b = bar * beatsPerBar;
        const Chord& chord = chordAtBeat(b);
        int root = chord.bassKey + 12;
        bool second = bar % 2 == 1;
        addGrid(bass, b, "x... .... x... ....", root, 105, 0.7, feel, random);
        addGrid(bass, b, "...o .... ..o. ....", root, 100, 0.2, feel, random);
        addGrid(bass, b, ".... ..X. .... ....", root + 12, 105, 0.3, feel, random);
        addGrid(bass, b, ".... .... .... x...", root + 7, 95, 0.4, feel, random);
        if (second) {
            // A walk into the next chord's root.
            int next = chordAtBeat(b + beatsPerBar).bassKey + 12;
            int approach = next > root ? next - 2 : next + 2;
            addGrid(bass, b, ".... .... .... ..x.", snapUpToKey(approach), 95, 0.2, feel, random);
            addGrid(bass, b, ".... .... .... ...x", snapUpToKey(approach + (next > root ? 1 : -2)), 90, 0.2, feel, random);
        } else {
            addGrid(bass, b, ".... .... .... ..o.", root + 12, 85, 0.2, feel, random);
        }
    }
    StereoBuffer twice = renderTwice(renderer, {bass}, loopBeats);
    // A gentle filter movement keeps the bass alive without stealing the lead's sweep.
    sweep(twice, SweepMode::LowPass, [](int64_t i) { return 900.0 * std::pow(2.0, 0.8 * loopSine(i, 4.0)); }, 0.35);
    saturate(twice, 1.8);
    lowPass(twice, 4000.0);
    highPass(twice, 32.0);
    compress(twice, -16.0, 3.0, 10.0, 120.0);
    setWidth(twice, 0.0);
    return secondPass(twice);
}

StereoBuffer makeCoolSynth(FluidRenderer& renderer)
{
    Part lead = instrument(0, 81); // Lead 2 (sawtooth)
    lead.volume = 105;
    Random random(505);
    for (const MelodyNote& n : hook)
        lead.add(n.beat, n.length * 0.92, n.key, 96 + random.range(-6, 6));
    // A touch of vibrato on the long notes.
    lead.controls.push_back({0.0, 1, 20});
    StereoBuffer twice = renderTwice(renderer, {lead}, loopBeats);
    // The signature sweep: closed and round at the loop's start, wide open
    // in the middle, closing again towards the end.
    sweep(twice, SweepMode::LowPass,
        [](int64_t i) { return 650.0 * std::pow(2.0, 3.3 * (0.5 - 0.5 * loopSine(i, 1.0, 0.25))); }, 0.55);
    saturate(twice, 1.3);
    pingPongDelay(twice, 0.75, 0.38, 0.3, 3500.0);
    chorus(twice, 2.0, 4.0, 0.25);
    Reverb hall({0.7, 0.45, 0.14, 1.0, 300.0, 20.0});
    hall.process(twice);
    return secondPass(twice);
}

StereoBuffer makeSmoothSynth(FluidRenderer& renderer)
{
    Part pad = instrument(0, 89); // Pad 2 (warm)
    Part air = instrument(1, 91); // Pad 4 (choir)
    air.volume = 70;
    for (int c = 0; c < loopBeats / beatsPerChord; ++c) {
        double b = c * beatsPerChord;
        const Chord& chord = chordAtBeat(b);
        for (int key : chord.tones)
            pad.add(b, beatsPerChord, key, 78);
        pad.add(b, beatsPerChord, chord.bassKey + 24, 70);
        air.add(b, beatsPerChord, chord.tones[2] + 12, 60);
        air.add(b, beatsPerChord, chord.tones[3] + 12, 55);
    }
    StereoBuffer twice = renderTwice(renderer, {pad, air}, loopBeats);
    // Two slow swells per loop, out of step with the lead's sweep.
    sweep(twice, SweepMode::LowPass, [](int64_t i) { return 1400.0 * std::pow(2.0, 1.3 * (0.5 + 0.5 * loopSine(i, 2.0))); }, 0.25);
    chorus(twice, 3.5, 3.0, 0.45);
    Reverb hall({0.88, 0.35, 0.32, 1.0, 220.0, 30.0});
    hall.process(twice);
    setWidth(twice, 1.3);
    return secondPass(twice);
}

StereoBuffer makeTropicalSound(FluidRenderer& renderer)
{
    Part steel = instrument(0, 114); // Steel Drums
    steel.volume = 110;
    steel.pan = 80;
    Random random(606);
    // A calypso figure, 3 + 3 + 2 sixteenths, through the chord's tones:
    // each step names a tone of the voicing (4 is the root an octave up).
    const int steps[] = {0, 3, 6, 8, 10, 11, 14};
    const int figureA[] = {4, 2, 3, 1, 2, 3, 2};
    const int figureB[] = {3, 4, 2, 3, 1, 2, 0};
    for (int bar = 0; bar < loopBars; ++bar) {
        double b = bar * beatsPerBar;
        const Chord& chord = chordAtBeat(b);
        const int* figure = bar % 2 ? figureB : figureA;
        for (int i = 0; i < 7; ++i) {
            int tone = figure[i] == 4 ? chord.tones[0] + 12 : chord.tones[figure[i]];
            int velocity = (i == 0 || i == 3) ? 100 : 82;
            steel.add(b + steps[i] * 0.25, 0.3, tone + 12, velocity + random.range(-5, 5));
        }
        if (bar % 2 == 1)
            steel.add(b + 3.75, 0.25, chordAtBeat(b + beatsPerBar).tones[0] + 12, 70);
    }
    StereoBuffer twice = renderTwice(renderer, {steel}, loopBeats);
    highPass(twice, 180.0);
    pingPongDelay(twice, 0.75, 0.35, 0.32, 5000.0);
    Reverb room({0.6, 0.4, 0.15, 1.0, 300.0, 15.0});
    room.process(twice);
    return secondPass(twice);
}

} // namespace assetgen::music
