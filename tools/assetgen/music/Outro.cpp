// outro: a triumphant eight bars in C major for the ending, played by the
// game's own instruments (the lead saw, the funk kit, the synth bass, the
// steel drums) with brass and timpani added.
#include "music/Tracks.h"

#include "music/Effects.h"
#include "music/LoopRendering.h"
#include "music/MusicalTime.h"
#include "music/Pattern.h"
#include "music/Random.h"
#include "music/Reverb.h"

#include <array>

namespace assetgen::music {

namespace {

struct Bar {
    int bassKey;
    std::array<int, 3> brass;
};

// C F G C Am F G C, one chord per bar.
const std::array<Bar, 8> bars = {{
    {36, {60, 64, 67}}, {41, {57, 60, 65}}, {43, {55, 59, 62}}, {36, {60, 64, 67}},
    {33, {57, 60, 64}}, {41, {57, 60, 65}}, {43, {55, 59, 62}}, {36, {60, 64, 67}},
}};

struct FanfareNote {
    double beat, length;
    int key;
};

const FanfareNote fanfare[] = {
    {0, 0.5, 67}, {0.5, 0.5, 72}, {1, 0.5, 76}, {1.5, 2.5, 79},
    {4, 0.5, 77}, {4.5, 1, 81}, {5.5, 0.5, 79}, {6, 0.5, 77}, {6.5, 0.5, 76}, {7, 1, 77},
    {8, 0.5, 74}, {8.5, 1, 79}, {9.5, 0.5, 77}, {10, 0.5, 76}, {10.5, 0.5, 74}, {11, 1, 71},
    {12, 0.5, 72}, {12.5, 0.5, 76}, {13, 0.5, 79}, {13.5, 2.5, 84},
    {16, 1, 81}, {17, 0.5, 79}, {17.5, 0.5, 76}, {18, 1, 72}, {19, 1, 76},
    {20, 1, 77}, {21, 1, 81}, {22, 1, 84}, {23, 1, 81},
    {24, 0.5, 83}, {24.5, 0.5, 81}, {25, 1, 79}, {26, 1, 74}, {27, 1, 79},
    {28, 3, 84}, {31, 0.75, 79},
};

} // namespace

StereoBuffer makeOutro(FluidRenderer& renderer)
{
    Random random(1212);
    Part lead;
    lead.channel = 0;
    lead.program = 81; // the coolSynth saw lead
    lead.volume = 100;
    for (const FanfareNote& n : fanfare)
        lead.add(n.beat, n.length * 0.95, n.key, 100);
    Part brass;
    brass.channel = 1;
    brass.program = 61; // Brass Section
    brass.volume = 95;
    brass.pan = 50;
    Part bass;
    bass.channel = 2;
    bass.program = 38; // Synth Bass 1
    Part steel;
    steel.channel = 3;
    steel.program = 114; // Steel Drums
    steel.volume = 80;
    steel.pan = 90;
    Part timpani;
    timpani.channel = 4;
    timpani.program = 47;
    Part kit;
    kit.channel = 9;
    kit.bank = 128;
    kit.program = 0;
    kit.volume = 105;
    Feel straight{0.0, 0.003, 6};
    for (int b = 0; b < 8; ++b) {
        double beat = b * beatsPerBar;
        const Bar& bar = bars[b];
        for (int key : bar.brass) {
            brass.add(beat, 1.4, key, 100);
            brass.add(beat + 1.5, 0.4, key, 90);
            brass.add(beat + 2.0, 1.9, key, 95);
        }
        addGrid(bass, beat, "x.x. x.x. x.x. x.xx", bar.bassKey, 100, 0.4, straight, random);
        for (int i = 0; i < 8; ++i)
            steel.add(beat + i * 0.5, 0.3, bar.brass[i % 3] + 12 + (i >= 4 ? 12 : 0), 75 + random.range(-5, 5));
        timpani.add(beat, 1.0, bar.bassKey + 12, 110);
        addGrid(kit, beat, "X... ..x. x... ....", 36, 105, 0.25, straight, random);
        addGrid(kit, beat, ".... X... .... X..o", 38, 100, 0.25, straight, random);
        addGrid(kit, beat, "x.x. x.x. x.x. x.x.", 42, 70, 0.1, straight, random);
        if (b % 4 == 0)
            kit.add(beat, 2.0, 49, 100);
    }
    for (int i = 0; i < 8; ++i)
        timpani.add(30.0 + i * 0.25, 0.25, 43, 60 + i * 7);
    StereoBuffer twice = renderTwice(renderer, {lead, brass, bass, steel, timpani, kit}, outroBeats);
    compress(twice, -18.0, 2.5, 10.0, 150.0);
    Reverb hall({0.75, 0.4, 0.18, 1.0, 250.0, 20.0});
    hall.process(twice);
    return secondPass(twice);
}

} // namespace assetgen::music
