// Encoding and decoding MP3 through LAME's info tag and mpg123's gapless
// mode gives back exactly the frames that went in, at any length, also when
// the loop is shorter than what the encoder wraps around it.
#include "music/Mp3Decoder.h"
#include "music/Mp3Encoder.h"
#include "music/MusicalTime.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace assetgen::music;

TEST(Mp3RoundTrip, DecodesExactlyTheEncodedFramesInPlace)
{
    for (int64_t frames : {int64_t(1000), int64_t(1152 * 7), int64_t(12345), int64_t(sampleRate * 3 + 17)}) {
        SCOPED_TRACE(frames);
        StereoBuffer in(frames);
        for (int64_t i = 0; i < frames; ++i) {
            in.left[i] = static_cast<float>(0.4 * std::sin(2.0 * M_PI * 330.0 * i / sampleRate));
            in.right[i] = static_cast<float>(0.3 * std::sin(2.0 * M_PI * 495.0 * i / sampleRate));
        }
        StereoBuffer out = decodeMp3(encodeMp3(in));
        ASSERT_EQ(out.frames(), frames);
        // In place: no delay, so the waveforms line up sample for sample.
        double error = 0.0, energy = 0.0;
        for (int64_t i = 2000; i < frames - 2000; ++i) {
            error += std::pow(out.left[i] - in.left[i], 2) + std::pow(out.right[i] - in.right[i], 2);
            energy += std::pow(in.left[i], 2) + std::pow(in.right[i], 2);
        }
        if (energy > 0.0) {
            EXPECT_LT(error / energy, 1e-3);
        }
    }
}

TEST(Mp3RoundTrip, GarbageIsRefused)
{
    assetgen::Bytes garbage(5000, 0x55);
    EXPECT_THROW(decodeMp3(garbage), std::runtime_error);
}

} // namespace
