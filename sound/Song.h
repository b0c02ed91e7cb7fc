#pragma once

#include "sound/SimpleFMODResource.h"

#include <string>
#include <vector>

namespace SFMOD {

// One MP3 file streamed from disk and played in a loop, in its channel group,
// with how loud it is over time when a .loudness file lies beside it (one
// byte per 1/60 s, 255 for its loudest). Global songs start empty and are
// filled once by assignment from createSong.
class Song : public SimpleFMODResource {
public:
    Song() = default;
    // Opens the stream; a missing or unreadable file ends the program with
    // the FMOD error line.
    Song(const std::string& path, FMOD::ChannelGroup* channelGroup);
    Song& operator=(Song&& source);

    void update() override {}

    // Starts the song from its first millisecond on a new channel, looping
    // without end; a playback already running moves to the new channel.
    FMOD::Channel* play();
    // Starts the song on a new channel in time with another song's playback:
    // at the place in its loop where that one is heard, from the same mixer
    // update on, and they keep time while both play. From the first
    // millisecond, as play does, when the other song is not playing.
    FMOD::Channel* playInTimeWith(const Song& playing);
    // Stops the current playback, if any, and forgets its channel.
    void stop();
    // True only when the current channel itself reports being paused.
    bool isPaused();

    FMOD::Channel* getChannel() const { return channel; }

    // How loud the song is where its playback is heard now, 0 to 1 of its
    // loudest; -1 when it does not play or nothing says how loud it is.
    float loudness() const;

private:
    FMOD::Channel* channel = nullptr;
    FMOD::ChannelGroup* channelGroup = nullptr;
    std::vector<unsigned char> loudnessSteps;
};

} // namespace SFMOD
