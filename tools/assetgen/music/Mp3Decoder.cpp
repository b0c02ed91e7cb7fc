#include "music/Mp3Decoder.h"

#include "music/MusicalTime.h"

#include <mpg123.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/types.h>

namespace assetgen::music {

namespace {

struct MemoryReader {
    const Bytes* bytes;
    off_t position;
};

ssize_t readMemory(void* handle, void* buffer, size_t count)
{
    auto* reader = static_cast<MemoryReader*>(handle);
    size_t available = reader->bytes->size() - static_cast<size_t>(reader->position);
    size_t n = count < available ? count : available;
    std::memcpy(buffer, reader->bytes->data() + reader->position, n);
    reader->position += static_cast<off_t>(n);
    return static_cast<ssize_t>(n);
}

off_t seekMemory(void* handle, off_t offset, int whence)
{
    auto* reader = static_cast<MemoryReader*>(handle);
    off_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? reader->position : static_cast<off_t>(reader->bytes->size());
    off_t target = base + offset;
    if (target < 0 || target > static_cast<off_t>(reader->bytes->size()))
        return -1;
    reader->position = target;
    return target;
}

void check(mpg123_handle* handle, int result, const char* what)
{
    if (result != MPG123_OK)
        throw std::runtime_error(std::string("mpg123: ") + what + ": " + mpg123_strerror(handle));
}

} // namespace

StereoBuffer decodeMp3(const Bytes& mp3)
{
    static const int initialised = mpg123_init();
    if (initialised != MPG123_OK)
        throw std::runtime_error("mpg123: cannot initialise");
    int error = 0;
    std::unique_ptr<mpg123_handle, void (*)(mpg123_handle*)> handle(mpg123_new(nullptr, &error), mpg123_delete);
    if (!handle)
        throw std::runtime_error("mpg123: cannot create a decoder");
    mpg123_handle* h = handle.get();
    check(h, mpg123_param(h, MPG123_ADD_FLAGS, MPG123_FORCE_FLOAT | MPG123_QUIET, 0.0), "flags");
    check(h, mpg123_format_none(h), "formats");
    check(h, mpg123_format(h, sampleRate, MPG123_STEREO, MPG123_ENC_FLOAT_32), "format");
    check(h, mpg123_replace_reader_handle(h, readMemory, seekMemory, nullptr), "reader");
    MemoryReader reader{&mp3, 0};
    check(h, mpg123_open_handle(h, &reader), "open");

    StereoBuffer out;
    std::vector<float> block(8192);
    for (;;) {
        size_t done = 0;
        int result = mpg123_read(h, reinterpret_cast<unsigned char*>(block.data()), block.size() * sizeof(float), &done);
        // The last samples arrive together with MPG123_DONE.
        for (size_t i = 0; i + 1 < done / sizeof(float); i += 2) {
            out.left.push_back(block[i]);
            out.right.push_back(block[i + 1]);
        }
        if (result == MPG123_DONE)
            break;
        if (result == MPG123_NEW_FORMAT)
            continue;
        check(h, result, "decoding");
    }
    mpg123_close(h);
    if (out.frames() == 0)
        throw std::runtime_error("mpg123: no MP3 audio in " + std::to_string(mp3.size()) + " bytes");
    return out;
}

} // namespace assetgen::music
