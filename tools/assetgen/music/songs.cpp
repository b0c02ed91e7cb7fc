#include "Asset.h"

#include "music/Mp3Decoder.h"
#include "music/Mp3Encoder.h"
#include "music/SongBook.h"

#include <stdexcept>

namespace assetgen {

Bytes makeSong(const std::string& path)
{
    if (!music::SongBook::makes(path))
        throw std::runtime_error("the song book has no song for this path");
    const music::StereoBuffer& audio = music::SongBook::instance().song(path);
    Bytes mp3 = music::encodeMp3(audio);
    // A song that does not decode to exactly its frames would click or gap at every loop.
    int64_t decoded = music::decodeMp3(mp3).frames();
    if (decoded != audio.frames())
        throw std::runtime_error("the MP3 decodes to " + std::to_string(decoded) + " frames instead of "
            + std::to_string(audio.frames()) + ": gapless looping would fail");
    return mp3;
}

} // namespace assetgen
