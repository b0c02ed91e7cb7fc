#include "sound/fmod/MixWriter.h"

#include "sound/fmod/Mp3Decoder.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace FMOD {

namespace {

constexpr int mixRate = 44100;
constexpr unsigned int blockFrames = 4096;

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

// Interleaved stereo; a mono file is heard on both sides.
std::string decodeStereo(const std::string& file, std::vector<float>& stereo, const std::atomic<bool>& cancel)
{
    Mp3Decoder decoder;
    if (decoder.open(file, 65536) != FMOD_OK)
        return file + ": not a readable MP3 file";
    if (decoder.rate() != mixRate)
        return file + ": not at 44.1 kHz";
    const unsigned int channels = static_cast<unsigned int>(decoder.channels());
    std::vector<float> block(blockFrames * channels);
    stereo.clear();
    stereo.reserve(static_cast<size_t>(decoder.length()) * 2);
    while (!decoder.atEnd()) {
        if (cancel)
            return "the game is ending";
        const unsigned int frames = decoder.read(block.data(), blockFrames);
        for (unsigned int i = 0; i < frames; ++i) {
            stereo.push_back(block[i * channels]);
            stereo.push_back(block[i * channels + channels - 1]);
        }
    }
    if (stereo.empty())
        return file + ": no audio in it";
    return {};
}

void put16(std::vector<unsigned char>& bytes, uint32_t value)
{
    bytes.push_back(static_cast<unsigned char>(value & 0xff));
    bytes.push_back(static_cast<unsigned char>((value >> 8) & 0xff));
}

void put32(std::vector<unsigned char>& bytes, uint32_t value)
{
    put16(bytes, value & 0xffff);
    put16(bytes, value >> 16);
}

std::vector<unsigned char> waveFile(const std::vector<float>& mix)
{
    const uint32_t dataBytes = static_cast<uint32_t>(mix.size() * 2);
    std::vector<unsigned char> bytes;
    bytes.reserve(44 + dataBytes);
    bytes.insert(bytes.end(), {'R', 'I', 'F', 'F'});
    put32(bytes, 36 + dataBytes);
    bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(bytes, 16);
    put16(bytes, 1); // integer PCM
    put16(bytes, 2);
    put32(bytes, mixRate);
    put32(bytes, mixRate * 4);
    put16(bytes, 4);
    put16(bytes, 16);
    bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
    put32(bytes, dataBytes);
    for (float sample : mix) {
        const long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
        put16(bytes, static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(value))));
    }
    return bytes;
}

// Written, flushed to the disk and closed, or removed again.
std::string writeFile(const std::string& temporary, const std::string& shownAs, const std::vector<unsigned char>& bytes)
{
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return systemError(shownAs);
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0
        && fsync(fileno(file)) == 0;
    int error = errno;
    written = std::fclose(file) == 0 && written;
    if (!written) {
        error = error ? error : errno;
        std::remove(temporary.c_str());
        errno = error;
        return systemError(shownAs);
    }
    return {};
}

} // namespace

std::string writeLoopMix(const std::vector<std::string>& files, float volume, const std::string& path,
    const std::atomic<bool>& cancel)
{
    std::vector<std::vector<float>> tracks(files.size());
    size_t longest = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        std::string problem = decodeStereo(files[i], tracks[i], cancel);
        if (!problem.empty())
            return problem;
        longest = std::max(longest, tracks[i].size());
    }
    if (longest == 0)
        return "nothing to mix";
    std::vector<float> mix(longest, 0.0f);
    for (const std::vector<float>& track : tracks)
        for (size_t i = 0; i < longest; ++i)
            mix[i] += track[i % track.size()];
    for (float& sample : mix)
        sample *= volume;
    if (cancel)
        return "the game is ending";

    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST)
            return systemError(folder);
    }
    const std::string temporary = path + ".part";
    std::string problem = writeFile(temporary, path, waveFile(mix));
    if (!problem.empty())
        return problem;
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::string renameProblem = systemError(path);
        std::remove(temporary.c_str());
        return renameProblem;
    }
    return {};
}

} // namespace FMOD
