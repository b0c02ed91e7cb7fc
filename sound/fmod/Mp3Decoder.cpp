#include "sound/fmod/Mp3Decoder.h"

#include <mpg123.h>

#include <cerrno>
#include <sys/stat.h>
#include <sys/types.h>

namespace FMOD {

namespace {

ssize_t readFile(void* handle, void* buffer, size_t bytes)
{
    FILE* file = static_cast<FILE*>(handle);
    size_t got = std::fread(buffer, 1, bytes, file);
    if (got == 0 && std::ferror(file))
        return -1;
    return static_cast<ssize_t>(got);
}

off_t seekFile(void* handle, off_t offset, int whence)
{
    FILE* file = static_cast<FILE*>(handle);
    if (fseeko(file, offset, whence) != 0)
        return -1;
    return ftello(file);
}

// mpg123_init is only needed by old library versions, but is harmless once.
void initialiseLibrary()
{
    static const int result = mpg123_init();
    (void)result;
}

} // namespace

Mp3Decoder::~Mp3Decoder()
{
    if (handle) {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
    if (file)
        std::fclose(file);
}

FMOD_RESULT Mp3Decoder::open(const std::string& path, unsigned int fileBufferBytes)
{
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FMOD_ERR_FILE_NOTFOUND : FMOD_ERR_FILE_BAD;
    if (!S_ISREG(status.st_mode))
        return FMOD_ERR_FILE_BAD;
    file = std::fopen(path.c_str(), "rb");
    if (!file)
        return FMOD_ERR_FILE_BAD;
    if (fileBufferBytes > 0)
        std::setvbuf(file, nullptr, _IOFBF, fileBufferBytes);

    initialiseLibrary();
    handle = mpg123_new(nullptr, nullptr);
    if (!handle)
        return FMOD_ERR_MEMORY;
    // Add to the default flags (gapless among them) rather than replace them;
    // quiet keeps the library from printing about damaged frames.
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
    mpg123_format_none(handle);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    if (mpg123_replace_reader_handle(handle, readFile, seekFile, nullptr) != MPG123_OK
        || mpg123_open_handle(handle, file) != MPG123_OK)
        return FMOD_ERR_FORMAT;

    long foundRate = 0;
    int foundChannels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle, &foundRate, &foundChannels, &encoding) != MPG123_OK
        || foundRate <= 0 || foundChannels < 1 || foundChannels > 2)
        return FMOD_ERR_FORMAT;
    // One format for the whole stream, even if a later frame differs.
    mpg123_format_none(handle);
    mpg123_format(handle, foundRate, foundChannels, MPG123_ENC_FLOAT_32);
    sampleRate = static_cast<int>(foundRate);
    channelCount = foundChannels;
    off_t frames = mpg123_length(handle);
    if (frames <= 0)
        return FMOD_ERR_FORMAT;
    frameCount = static_cast<unsigned int>(frames);
    return FMOD_OK;
}

unsigned int Mp3Decoder::read(float* out, unsigned int maxFrames)
{
    if (!handle || ended)
        return 0;
    size_t frameBytes = sizeof(float) * static_cast<size_t>(channelCount);
    unsigned char* target = reinterpret_cast<unsigned char*>(out);
    size_t wanted = frameBytes * maxFrames;
    size_t filled = 0;
    while (filled < wanted) {
        size_t done = 0;
        int result = mpg123_read(handle, target + filled, wanted - filled, &done);
        filled += done;
        // The last block of samples comes together with MPG123_DONE.
        if (result == MPG123_DONE || (result != MPG123_OK && result != MPG123_NEW_FORMAT)) {
            ended = true;
            break;
        }
        if (done == 0 && result == MPG123_OK) {
            ended = true;
            break;
        }
    }
    unsigned int frames = static_cast<unsigned int>(filled / frameBytes);
    nextFrame += frames;
    if (ended)
        frameCount = nextFrame;
    return frames;
}

bool Mp3Decoder::seek(unsigned int frame)
{
    if (!handle)
        return false;
    if (mpg123_seek(handle, static_cast<off_t>(frame), SEEK_SET) < 0)
        return false;
    nextFrame = frame;
    ended = false;
    return true;
}

} // namespace FMOD
