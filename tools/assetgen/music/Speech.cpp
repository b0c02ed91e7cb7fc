#include "music/Speech.h"

#include "music/MusicalTime.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace assetgen::music {

namespace {

std::vector<short>* collecting = nullptr;

int collect(short* samples, int count, espeak_EVENT*)
{
    if (samples && collecting)
        collecting->insert(collecting->end(), samples, samples + count);
    return 0;
}

void check(espeak_ERROR result, const std::string& what)
{
    if (result != EE_OK)
        throw std::runtime_error("espeak-ng: " + what + " failed");
}

} // namespace

Speech& Speech::instance()
{
    static Speech speech;
    return speech;
}

Speech::Speech()
{
    nativeRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (nativeRate <= 0)
        throw std::runtime_error("espeak-ng: cannot initialise (voice data missing?)");
    if (nativeRate * 2 != sampleRate)
        throw std::runtime_error("espeak-ng: unexpected sample rate " + std::to_string(nativeRate));
    espeak_SetSynthCallback(collect);
}

std::vector<float> Speech::say(const std::string& text, const Voice& voice)
{
    check(espeak_SetVoiceByName(voice.name.c_str()), "voice " + voice.name);
    check(espeak_SetParameter(espeakRATE, voice.wordsPerMinute, 0), "rate");
    check(espeak_SetParameter(espeakPITCH, voice.pitch, 0), "pitch");
    check(espeak_SetParameter(espeakRANGE, voice.pitchRange, 0), "pitch range");
    check(espeak_SetParameter(espeakVOLUME, 100, 0), "volume");
    std::vector<short> native;
    collecting = &native;
    espeak_ERROR result = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    espeak_Synchronize();
    collecting = nullptr;
    check(result, "speaking \"" + text + "\"");

    std::vector<float> samples(native.size());
    std::transform(native.begin(), native.end(), samples.begin(), [](short s) { return s / 32768.0f; });
    float peak = 0.0f;
    for (float s : samples)
        peak = std::max(peak, std::fabs(s));
    if (peak <= 0.0f)
        throw std::runtime_error("espeak-ng: no sound for \"" + text + "\"");
    size_t first = 0, last = samples.size();
    while (first < last && std::fabs(samples[first]) < peak * 0.01f)
        ++first;
    while (last > first && std::fabs(samples[last - 1]) < peak * 0.01f)
        --last;
    std::vector<float> trimmed(samples.begin() + static_cast<long>(first), samples.begin() + static_cast<long>(last));
    return upsampleTwice(trimmed);
}

std::vector<float> upsampleTwice(const std::vector<float>& in)
{
    const int half = 16;
    std::vector<double> taps(half);
    for (int k = 0; k < half; ++k) {
        // Taps at odd half-sample offsets of a sinc, under a Blackman window.
        double x = k + 0.5;
        double sinc = std::sin(M_PI * x) / (M_PI * x);
        double window = 0.42 + 0.5 * std::cos(M_PI * x / (half + 0.5)) + 0.08 * std::cos(2.0 * M_PI * x / (half + 0.5));
        taps[k] = sinc * window;
    }
    double sum = 0.0;
    for (double t : taps)
        sum += 2.0 * t;
    auto at = [&](long i) { return (i >= 0 && i < static_cast<long>(in.size())) ? in[i] : 0.0f; };
    std::vector<float> out(in.size() * 2);
    for (long n = 0; n < static_cast<long>(in.size()); ++n) {
        out[2 * n] = in[n];
        double between = 0.0;
        for (int k = 0; k < half; ++k)
            between += taps[k] * (at(n - k) + at(n + 1 + k));
        out[2 * n + 1] = static_cast<float>(between / sum);
    }
    return out;
}

} // namespace assetgen::music

// espeak-ng and FluidSynth, which make the songs, draw on rand(). The C
// library keeps one sequence for the whole process, which the picture and
// model lanes, or any library they call, could advance from their own threads
// meanwhile. Defined here, in the program itself, rand() and srand() replace
// the C library's for every library the program loads, and give each thread a
// sequence of its own: the numbers glibc's rand() gives a fresh process,
// seeded with 1 until the thread calls srand().
namespace {

struct ThreadRandom {
    random_data data{};
    char state[128] = {};
    bool seeded = false;

    random_data& ready()
    {
        if (!seeded) {
            initstate_r(1, state, sizeof state, &data);
            seeded = true;
        }
        return data;
    }
};

thread_local ThreadRandom threadRandom;

} // namespace

extern "C" void srand(unsigned seed) noexcept
{
    srandom_r(seed, &threadRandom.ready());
}

extern "C" int rand() noexcept
{
    int32_t value = 0;
    random_r(&threadRandom.ready(), &value);
    return value;
}
