#pragma once

#include <complex>
#include <string>
#include <vector>

namespace sound_test {

// One channel of captured output, in -1..1.
struct Signal {
    std::vector<float> samples;
    int rate = 0;

    size_t at(double seconds) const;
    double seconds(size_t index) const { return static_cast<double>(index) / rate; }
};

struct WaveFile {
    Signal left;
    Signal right;
    bool valid = false;
    std::string problem;
};

// Reads a 16-bit stereo WAV file as OpenAL's wave writer leaves it
// (WAVE_FORMAT_EXTENSIBLE header, which general readers refuse).
WaveFile readWave(const std::string& path);

// In-place radix-2 FFT; the size is a power of two. inverse leaves out the 1/N.
void fft(std::vector<std::complex<double>>& data, bool inverse);

// Amplitude of the sine component at a frequency over [begin, end),
// measured through a Hann window.
double amplitudeAt(const Signal& signal, size_t begin, size_t end, double frequency);
// Its phase in radians.
double phaseAt(const Signal& signal, size_t begin, size_t end, double frequency);
double rms(const Signal& signal, size_t begin, size_t end);
// The largest step between neighbouring samples.
double largestStep(const Signal& signal, size_t begin, size_t end);
// Frequency from the rising zero crossings over [begin, end).
double zeroCrossingFrequency(const Signal& signal, size_t begin, size_t end);
// Where a looping track is heard in a recording: the frame of the loop (0 to
// its length) that lines up with the recording's sample begin, found as the
// peak of their cross-correlation over [begin, begin + window).
size_t loopFrameAt(const Signal& recording, size_t begin, size_t window, const Signal& loop);
// First sample whose magnitude exceeds the threshold; samples.size() if none.
size_t onset(const Signal& signal, double threshold);

} // namespace sound_test
