#include "music/Reverb.h"

#include "music/Biquad.h"
#include "music/MusicalTime.h"

namespace assetgen::music {

namespace {

const int combTunings[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
const int allPassTunings[] = {556, 441, 341, 225};
const int stereoSpread = 23;

} // namespace

Reverb::Reverb(const Settings& s)
    : settings(s)
    , feedback(s.roomSize * 0.28 + 0.7)
    , damp(s.damping * 0.4)
{
    for (int spread : {0, stereoSpread}) {
        Channel& channel = spread == 0 ? leftChannel : rightChannel;
        for (int tuning : combTunings)
            channel.combs.push_back({std::vector<float>(static_cast<size_t>(tuning + spread), 0.0f), 0, 0.0});
        for (int tuning : allPassTunings)
            channel.allPasses.push_back({std::vector<float>(static_cast<size_t>(tuning + spread), 0.0f), 0});
    }
}

float Reverb::processChannel(Channel& channel, float in)
{
    double out = 0.0;
    for (Comb& comb : channel.combs) {
        float delayed = comb.line[comb.index];
        comb.store = delayed * (1.0 - damp) + comb.store * damp;
        comb.line[comb.index] = static_cast<float>(in + comb.store * feedback);
        if (++comb.index == comb.line.size())
            comb.index = 0;
        out += delayed;
    }
    for (AllPass& pass : channel.allPasses) {
        float delayed = pass.line[pass.index];
        double result = delayed - out;
        pass.line[pass.index] = static_cast<float>(out + delayed * 0.5);
        if (++pass.index == pass.line.size())
            pass.index = 0;
        out = result;
    }
    return static_cast<float>(out);
}

void Reverb::process(StereoBuffer& buffer)
{
    const double inputGain = 0.015;
    const double wet = settings.wet * 3.0;
    const double wet1 = wet * (settings.width / 2.0 + 0.5);
    const double wet2 = wet * ((1.0 - settings.width) / 2.0);
    Biquad lowCut;
    lowCut.setHighPass(settings.lowCut, 0.707);
    size_t preDelay = static_cast<size_t>(settings.preDelayMs * sampleRate / 1000.0) + 1;
    std::vector<float> delayLine(preDelay, 0.0f);
    size_t delayIndex = 0;
    for (int64_t i = 0; i < buffer.frames(); ++i) {
        float mono = lowCut.process((buffer.left[i] + buffer.right[i]) * 0.5f);
        float in = static_cast<float>(delayLine[delayIndex] * inputGain);
        delayLine[delayIndex] = mono;
        if (++delayIndex == delayLine.size())
            delayIndex = 0;
        float l = processChannel(leftChannel, in);
        float r = processChannel(rightChannel, in);
        buffer.left[i] += static_cast<float>(l * wet1 + r * wet2);
        buffer.right[i] += static_cast<float>(r * wet1 + l * wet2);
    }
}

} // namespace assetgen::music
