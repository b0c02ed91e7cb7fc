#include "Mp3Writer.h"

#include <gtest/gtest.h>
#include <lame/lame.h>
#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>

namespace sound_test {

namespace {

constexpr int rate = 44100;

} // namespace

void appendSine(Stereo& audio, double frequency, double amplitude, double seconds)
{
    size_t frames = static_cast<size_t>(std::lround(seconds * rate));
    for (size_t i = 0; i < frames; ++i) {
        float value = static_cast<float>(amplitude * std::sin(2.0 * M_PI * frequency * static_cast<double>(i) / rate));
        audio.samples.push_back(value);
        audio.samples.push_back(value);
    }
}

bool writeMp3(const std::string& path, const Stereo& audio)
{
    std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> lame(lame_init(), lame_close);
    if (!lame)
        return false;
    lame_set_num_channels(lame.get(), 2);
    lame_set_in_samplerate(lame.get(), rate);
    lame_set_out_samplerate(lame.get(), rate);
    lame_set_brate(lame.get(), 192);
    lame_set_quality(lame.get(), 2);
    lame_set_write_id3tag_automatic(lame.get(), 0);
    lame_set_bWriteVbrTag(lame.get(), 1);
    if (lame_init_params(lame.get()) < 0)
        return false;

    std::vector<float> left(audio.frames());
    std::vector<float> right(audio.frames());
    for (size_t i = 0; i < audio.frames(); ++i) {
        left[i] = audio.samples[2 * i];
        right[i] = audio.samples[2 * i + 1];
    }
    std::vector<unsigned char> encoded(audio.frames() * 5 / 4 + 7200 + 8192);
    int bytes = lame_encode_buffer_ieee_float(lame.get(), left.data(), right.data(), static_cast<int>(audio.frames()),
        encoded.data(), static_cast<int>(encoded.size()));
    if (bytes < 0)
        return false;
    int flushed = lame_encode_flush(lame.get(), encoded.data() + bytes, static_cast<int>(encoded.size()) - bytes);
    if (flushed < 0)
        return false;
    encoded.resize(static_cast<size_t>(bytes + flushed));

    unsigned char tag[2880];
    size_t tagBytes = lame_get_lametag_frame(lame.get(), tag, sizeof tag);
    if (tagBytes == 0 || tagBytes > encoded.size())
        return false;
    std::copy(tag, tag + tagBytes, encoded.begin());

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fwrite(encoded.data(), 1, encoded.size(), file) == encoded.size();
    return std::fclose(file) == 0 && written;
}

Stereo decodeMp3(const std::string& path)
{
    Stereo audio;
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (!handle)
        return audio;
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    mpg123_format_none(handle);
    mpg123_format(handle, rate, MPG123_STEREO, MPG123_ENC_FLOAT_32);
    if (mpg123_open(handle, path.c_str()) == MPG123_OK) {
        float block[4096];
        for (;;) {
            size_t bytes = 0;
            int result = mpg123_read(handle, reinterpret_cast<unsigned char*>(block), sizeof block, &bytes);
            audio.samples.insert(audio.samples.end(), block, block + bytes / sizeof(float));
            if (result != MPG123_OK && result != MPG123_NEW_FORMAT)
                break;
        }
        mpg123_close(handle);
    }
    mpg123_delete(handle);
    return audio;
}

std::string toneFile(const std::string& folder, const std::string& name, const std::vector<Tone>& tones,
    double amplitude)
{
    Stereo audio;
    for (const Tone& tone : tones)
        appendSine(audio, tone.frequency, amplitude, tone.seconds);
    std::string path = folder + "/" + name;
    EXPECT_TRUE(writeMp3(path, audio)) << path;
    return path;
}

std::string noiseFile(const std::string& folder, const std::string& name, double seconds, double amplitude,
    unsigned int seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(-amplitude, amplitude);
    Stereo audio;
    const size_t frames = static_cast<size_t>(std::lround(seconds * 44100.0));
    for (size_t i = 0; i < frames; ++i) {
        const float sample = static_cast<float>(uniform(random));
        audio.samples.push_back(sample);
        audio.samples.push_back(sample);
    }
    std::string path = folder + "/" + name;
    EXPECT_TRUE(writeMp3(path, audio)) << path;
    return path;
}

} // namespace sound_test
