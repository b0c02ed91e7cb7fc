// noiseSound1: filtered noise that moves: a rhythmic, rising band of noise
// over two whistling resonances tuned to the chord, circling the listener.
#include "music/Tracks.h"

#include "music/Effects.h"
#include "music/Harmony.h"
#include "music/LoopRendering.h"
#include "music/MusicalTime.h"
#include "music/Random.h"
#include "music/Reverb.h"
#include "music/SweepFilter.h"

#include <algorithm>
#include <cmath>

namespace assetgen::music {

namespace {

double keyFrequency(double key)
{
    return 440.0 * std::pow(2.0, (key - 69.0) / 12.0);
}

// The tone the wind whistles at a frame: the chord's root and fifth, two
// octaves up, gliding over a sixteenth at each chord change.
double whistleKey(int64_t frame, int toneIndex)
{
    double beat = beatAtFrame(frame);
    double glide = std::clamp(std::fmod(beat, beatsPerChord) / 0.25, 0.0, 1.0);
    const Chord& now = chordAtBeat(beat);
    const Chord& before = chordAtBeat(beat - beatsPerChord);
    double from = before.tones[toneIndex] + 12.0;
    double to = now.tones[toneIndex] + 12.0;
    return from + (to - from) * glide;
}

// A sixteenth-note gate: which steps of the bar let the noise through.
double gate(int64_t frame)
{
    static const double pattern[16] = {1, 0.25, 0.7, 0.25, 1, 0.25, 0.7, 0.5, 1, 0.25, 0.7, 0.25, 1, 0.5, 0.85, 0.4};
    double steps = beatAtFrame(frame) * 4.0;
    int step = static_cast<int>(std::floor(steps)) % 16;
    double within = steps - std::floor(steps);
    // Quick rise, a decay through the step: no clicks at the step edges.
    double envelope = std::min(1.0, within / 0.06) * std::exp(-within * 2.2);
    return pattern[step] * envelope;
}

} // namespace

StereoBuffer makeNoiseSound1()
{
    const int64_t frames = 2 * loopFrames;
    StereoBuffer twice(frames);
    Random randomLeft(909), randomRight(9090);
    SweepFilter riserL, riserR, whistleRoot, whistleFifth;
    double pinkL = 0.0, pinkR = 0.0;
    for (int64_t i = 0; i < frames; ++i) {
        // The noise itself repeats with the loop, so the seam is clean.
        if (i == loopFrames) {
            randomLeft = Random(909);
            randomRight = Random(9090);
        }
        double whiteL = randomLeft.bipolar(), whiteR = randomRight.bipolar();
        pinkL = 0.96 * pinkL + 0.2 * whiteL;
        pinkR = 0.96 * pinkR + 0.2 * whiteR;
        double beat = beatAtFrame(i);
        // Each chord's noise band rises from a dull rumble to a bright hiss.
        double rise = std::fmod(beat, beatsPerChord) / beatsPerChord;
        double riserCutoff = 350.0 * std::pow(2.0, 4.2 * rise * rise);
        double g = gate(i) * (0.55 + 0.45 * rise);
        float bandL = riserL.process(static_cast<float>(whiteL * 0.5 + pinkL), riserCutoff, 0.6).band;
        float bandR = riserR.process(static_cast<float>(whiteR * 0.5 + pinkR), riserCutoff, 0.6).band;
        double mono = (whiteL + whiteR) * 0.5;
        float root = whistleRoot.process(static_cast<float>(mono), keyFrequency(whistleKey(i, 0)), 0.985).band;
        float fifth = whistleFifth.process(static_cast<float>(mono), keyFrequency(whistleKey(i, 2)), 0.985).band;
        double breath = 0.6 + 0.4 * loopSine(i, 8.0);
        double whistle = (root + fifth * 0.8) * 0.12 * breath;
        twice.left[i] = static_cast<float>(bandL * g * 1.6 + whistle);
        twice.right[i] = static_cast<float>(bandR * g * 1.6 + whistle);
    }
    autoPan(twice, 4.0, 0.7);
    highPass(twice, 120.0);
    Reverb space({0.8, 0.3, 0.25, 1.0, 300.0, 25.0});
    space.process(twice);
    return secondPass(twice);
}

} // namespace assetgen::music
