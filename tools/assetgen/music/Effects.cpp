#include "music/Effects.h"

#include "music/Biquad.h"
#include "music/MusicalTime.h"
#include "music/SweepFilter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen::music {

namespace {

template <typename Setup>
void biquadBoth(StereoBuffer& buffer, Setup setup)
{
    Biquad l, r;
    setup(l);
    setup(r);
    for (int64_t i = 0; i < buffer.frames(); ++i) {
        buffer.left[i] = l.process(buffer.left[i]);
        buffer.right[i] = r.process(buffer.right[i]);
    }
}

// A read position between samples, linearly interpolated.
float readDelayed(const std::vector<float>& line, int64_t writeIndex, double delayFrames)
{
    double position = static_cast<double>(writeIndex) - delayFrames;
    int64_t size = static_cast<int64_t>(line.size());
    double base = std::floor(position);
    double fraction = position - base;
    int64_t i0 = ((static_cast<int64_t>(base) % size) + size) % size;
    int64_t i1 = (i0 + 1) % size;
    return static_cast<float>(line[i0] * (1.0 - fraction) + line[i1] * fraction);
}

} // namespace

double loopSine(int64_t frame, double cyclesPerLoop, double phase)
{
    return std::sin(2.0 * M_PI * (cyclesPerLoop * static_cast<double>(frame) / loopFrames + phase));
}

void lowPass(StereoBuffer& buffer, double frequency, double q)
{
    biquadBoth(buffer, [&](Biquad& f) { f.setLowPass(frequency, q); });
}

void highPass(StereoBuffer& buffer, double frequency, double q)
{
    biquadBoth(buffer, [&](Biquad& f) { f.setHighPass(frequency, q); });
}

void peakEq(StereoBuffer& buffer, double frequency, double q, double gainDb)
{
    biquadBoth(buffer, [&](Biquad& f) { f.setPeak(frequency, q, gainDb); });
}

void lowShelf(StereoBuffer& buffer, double frequency, double gainDb)
{
    biquadBoth(buffer, [&](Biquad& f) { f.setLowShelf(frequency, gainDb); });
}

void highShelf(StereoBuffer& buffer, double frequency, double gainDb)
{
    biquadBoth(buffer, [&](Biquad& f) { f.setHighShelf(frequency, gainDb); });
}

void sweep(StereoBuffer& buffer, SweepMode mode, const std::function<double(int64_t)>& cutoff, double resonance)
{
    SweepFilter l, r;
    for (int64_t i = 0; i < buffer.frames(); ++i) {
        double frequency = cutoff(i);
        SweepFilter::Outputs a = l.process(buffer.left[i], frequency, resonance);
        SweepFilter::Outputs b = r.process(buffer.right[i], frequency, resonance);
        switch (mode) {
        case SweepMode::LowPass:
            buffer.left[i] = a.low;
            buffer.right[i] = b.low;
            break;
        case SweepMode::BandPass:
            buffer.left[i] = a.band;
            buffer.right[i] = b.band;
            break;
        case SweepMode::HighPass:
            buffer.left[i] = a.high;
            buffer.right[i] = b.high;
            break;
        }
    }
}

void pingPongDelay(StereoBuffer& buffer, double delayBeats, double feedback, double mix, double dampHz)
{
    int64_t delay = frameAtBeat(delayBeats);
    std::vector<float> lineL(static_cast<size_t>(delay), 0.0f), lineR(static_cast<size_t>(delay), 0.0f);
    Biquad dampL, dampR;
    dampL.setLowPass(dampHz, 0.707);
    dampR.setLowPass(dampHz, 0.707);
    size_t index = 0;
    for (int64_t i = 0; i < buffer.frames(); ++i) {
        float echoL = lineL[index], echoR = lineR[index];
        float mono = (buffer.left[i] + buffer.right[i]) * 0.5f;
        // The input enters on the left; each repeat crosses to the other side.
        lineL[index] = dampL.process(static_cast<float>(mono + echoR * feedback));
        lineR[index] = dampR.process(static_cast<float>(echoL * feedback));
        if (++index == lineL.size())
            index = 0;
        buffer.left[i] += static_cast<float>(echoL * mix);
        buffer.right[i] += static_cast<float>(echoR * mix);
    }
}

