#include "music/Mp3Encoder.h"

#include "music/MusicalTime.h"

#include <lame/lame.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace assetgen::music {

namespace {

// The loop with its last `wrap` frames before it and its first `wrap` frames
// after it, repeated as often as a short loop needs.
StereoBuffer wrappedLoop(const StereoBuffer& audio, int64_t wrap)
{
    const int64_t n = audio.frames();
    StereoBuffer wrapped(n + 2 * wrap);
    for (int64_t i = 0; i < wrapped.frames(); ++i) {
        const int64_t source = ((i - wrap) % n + n) % n;
        wrapped.left[i] = audio.left[source];
        wrapped.right[i] = audio.right[source];
    }
    return wrapped;
}

// CRC-16 with the reflected polynomial 0xA001, as the info tag's own check.
uint16_t tagCrc(const unsigned char* bytes, size_t count)
{
    uint16_t crc = 0;
    for (size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
    }
    return crc;
}

// Adds the wrapped frames to the delay and padding of LAME's info tag and
// renews the tag's check sum. The tag follows the "Info" header's frame
// count, byte count, table of contents and quality fields.
void addToDelayAndPadding(unsigned char* frame, size_t size, int64_t delay, int64_t padding)
{
    size_t info = 0;
    while (info + 4 <= size && std::memcmp(frame + info, "Info", 4) != 0 && std::memcmp(frame + info, "Xing", 4) != 0)
        ++info;
    const size_t lame = info + 120;
    const size_t field = lame + 21;
    const size_t crcAt = lame + 34;
    if (crcAt + 2 > size || frame[info + 7] != 0x0F || std::memcmp(frame + lame, "LAME", 4) != 0)
        throw std::runtime_error("LAME: the info tag is not where it should be");
    const uint16_t stored = static_cast<uint16_t>(frame[crcAt] << 8 | frame[crcAt + 1]);
    if (tagCrc(frame, crcAt) != stored)
        throw std::runtime_error("LAME: the info tag's check sum does not match");
    const int64_t oldDelay = frame[field] << 4 | frame[field + 1] >> 4;
    const int64_t oldPadding = (frame[field + 1] & 0x0F) << 8 | frame[field + 2];
    const int64_t newDelay = oldDelay + delay;
    const int64_t newPadding = oldPadding + padding;
    // Twelve bits each.
    if (newDelay > 4095 || newPadding > 4095)
        throw std::runtime_error("LAME: delay " + std::to_string(newDelay) + " or padding "
            + std::to_string(newPadding) + " does not fit the info tag");
    frame[field] = static_cast<unsigned char>(newDelay >> 4);
    frame[field + 1] = static_cast<unsigned char>((newDelay & 0x0F) << 4 | newPadding >> 8);
    frame[field + 2] = static_cast<unsigned char>(newPadding & 0xFF);
    const uint16_t crc = tagCrc(frame, crcAt);
    frame[crcAt] = static_cast<unsigned char>(crc >> 8);
    frame[crcAt + 1] = static_cast<unsigned char>(crc & 0xFF);
}

} // namespace

Bytes encodeMp3(const StereoBuffer& audio)
{
    if (audio.frames() == 0)
        throw std::runtime_error("LAME: nothing to encode");
    std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> lame(lame_init(), lame_close);
    if (!lame)
        throw std::runtime_error("LAME: cannot create an encoder");
    lame_set_in_samplerate(lame.get(), sampleRate);
    lame_set_out_samplerate(lame.get(), sampleRate);
    lame_set_num_channels(lame.get(), 2);
    lame_set_mode(lame.get(), JOINT_STEREO);
    lame_set_brate(lame.get(), 192);
    lame_set_quality(lame.get(), 5);
    lame_set_bWriteVbrTag(lame.get(), 1);
    if (lame_init_params(lame.get()) < 0)
        throw std::runtime_error("LAME: the encoder refused its parameters");

    const StereoBuffer input = wrappedLoop(audio, loopWrapFrames);
    Bytes out;
    const int chunk = 8192;
    std::vector<unsigned char> buffer(static_cast<size_t>(chunk * 5 / 4 + 7200));
    for (int64_t first = 0; first < input.frames(); first += chunk) {
        int count = static_cast<int>(std::min<int64_t>(chunk, input.frames() - first));
        int written = lame_encode_buffer_ieee_float(lame.get(), input.left.data() + first, input.right.data() + first,
            count, buffer.data(), static_cast<int>(buffer.size()));
        if (written < 0)
            throw std::runtime_error("LAME: encoding failed (" + std::to_string(written) + ")");
        out.insert(out.end(), buffer.begin(), buffer.begin() + written);
    }
    int written = lame_encode_flush(lame.get(), buffer.data(), static_cast<int>(buffer.size()));
    if (written < 0)
        throw std::runtime_error("LAME: flushing failed (" + std::to_string(written) + ")");
    out.insert(out.end(), buffer.begin(), buffer.begin() + written);

    // The info tag is only complete now; it replaces the placeholder frame at the start.
    unsigned char tag[2880];
    size_t tagSize = lame_get_lametag_frame(lame.get(), tag, sizeof tag);
    if (tagSize == 0 || tagSize > sizeof tag || tagSize > out.size())
        throw std::runtime_error("LAME: no info tag for gapless playback");
    addToDelayAndPadding(tag, tagSize, loopWrapFrames, loopWrapFrames);
    std::memcpy(out.data(), tag, tagSize);
    return out;
}

} // namespace assetgen::music
