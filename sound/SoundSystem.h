#pragma once

#include "sound/fmod/fmod.h"

#include <list>
#include <string>

namespace SFMOD {

class SimpleFMODResource;
class Song;

// The game's one sound system. It starts before main (see soundGlobals.cpp),
// keeps the list of live sound resources, owns the music channel group, runs
// the layer's per-frame update and releases the layer at exit, after the
// songs. Every failed call it checks ends the process with one console line.
class SoundSystem {
public:
    static constexpr unsigned int minimumVersion = 278536;

    SoundSystem();
    ~SoundSystem();
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Returns on FMOD_OK; otherwise prints "FMOD error! (code) text" and exits with -1.
    static void checkResult(FMOD_RESULT result);
    // Returns when the version is recent enough; otherwise prints the version
    // line and exits with -1.
    static void checkVersion(unsigned int version);

    // Once per frame: the layer's update, then every resource's, then the
    // line that says a mix save has ended.
    void update();

    // Saves one loop of the songs as they sound together, in time and at the
    // music group's volume, to recordings/mix-YYYYMMDD-HHMMSS.wav under the
    // working directory. The mixing and writing happen away from the frame
    // loop; update says when the file is there. Without a song it says that
    // nothing plays; while a save runs it starts none.
    void saveMix(const Song* const* songs, int count);
    // From a save's start until update has said how it ended.
    bool isSavingMix() const { return savingPath[0] != '\0'; }

    // A looping song streamed from the file, playing in the music group.
    Song createSong(const std::string& path);

    FMOD::System* system = nullptr;
    std::list<SimpleFMODResource*> resources;
    FMOD::ChannelGroup* musicGroup = nullptr;

private:
    void reportMixSave();

    char savingPath[64] = {};
};

} // namespace SFMOD

extern SFMOD::SoundSystem soundSystem;
