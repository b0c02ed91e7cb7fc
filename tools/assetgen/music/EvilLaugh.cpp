// evilLaugh: the villain's robotic laugh over an orchestra hit and a
// diminished organ chord, for the intro flight (it loops, so the laugh
// comes back every eight seconds).
#include "music/Tracks.h"

#include "music/Effects.h"
#include "music/LoopRendering.h"
#include "music/MusicalTime.h"
#include "music/Oscillator.h"
#include "music/Reverb.h"
#include "music/SungWords.h"
#include "music/Vocoder.h"

#include <cmath>

namespace assetgen::music {

namespace {

const int64_t period = framesPerBeat * evilLaughBeats;

// "Mwa-ha-ha...": each "ha" a step lower, with a breath between, then a last
// long one.
std::vector<SungWord> laughWords()
{
    std::vector<SungWord> laugh = {{"mwa", 0.0, 1.0, 57}};
    const int falling[] = {64, 63, 60, 57, 56, 54, 51, 48};
    for (int i = 0; i < 8; ++i)
        laugh.push_back({"ha", 1.25 + i * 0.45, 0.3, falling[i]});
    laugh.push_back({"haa", 5.0, 1.8, 45});
    return laugh;
}

} // namespace

std::vector<float> speakEvilLaugh()
{
    return placeWords(laughWords(), {"en", 160, 15, 60}, period);
}

StereoBuffer makeEvilLaugh(FluidRenderer& renderer, const std::vector<float>& speech)
{
    const std::vector<SungWord> laugh = laughWords();

    std::vector<float> carrier(speech.size());
    Oscillator sung(Oscillator::Shape::Saw), low(Oscillator::Shape::Saw, 0.3), tritone(Oscillator::Shape::Square, 0.6);
    for (size_t i = 0; i < carrier.size(); ++i) {
        double f = keyFrequency(sungKey(laugh, static_cast<int64_t>(i), evilLaughBeats));
        carrier[i] = static_cast<float>(sung.next(f) * 0.6 + low.next(f * 0.5) * 0.4 + tritone.next(f * 0.5 * 1.4142) * 0.2);
    }
    std::vector<float> vocoded = Vocoder({20, 90.0, 6500.0, 0.85, 0.4, 35.0}).process(speech, carrier);

    StereoBuffer twice(2 * period);
    for (int64_t i = 0; i < twice.frames(); ++i) {
        // A slow ring modulation puts the metal into the dry voice.
        double ring = std::sin(2.0 * M_PI * 38.0 * static_cast<double>(i % period) / sampleRate);
        float s = static_cast<float>(vocoded[i] * 1.4 + speech[i] * ring * 0.35);
        twice.left[i] = s;
        twice.right[i] = s;
    }
    compress(twice, -20.0, 4.0, 2.0, 80.0);

    Part organ;
    organ.channel = 0;
    organ.program = 19; // Church Organ
    organ.volume = 90;
    for (int key : {45, 48, 51, 54})  // A C D# F#: a diminished seventh
        organ.add(0.0, 7.5, key, 70);
    for (int key : {45, 52, 57, 60}) // A E A C: back to A minor
        organ.add(8.0, 7.0, key, 60);
    Part hit;
    hit.channel = 1;
    hit.program = 55; // Orchestra Hit
    hit.add(0.0, 1.0, 45, 115);
    hit.add(0.0, 1.0, 57, 100);
    Part timpani;
    timpani.channel = 2;
    timpani.program = 47; // Timpani
    for (int i = 0; i < 16; ++i)
        timpani.add(12.0 + i * 0.25, 0.25, 33, 40 + i * 5);
    timpani.add(0.0, 2.0, 33, 120);
    StereoBuffer band = renderer.render(repeatedTwice({organ, hit, timpani}, evilLaughBeats), 2 * period);
    lowPass(band, 5000.0);
    twice.mix(band, 0.4f);
    Reverb hall({0.85, 0.4, 0.2, 1.0, 200.0, 30.0});
    hall.process(twice);
    return secondPass(twice);
}

} // namespace assetgen::music