void chorus(StereoBuffer& buffer, double depthMs, double cyclesPerLoop, double mix)
{
    const double baseFrames = 0.012 * sampleRate;
    const double depthFrames = depthMs * 0.001 * sampleRate;
    size_t size = static_cast<size_t>(baseFrames + depthFrames * 2 + 8);
    std::vector<float> lineL(size, 0.0f), lineR(size, 0.0f);
    for (int64_t i = 0; i < buffer.frames(); ++i) {
        size_t w = static_cast<size_t>(i % static_cast<int64_t>(size));
        lineL[w] = buffer.left[i];
        lineR[w] = buffer.right[i];
        double dl = baseFrames + depthFrames * (1.0 + loopSine(i, cyclesPerLoop, 0.0));
        double dr = baseFrames + depthFrames * (1.0 + loopSine(i, cyclesPerLoop, 0.25));
        float wetL = readDelayed(lineL, static_cast<int64_t>(w), dl);
        float wetR = readDelayed(lineR, static_cast<int64_t>(w), dr);
        buffer.left[i] = static_cast<float>(buffer.left[i] * (1.0 - mix * 0.5) + wetR * mix);
        buffer.right[i] = static_cast<float>(buffer.right[i] * (1.0 - mix * 0.5) + wetL * mix);
    }
}

void saturate(StereoBuffer& buffer, double drive)
{
    auto shape = [drive](float s) { return static_cast<float>(std::tanh(s * drive) / drive); };
    std::transform(buffer.left.begin(), buffer.left.end(), buffer.left.begin(), shape);
    std::transform(buffer.right.begin(), buffer.right.end(), buffer.right.begin(), shape);
}

void bitcrush(StereoBuffer& buffer, int bits, int holdFrames)
{
    double steps = std::pow(2.0, bits - 1);
    float heldL = 0.0f, heldR = 0.0f;
    for (int64_t i = 0; i < buffer.frames(); ++i) {
        if (i % holdFrames == 0) {
            heldL = static_cast<float>(std::round(buffer.left[i] * steps) / steps);
            heldR = static_cast<float>(std::round(buffer.right[i] * steps) / steps);
        }
        buffer.left[i] = heldL;
        buffer.right[i] = heldR;
    }
}

void compress(StereoBuffer& buffer, double thresholdDb, double ratio, double attackMs, double releaseMs)
{
    double attack = std::exp(-1.0 / (attackMs * 0.001 * sampleRate));
    double release = std::exp(-1.0 / (releaseMs * 0.001 * sampleRate));
    double envelope = 0.0;
    for (int64_t i = 0; i < buffer.frames(); ++i) {
        double level = std::max(std::fabs(buffer.left[i]), std::fabs(buffer.right[i]));
        double coefficient = level > envelope ? attack : release;
        envelope = coefficient * envelope + (1.0 - coefficient) * level;
        double levelDb = 20.0 * std::log10(std::max(envelope, 1e-9));
        double over = levelDb - thresholdDb;
        if (over > 0.0) {
            float gain = static_cast<float>(std::pow(10.0, -over * (1.0 - 1.0 / ratio) / 20.0));
            buffer.left[i] *= gain;
            buffer.right[i] *= gain;
        }
    }
}

void autoPan(StereoBuffer& buffer, double cyclesPerLoop, double depth, double phase)
{
    for (int64_t i = 0; i < buffer.frames(); ++i) {
        double position = depth * loopSine(i, cyclesPerLoop, phase); // -1 left .. 1 right
        double angle = (position + 1.0) * M_PI / 4.0;
        float mono = (buffer.left[i] + buffer.right[i]) * 0.5f;
        float side = (buffer.left[i] - buffer.right[i]) * 0.5f;
        buffer.left[i] = static_cast<float>(mono * std::cos(angle) * M_SQRT2 + side);
        buffer.right[i] = static_cast<float>(mono * std::sin(angle) * M_SQRT2 - side);
    }
}

void setWidth(StereoBuffer& buffer, double width)
{
    for (int64_t i = 0; i < buffer.frames(); ++i) {
        double mid = (buffer.left[i] + buffer.right[i]) * 0.5;
        double side = (buffer.left[i] - buffer.right[i]) * 0.5 * width;
        buffer.left[i] = static_cast<float>(mid + side);
        buffer.right[i] = static_cast<float>(mid - side);
    }
}

} // namespace assetgen::music
