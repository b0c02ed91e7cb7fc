#include "music/Mp3Encoder.h"

#include "music/MusicalTime.h"

#include <lame/lame.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace assetgen::music {

Bytes encodeMp3(const StereoBuffer& audio)
{
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

    Bytes out;
    const int chunk = 8192;
    std::vector<unsigned char> buffer(static_cast<size_t>(chunk * 5 / 4 + 7200));
    for (int64_t first = 0; first < audio.frames(); first += chunk) {
        int count = static_cast<int>(std::min<int64_t>(chunk, audio.frames() - first));
        int written = lame_encode_buffer_ieee_float(lame.get(), audio.left.data() + first, audio.right.data() + first,
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
    std::memcpy(out.data(), tag, tagSize);
    return out;
}

} // namespace assetgen::music
