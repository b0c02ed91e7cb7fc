// The three drum grooves: a dusty half-time trip-hop beat, a busy live funk
// kit and an electro groove on the 808.
#include "music/Tracks.h"

#include "music/Effects.h"
#include "music/LoopRendering.h"
#include "music/MusicalTime.h"
#include "music/Pattern.h"
#include "music/Random.h"
#include "music/Reverb.h"

#include <cmath>

namespace assetgen::music {

namespace {

// General MIDI percussion keys.
enum Drum {
    Kick = 36, SideStick = 37, Snare = 38, Clap = 39, LowFloorTom = 41, ClosedHat = 42, HighFloorTom = 43,
    LowTom = 45, OpenHat = 46, LowMidTom = 47, HighMidTom = 48, Crash = 49, HighTom = 50, RideBell = 53,
    Tambourine = 54, Cowbell = 56, Maracas = 70, Claves = 75,
};

Part drumKit(int program)
{
    Part part;
    part.channel = 9;
    part.bank = 128;
    part.program = program;
    part.volume = 110;
    return part;
}

// Sparse clicks and a faint hiss, as from an old record.
void addVinylCrackle(StereoBuffer& buffer, uint32_t seed)
{
    Random random(seed);
    double hissState = 0.0;
    for (int64_t i = 0; i < buffer.frames(); ++i) {
        hissState = hissState * 0.6 + random.bipolar() * 0.4;
        float noise = static_cast<float>(hissState * 0.004);
        // The crackle repeats with the loop so that the seam stays clean.
        if (i % loopFrames == 0)
            random = Random(seed);
        buffer.left[i] += noise;
        buffer.right[i] += noise;
    }
    Random clicks(seed ^ 0x5bd1e995u);
    for (int n = 0; n < 90; ++n) {
        int64_t at = static_cast<int64_t>(clicks.unit() * (loopFrames - 64));
        double amplitude = 0.02 + 0.08 * clicks.unit() * clicks.unit();
        bool left = clicks.unit() < 0.5;
        for (int64_t pass = 0; pass < buffer.frames(); pass += loopFrames)
            for (int k = 0; k < 24; ++k) {
                float s = static_cast<float>(amplitude * std::exp(-k / 4.0) * (k % 2 ? -1.0 : 1.0));
                (left ? buffer.left : buffer.right)[pass + at + k] += s;
                (left ? buffer.right : buffer.left)[pass + at + k] += s * 0.4f;
            }
    }
}

} // namespace

StereoBuffer makeTriphopDrum(FluidRenderer& renderer)
{
    Random random(101);
    Part kit = drumKit(8); // Room kit
    Feel feel{0.07, 0.006, 6};
    for (int bar = 0; bar < loopBars; ++bar) {
        double b = bar * beatsPerBar;
        bool turn = bar % 4 == 3;
        addGrid(kit, b, turn ? "X... ...x ..x. ..x." : "X... ...x ..x. ....", Kick, 105, 0.5, feel, random);
        addGrid(kit, b, turn ? ".... .... X... ..gx" : ".... .... X... ...g", Snare, 100, 0.5, feel, random);
        addGrid(kit, b, "x.o. x.og x.o. x.o.", ClosedHat, 62, 0.2, feel, random);
        if (bar % 2 == 1)
            addGrid(kit, b, ".... .... .... ..x.", OpenHat, 55, 0.5, feel, random);
        addGrid(kit, b, bar % 2 ? ".... ..x. .... x..." : ".... ..x. .... ....", SideStick, 60, 0.2, feel, random);
        addGrid(kit, b, "gogo gogo gogo gogo", Maracas, 55, 0.1, feel, random);
    }
    StereoBuffer twice = renderTwice(renderer, {kit}, loopBeats);
    lowShelf(twice, 90.0, 5.0);
    compress(twice, -20.0, 4.0, 8.0, 140.0);
    saturate(twice, 2.2);
    bitcrush(twice, 11, 2);
    lowPass(twice, 6500.0);
    addVinylCrackle(twice, 77);
    Reverb room({0.55, 0.5, 0.16, 0.9, 250.0, 8.0});
    room.process(twice);
    return secondPass(twice);
}

StereoBuffer makeFunkDrum(FluidRenderer& renderer)
{
    Random random(202);
    Part kit = drumKit(0); // Standard kit
    Feel feel{0.015, 0.004, 8};
    for (int bar = 0; bar < loopBars; ++bar) {
        double b = bar * beatsPerBar;
        bool fill = bar == loopBars - 1;
        const char* kick = bar % 2 ? "X..x ..x. ..x. .x.." : "X..x ..x. ..X. ....";
        addGrid(kit, b, kick, Kick, 100, 0.25, feel, random);
        addGrid(kit, b, fill ? "...g X..g .g.. ...." : "...g X..g .g.. X..g", Snare, 95, 0.25, feel, random);
        if (fill) {
            addGrid(kit, b, ".... .... .... XxX.", Snare, 90, 0.25, feel, random);
            addGrid(kit, b, ".... .... .... ...x", HighTom, 100, 0.25, feel, random);
            addGrid(kit, b, ".... .... .... .x.x", LowTom, 95, 0.25, feel, random);
        }
        bool openSix = bar % 4 == 2;
        std::string hats = openSix ? "xoxo xo.o xoxo xo.o" : "xoxo xoxo xoxo xo.o";
        if (fill)
            hats = "xoxo xoxo xoxo ....";
        addGrid(kit, b, hats, ClosedHat, 96, 0.1, feel, random);
        addGrid(kit, b, openSix ? ".... ..x. .... ..x." : ".... .... .... ..x.", OpenHat, 70, 0.25, feel, random);
        if (!fill)
            addGrid(kit, b, ".... x... .... x...", Tambourine, 45, 0.2, feel, random);
    }
    kit.add(0.0, 2.0, Crash, 80);
    StereoBuffer twice = renderTwice(renderer, {kit}, loopBeats);
    compress(twice, -18.0, 3.0, 4.0, 90.0);
    highShelf(twice, 6000.0, 5.0);
    lowShelf(twice, 70.0, 2.0);
    Reverb room({0.35, 0.3, 0.1, 0.8, 300.0, 5.0});
    room.process(twice);
    return secondPass(twice);
}

StereoBuffer makeDrum1(FluidRenderer& renderer)
{
    Random random(303);
    Feel feel{0.0, 0.0, 5};
    Part body = drumKit(25); // TR-808
    Part hats = drumKit(25);
    for (int bar = 0; bar < loopBars; ++bar) {
        double b = bar * beatsPerBar;
        bool fill = bar == loopBars - 1;
        addGrid(body, b, "X... X... X... X...", Kick, 110, 0.5, feel, random);
        addGrid(body, b, fill ? ".... x... .... xxxX" : ".... x... .... x...", Clap, 100, 0.25, feel, random);
        if (bar % 2 == 1)
            addGrid(body, b, "...x ..x. ..x. ....", Cowbell, 62, 0.2, feel, random);
        addGrid(hats, b, "xoxo xoxo xoxo xoxo", ClosedHat, 80, 0.1, feel, random);
        addGrid(hats, b, "..x. ..x. ..x. ..x.", OpenHat, 75, 0.2, feel, random);
        if (fill)
            addGrid(body, b, ".... .... x.x. x...", LowMidTom, 90, 0.25, feel, random);
    }
    StereoBuffer twice = renderTwice(renderer, {body}, loopBeats);
    StereoBuffer hatTwice = renderTwice(renderer, {hats}, loopBeats);
    // The hats open up over four bars and close again: the groove breathes.
    sweep(hatTwice, SweepMode::HighPass, [](int64_t i) { return 2500.0 + 4500.0 * (0.5 + 0.5 * loopSine(i, 2.0, 0.25)); }, 0.35);
    autoPan(hatTwice, 8.0, 0.5);
    twice.mix(hatTwice, 1.2f);
    saturate(twice, 1.6);
    highPass(twice, 28.0);
    Reverb room({0.5, 0.45, 0.12, 1.0, 400.0, 10.0});
    room.process(twice);
    return secondPass(twice);
}

} // namespace assetgen::music
