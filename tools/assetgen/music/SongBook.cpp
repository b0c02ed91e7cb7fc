#include "music/SongBook.h"

#include "music/Mastering.h"
#include "music/MusicalTime.h"
#include "music/Tracks.h"

#include <cstdlib>
#include <functional>
#include <future>
#include <stdexcept>

namespace assetgen::music {

namespace {

const std::string wave = "OpenGL/WAVE/";
const std::string completeSong2 = wave + "Song2/completeSong2.mp3";
const std::string evilLaugh = wave + "evilLaugh.mp3";
const std::string outro = wave + "outro.mp3";

// Each instrument's place in the mix, as a loudness in dB before the shared
// gain of the whole set (drums and bass in front, the pad and the noise behind), and
// how far its peaks may rise above that level: the drums keep their punch,
// the others give up a little of theirs so the whole mix can be louder.
struct TrackRecipe {
    std::string path;
    double levelDb;
    double crestDb;
    std::function<StereoBuffer(FluidRenderer&)> make; // a track FluidSynth plays, or
    std::function<StereoBuffer()> makeOwn;            // one made without it
};

// What espeak-ng said for the robots, made before anything else.
struct SpokenLines {
    std::vector<float> voice1, voice2, laugh;
};

std::vector<TrackRecipe> trackRecipes(const SpokenLines& lines)
{
    return {
        {wave + "triphopDrum.mp3", -15.0, 12.0, makeTriphopDrum, nullptr},
        {wave + "funkDrum.mp3", -15.5, 12.0, makeFunkDrum, nullptr},
        {wave + "tropicalSound.mp3", -18.0, 10.0, makeTropicalSound, nullptr},
        {wave + "guitarSound.mp3", -18.0, 10.0, makeGuitarSound, nullptr},
        {wave + "noiseSound1.mp3", -19.0, 10.0, nullptr, makeNoiseSound1},
        {wave + "synthBass.mp3", -16.0, 10.0, makeSynthBass, nullptr},
        {wave + "coolSynth.mp3", -17.0, 10.0, makeCoolSynth, nullptr},
        {wave + "smoothSynth.mp3", -18.0, 10.0, makeSmoothSynth, nullptr},
        {wave + "Song2/Drum1.mp3", -15.0, 12.0, makeDrum1, nullptr},
        {wave + "Song2/Guitar1.mp3", -17.0, 10.0, makeGuitar1, nullptr},
        {wave + "Song2/Voice1.mp3", -17.0, 10.0, nullptr, [&lines] { return makeVoice1(lines.voice1); }},
        {wave + "Song2/Voice2.mp3", -17.0, 10.0, nullptr, [&lines] { return makeVoice2(lines.voice2); }},
    };
}

} // namespace

const std::vector<std::string>& SongBook::instrumentTracks()
{
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> result;
        SpokenLines none;
        for (const TrackRecipe& recipe : trackRecipes(none))
            result.push_back(recipe.path);
        return result;
    }();
    return paths;
}

const std::vector<std::string>& SongBook::completeSong2Parts()
{
    static const std::vector<std::string> parts = {
        wave + "Song2/Drum1.mp3", wave + "Song2/Guitar1.mp3", wave + "Song2/Voice1.mp3", wave + "Song2/Voice2.mp3"};
    return parts;
}

bool SongBook::makes(const std::string& path)
{
    return framesOf(path) > 0;
}

int64_t SongBook::framesOf(const std::string& path)
{
    if (path == evilLaugh)
        return framesPerBeat * evilLaughBeats;
    if (path == outro)
        return framesPerBeat * outroBeats;
    if (path == completeSong2)
        return loopFrames;
    for (const std::string& track : instrumentTracks())
        if (track == path)
            return loopFrames;
    return 0;
}

const SongBook& SongBook::instance()
{
    static const SongBook book;
    return book;
}

SongBook::SongBook()
{
    // espeak-ng first: its sound depends on what it said before, and it and
    // FluidSynth draw on rand(), this thread's own (Speech.cpp). Seeded and in
    // a fixed order, the lines come out the same on every run.
    std::srand(1);
    SpokenLines lines{speakVoice1(), speakVoice2(), speakEvilLaugh()};

    // Our own noise and the vocoded voices render on a second thread while
    // FluidSynth plays the others.
    std::vector<TrackRecipe> recipes = trackRecipes(lines);
    auto own = std::async(std::launch::async, [&recipes] {
        std::map<std::string, StereoBuffer> made;
        for (const TrackRecipe& recipe : recipes)
            if (recipe.makeOwn)
                made[recipe.path] = recipe.makeOwn();
        return made;
    });
    FluidRenderer renderer;
    std::map<std::string, StereoBuffer> made;
    for (const TrackRecipe& recipe : recipes)
        if (recipe.make)
            made[recipe.path] = recipe.make(renderer);
    made.merge(own.get());

    for (const TrackRecipe& recipe : recipes) {
        StereoBuffer& track = made.at(recipe.path);
        if (track.frames() != loopFrames)
            throw std::runtime_error(recipe.path + ": rendered " + std::to_string(track.frames()) + " frames instead of "
                + std::to_string(loopFrames));
        highPassLoop(track, 25.0);
        normalizeLoudness(track, recipe.levelDb);
        // Tame single peaks so they do not set the level of the whole mix;
        // then restore the level the limiting took away.
        limitLoop(track, fromDb(recipe.levelDb + recipe.crestDb));
        normalizeLoudness(track, recipe.levelDb);
        songs[recipe.path] = std::move(track);
    }
    std::vector<StereoBuffer*> tracks;
    for (const std::string& path : instrumentTracks())
        tracks.push_back(&songs[path]);
    // A few coinciding drum hits set the level of everything; three decibels
    // of shared limiting at those moments make every track louder.
    limitTogether(tracks, combinationCeiling, 3.0);

    StereoBuffer reference(loopFrames);
    for (const std::string& part : completeSong2Parts())
        reference.mix(songs[part]);
    songs[completeSong2] = std::move(reference);

    // The laugh and the outro play alone: as loud as the full band, held under the ceiling.
    StereoBuffer all(loopFrames);
    for (const std::string& path : instrumentTracks())
        all.mix(songs[path]);
    double bandLoudness = loudnessDb(all);
    for (const std::string& path : {evilLaugh, outro}) {
        StereoBuffer piece = path == evilLaugh ? makeEvilLaugh(renderer, lines.laugh) : makeOutro(renderer);
        highPassLoop(piece, 25.0);
        normalizeLoudness(piece, bandLoudness);
        limitLoop(piece, combinationCeiling);
        songs[path] = std::move(piece);
    }
}

const StereoBuffer& SongBook::song(const std::string& path) const
{
    auto found = songs.find(path);
    if (found == songs.end())
        throw std::runtime_error("no song is made for " + path);
    return found->second;
}

} // namespace assetgen::music
