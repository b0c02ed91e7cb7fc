#pragma once

#include <string>
#include <vector>

namespace sound_test {

// Interleaved stereo samples in -1..1 at 44.1 kHz.
struct Stereo {
    std::vector<float> samples;
    size_t frames() const { return samples.size() / 2; }
};

// Appends a sine of whole-sample length to both channels, its phase starting at 0.
void appendSine(Stereo& audio, double frequency, double amplitude, double seconds);

// Encodes with LAME at 192 kbit/s and writes the encoder's info tag over the
// first frame, so that a gapless decoder gives back exactly these frames.
// Returns false when the file cannot be written.
bool writeMp3(const std::string& path, const Stereo& audio);

// Decodes a file with libmpg123 directly (gapless, as the layer decodes):
// the reference the heard output is compared with.
Stereo decodeMp3(const std::string& path);

struct Tone {
    double frequency;
    double seconds;
};

// Writes folder/name of sine segments at one amplitude and returns its path;
// a test fails at once if the file cannot be written.
std::string toneFile(const std::string& folder, const std::string& name, const std::vector<Tone>& tones,
    double amplitude);

// Writes folder/name of white noise, the same on both sides, from a seed:
// every stretch of it is unlike every other, so cross-correlation finds
// where in the file a recording is.
std::string noiseFile(const std::string& folder, const std::string& name, double seconds, double amplitude,
    unsigned int seed);

} // namespace sound_test
