#include "Signal.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace sound_test {

namespace {

uint32_t read32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t read16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

std::complex<double> component(const Signal& signal, size_t begin, size_t end, double frequency, double& weight)
{
    std::complex<double> sum = 0.0;
    weight = 0.0;
    size_t count = end - begin;
    for (size_t i = 0; i < count; ++i) {
        double hann = 0.5 - 0.5 * std::cos(2.0 * M_PI * static_cast<double>(i) / static_cast<double>(count));
        double angle = 2.0 * M_PI * frequency * static_cast<double>(begin + i) / signal.rate;
        sum += hann * signal.samples[begin + i] * std::polar(1.0, -angle);
        weight += hann;
    }
    return sum;
}

} // namespace

void fft(std::vector<std::complex<double>>& data, bool inverse)
{
    const size_t n = data.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(data[i], data[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> step = std::polar(1.0, (inverse ? 2.0 : -2.0) * M_PI / static_cast<double>(length));
        for (size_t start = 0; start < n; start += length) {
            std::complex<double> turn = 1.0;
            for (size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> a = data[start + k];
                const std::complex<double> b = data[start + k + length / 2] * turn;
                data[start + k] = a + b;
                data[start + k + length / 2] = a - b;
                turn *= step;
            }
        }
    }
}


size_t Signal::at(double time) const
{
    double index = std::max(0.0, time * rate);
    return std::min(samples.size(), static_cast<size_t>(index));
}

WaveFile readWave(const std::string& path)
{
    WaveFile wave;
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        wave.problem = "not a RIFF WAVE file (" + std::to_string(bytes.size()) + " bytes)";
        return wave;
    }
    int channels = 0;
    int bits = 0;
    size_t offset = 12;
    while (offset + 8 <= bytes.size()) {
        const unsigned char* chunk = bytes.data() + offset;
        uint32_t size = read32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && offset + 8 + 16 <= bytes.size()) {
            channels = read16(chunk + 10);
            wave.left.rate = wave.right.rate = static_cast<int>(read32(chunk + 12));
            bits = read16(chunk + 22);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (channels != 2 || bits != 16) {
                wave.problem = "expected 16-bit stereo";
                return wave;
            }
            // The writer fills in the size when it closes: trust the file's end.
            size_t end = std::min(bytes.size(), offset + 8 + (size ? size : bytes.size()));
            for (size_t p = offset + 8; p + 4 <= end; p += 4) {
                wave.left.samples.push_back(static_cast<int16_t>(read16(bytes.data() + p)) / 32768.0f);
                wave.right.samples.push_back(static_cast<int16_t>(read16(bytes.data() + p + 2)) / 32768.0f);
            }
            wave.valid = true;
            return wave;
        }
        offset += 8 + size + (size & 1);
    }
    wave.problem = "no data chunk";
    return wave;
}

double amplitudeAt(const Signal& signal, size_t begin, size_t end, double frequency)
{
    if (end <= begin)
        return 0.0;
    double weight = 0.0;
    std::complex<double> sum = component(signal, begin, end, frequency, weight);
    return 2.0 * std::abs(sum) / weight;
}

double phaseAt(const Signal& signal, size_t begin, size_t end, double frequency)
{
    double weight = 0.0;
    return std::arg(component(signal, begin, end, frequency, weight));
}

double rms(const Signal& signal, size_t begin, size_t end)
{
    if (end <= begin)
        return 0.0;
    double sum = 0.0;
    for (size_t i = begin; i < end; ++i)
        sum += static_cast<double>(signal.samples[i]) * signal.samples[i];
    return std::sqrt(sum / static_cast<double>(end - begin));
}

double largestStep(const Signal& signal, size_t begin, size_t end)
{
    double largest = 0.0;
    for (size_t i = begin + 1; i < end; ++i)
        largest = std::max(largest, std::fabs(static_cast<double>(signal.samples[i]) - signal.samples[i - 1]));
    return largest;
}

double zeroCrossingFrequency(const Signal& signal, size_t begin, size_t end)
{
    double first = -1.0;
    double last = -1.0;
    int crossings = 0;
    for (size_t i = begin + 1; i < end; ++i) {
        float a = signal.samples[i - 1];
        float b = signal.samples[i];
        if (a < 0.0f && b >= 0.0f) {
            double at = static_cast<double>(i - 1) + a / (a - b);
            if (first < 0.0)
                first = at;
            else
                ++crossings;
            last = at;
        }
    }
    if (crossings == 0)
        return 0.0;
    return crossings * signal.rate / (last - first);
}

size_t loopFrameAt(const Signal& recording, size_t begin, size_t window, const Signal& loop)
{
    const size_t length = loop.samples.size();
    window = std::min(window, recording.samples.size() - std::min(begin, recording.samples.size()));
    if (length == 0 || window == 0)
        return 0;
    size_t size = 1;
    while (size < length + window)
        size <<= 1;
    // The loop laid end to end over length + window samples, so that every
    // shift of the window finds it without wrapping.
    std::vector<std::complex<double>> heard(size), track(size);
    for (size_t i = 0; i < window; ++i)
        heard[i] = recording.samples[begin + i];
    for (size_t i = 0; i < length + window; ++i)
        track[i] = loop.samples[i % length];
    fft(heard, false);
    fft(track, false);
    for (size_t i = 0; i < size; ++i)
        track[i] *= std::conj(heard[i]);
    fft(track, true);
    size_t best = 0;
    for (size_t shift = 1; shift < length; ++shift)
        if (track[shift].real() > track[best].real())
            best = shift;
    return best;
}

size_t onset(const Signal& signal, double threshold)
{
    for (size_t i = 0; i < signal.samples.size(); ++i)
        if (std::fabs(signal.samples[i]) > threshold)
            return i;
    return signal.samples.size();
}

} // namespace sound_test
