// The two guitars: a clean funk rhythm with an auto-wah, and a doubled,
// overdriven power-chord riff.
#include "music/Tracks.h"

#include "music/Effects.h"
#include "music/Harmony.h"
#include "music/LoopRendering.h"
#include "music/MusicalTime.h"
#include "music/Random.h"
#include "music/Reverb.h"

#include <array>
#include <string>
#include <cmath>

namespace assetgen::music {

namespace {

// Funk voicings high on the neck, one per chord of the progression.
const std::array<std::array<int, 3>, 4> funkVoicings = {{
    {67, 72, 76}, // Am7: G C E
    {64, 69, 72}, // Fmaj7: E A C
    {64, 67, 71}, // Cmaj7: E G B
    {62, 67, 71}, // G6: D G B
}};

// A strum: the strings sound a few milliseconds apart, downwards or upwards.
void strum(Part& part, double beat, double length, const std::array<int, 3>& keys, int velocity, bool down)
{
    for (int i = 0; i < 3; ++i) {
        int string = down ? i : 2 - i;
        part.add(beat + i * 0.018, length, keys[string], velocity - i * 6);
    }
}

} // namespace

StereoBuffer makeGuitarSound(FluidRenderer& renderer)
{
    Part clean = {};
    clean.channel = 0;
    clean.program = 27; // Electric Guitar (clean)
    clean.volume = 105;
    clean.pan = 44;
    Part muted = clean;
    muted.channel = 1;
    muted.program = 28; // Electric Guitar (muted): the dead-string scratches
    muted.volume = 90;
    Random random(707);
    // Sixteenth grid: 'S' stab on the chord, 'c' a scratch, '.' rest.
    const char* bars[2] = {"c.Sc .cS. c.Sc .cSc", "c.Sc .cS. cSc. S.c."};
    for (int bar = 0; bar < loopBars; ++bar) {
        double b = bar * beatsPerBar;
        const auto& voicing = funkVoicings[chordIndexAtBeat(b)];
        int step = 0;
        for (char c : std::string(bars[bar % 2])) {
            if (c == ' ')
                continue;
            double beat = b + step * 0.25 + (step % 2 ? 0.02 : 0.0);
            bool down = step % 2 == 0;
            if (c == 'S')
                strum(clean, beat, 0.18, voicing, 100 + random.range(-6, 6), down);
            else if (c == 'c')
                strum(muted, beat, 0.08, {voicing[0] - 12, voicing[1] - 12, voicing[2] - 12}, 70 + random.range(-8, 8), down);
            ++step;
        }
    }
    StereoBuffer twice = renderTwice(renderer, {clean, muted}, loopBeats);
    // Auto-wah: a resonant band pass opening on every beat, like a rocking pedal.
    StereoBuffer wah = twice;
    sweep(wah, SweepMode::BandPass, [](int64_t i) {
        double phase = std::fmod(beatAtFrame(i), 1.0);
        return 450.0 * std::pow(2.0, 2.4 * std::sin(M_PI * phase));
    }, 0.55);
    twice.scale(0.6f);
    twice.mix(wah, 1.2f);
    highPass(twice, 150.0);
    compress(twice, -20.0, 3.0, 3.0, 80.0);
    Reverb room({0.45, 0.5, 0.12, 0.8, 300.0, 10.0});
    room.process(twice);
    return secondPass(twice);
}

StereoBuffer makeGuitar1(FluidRenderer& renderer)
{
    Part leftTake = {};
    leftTake.channel = 0;
    leftTake.program = 29; // Overdriven Guitar
    leftTake.volume = 100;
    leftTake.pan = 14;
    Part rightTake = leftTake;
    rightTake.channel = 1;
    rightTake.pan = 114;
    // The second take is a hair late and a few cents sharp: a double-tracked wall.
    rightTake.controls.push_back({0.0, Control::pitchWheel, 8192 + 220});
    Random random(808);
    // Palm-muted chugs ('c'), open accents ('A') and rests; a pentatonic lick
    // ends every second bar.
    const char* riff = "A.cc A.c. cA.c A.c.";
    const char* turn = "A.cc A.c. ....  ....";
    const int lick[] = {76, 74, 72, 69}; // E D C A, the last four sixteenths
    for (int bar = 0; bar < loopBars; ++bar) {
        double b = bar * beatsPerBar;
        int root = chordAtBeat(b).bassKey + 12;
        bool second = bar % 2 == 1;
        int step = 0;
        for (char c : std::string(second ? turn : riff)) {
            if (c == ' ')
                continue;
            double beat = b + step * 0.25;
            if (c == 'A' || c == 'c') {
                double length = c == 'A' ? 0.45 : 0.16;
                int velocity = c == 'A' ? 110 : 80;
                for (Part* take : {&leftTake, &rightTake}) {
                    double late = take == &rightTake ? 0.025 : 0.0;
                    int v = velocity + random.range(-5, 5);
                    take->add(beat + late, length, root, v);
                    take->add(beat + late, length, root + 7, v - 8);
                    if (c == 'A')
                        take->add(beat + late, length, root + 12, v - 12);
                }
            }
            ++step;
        }
        if (second)
            for (int i = 0; i < 4; ++i)
                for (Part* take : {&leftTake, &rightTake})
                    take->add(b + 2.0 + i * 0.5 + (take == &rightTake ? 0.02 : 0.0), 0.45, lick[i] - 12, 100);
    }
    StereoBuffer twice = renderTwice(renderer, {leftTake, rightTake}, loopBeats);
    highPass(twice, 90.0);
    peakEq(twice, 420.0, 1.0, -3.0);
    peakEq(twice, 2500.0, 0.8, 2.5);
    lowPass(twice, 6500.0);
    saturate(twice, 1.4);
    Reverb room({0.4, 0.5, 0.08, 1.0, 300.0, 8.0});
    room.process(twice);
    return secondPass(twice);
}

} // namespace assetgen::music
