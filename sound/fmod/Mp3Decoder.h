#pragma once

#include "sound/fmod/fmodCommon.h"

#include <cstdio>
#include <string>

typedef struct mpg123_handle_struct mpg123_handle;

namespace FMOD {

// One MP3 file decoded by libmpg123 to interleaved float samples, with gapless
// decoding on: a file that carries an encoder info tag yields exactly the
// samples that were encoded, so a loop joins without a gap.
class Mp3Decoder {
public:
    Mp3Decoder() = default;
    ~Mp3Decoder();
    Mp3Decoder(const Mp3Decoder&) = delete;
    Mp3Decoder& operator=(const Mp3Decoder&) = delete;

    // FMOD_ERR_FILE_NOTFOUND, FMOD_ERR_FILE_BAD (not a readable file),
    // FMOD_ERR_FORMAT (no MPEG audio in it) or FMOD_OK. The file is read
    // through a buffer of fileBufferBytes.
    FMOD_RESULT open(const std::string& path, unsigned int fileBufferBytes);

    int rate() const { return sampleRate; }
    int channels() const { return channelCount; }
    // Sample frames in the file; exact once the end has been decoded.
    unsigned int length() const { return frameCount; }
    // The frame the next read starts at.
    unsigned int position() const { return nextFrame; }

    // Decodes up to maxFrames frames; fewer only at the end of the file or on
    // a decoding error (then atEnd() is true).
    unsigned int read(float* out, unsigned int maxFrames);
    bool atEnd() const { return ended; }

    bool seek(unsigned int frame);

private:
    FILE* file = nullptr;
    mpg123_handle* handle = nullptr;
    int sampleRate = 0;
    int channelCount = 0;
    unsigned int frameCount = 0;
    unsigned int nextFrame = 0;
    bool ended = false;
};

} // namespace FMOD
