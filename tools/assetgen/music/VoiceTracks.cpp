// The two robot voices: espeak-ng's words placed on the beat, each word sung
// by a synthesizer through the vocoder, so the robots sing in key.
#include "music/Tracks.h"

#include "music/Effects.h"
#include "music/Harmony.h"
#include "music/LoopRendering.h"
#include "music/MusicalTime.h"
#include "music/Oscillator.h"
#include "music/Random.h"
#include "music/Reverb.h"
#include "music/Speech.h"
#include "music/SungWords.h"
#include "music/Vocoder.h"

#include <algorithm>
#include <cmath>

namespace assetgen::music {

namespace {

StereoBuffer toStereo(const std::vector<float>& mono)
{
    StereoBuffer out(static_cast<int64_t>(mono.size()));
    out.left = mono;
    out.right = mono;
    return out;
}

// "Turn the music on ... let the robots dance", sung over Am7 and Cmaj7.
const std::vector<SungWord> voice1Words = {
    {"turn", 0.0, 0.7, 64}, {"the", 0.75, 0.25, 62}, {"music", 1.0, 1.0, 60}, {"on", 2.0, 1.8, 64},
    {"let", 16.0, 0.7, 67}, {"the", 16.75, 0.25, 64}, {"robots", 17.0, 1.0, 62}, {"dance", 18.0, 1.8, 64},
};

// "Clank clank Clankora ... rebuild the song", a deep robot choir on Fmaj7
// and G6; the choir sings the chords, so the words' notes are only the
// chords' roots for reference.
const std::vector<SungWord> voice2Words = {
    {"clank", 8.0, 0.7, 41}, {"clank", 8.75, 0.7, 41}, {"clankora", 9.5, 2.4, 41},
    {"rebuild", 24.0, 0.95, 43}, {"the", 25.0, 0.45, 43}, {"song", 25.5, 2.2, 43},
};

} // namespace

std::vector<float> speakVoice1()
{
    return placeWords(voice1Words, {"en", 150, 50, 10}, loopFrames);
}

std::vector<float> speakVoice2()
{
    return placeWords(voice2Words, {"en", 130, 35, 10}, loopFrames);
}

StereoBuffer makeVoice1(const std::vector<float>& speech)
{
    const std::vector<SungWord>& words = voice1Words;
    std::vector<float> carrier(speech.size());
    Oscillator saw(Oscillator::Shape::Saw), sawDetuned(Oscillator::Shape::Saw, 0.37), sub(Oscillator::Shape::Square);
    Random noise(1111);
    for (size_t i = 0; i < carrier.size(); ++i) {
        double f = keyFrequency(sungKey(words, static_cast<int64_t>(i), loopBeats));
        carrier[i] = static_cast<float>(saw.next(f) * 0.5 + sawDetuned.next(f * 1.004) * 0.5
            + sub.next(f * 0.5) * 0.25 + noise.bipolar() * 0.05);
    }
    Vocoder vocoder({24, 110.0, 7500.0, 1.0, 0.6, 30.0});
    StereoBuffer twice = toStereo(vocoder.process(speech, carrier));
    highPass(twice, 140.0);
    peakEq(twice, 2800.0, 0.9, 3.0);
    compress(twice, -22.0, 3.0, 3.0, 100.0);
    pingPongDelay(twice, 0.5, 0.32, 0.22, 3000.0);
    Reverb room({0.6, 0.4, 0.12, 1.0, 300.0, 15.0});
    room.process(twice);
    return secondPass(twice);
}

StereoBuffer makeVoice2(const std::vector<float>& speech)
{
    std::vector<float> carrier(speech.size());
    // Every chord tone sung by two slightly detuned saws, an octave below the
    // pad: the choir follows the progression whatever the words are.
    std::vector<Oscillator> voices;
    for (int i = 0; i < 8; ++i)
        voices.emplace_back(Oscillator::Shape::Saw, i * 0.131);
    Random noise(2222);
    for (size_t i = 0; i < carrier.size(); ++i) {
        const Chord& chord = chordAtBeat(beatAtFrame(static_cast<int64_t>(i)));
        double sum = 0.0;
        for (int t = 0; t < 4; ++t) {
            double f = keyFrequency(chord.tones[t] - 12);
            sum += voices[2 * t].next(f * 0.997) + voices[2 * t + 1].next(f * 1.003);
        }
        carrier[i] = static_cast<float>(sum * 0.2 + noise.bipolar() * 0.05);
    }
    Vocoder vocoder({24, 90.0, 7000.0, 0.8, 0.35, 45.0});
    StereoBuffer twice = toStereo(vocoder.process(speech, carrier));
    highPass(twice, 80.0);
    lowShelf(twice, 200.0, 3.0);
    compress(twice, -22.0, 3.0, 3.0, 120.0);
    chorus(twice, 4.0, 2.0, 0.5);
    setWidth(twice, 1.4);
    Reverb hall({0.8, 0.45, 0.2, 1.0, 250.0, 25.0});
    hall.process(twice);
    return secondPass(twice);
}

} // namespace assetgen::music
