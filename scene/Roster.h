#pragma once

#include <cstddef>

namespace plim::scene {
class MeshObject;
}

// How a robot's clock runs: advanced by the frame's time (nearly frozen while
// no instrument plays, when it follows the music), and started again from
// restartAt once it reaches wrapAt; while a puzzle is solved the victory
// values take over where they are given.
struct ClockRule {
    float* clock = nullptr; // one of the robots' clocks; null: the robot is not posed
    double rate = 0.0;      // clock units per second
    bool followsMusic = true;
    double extraStep = 0.0; // added every frame on top
    double wrapAt = 0.0;
    float restartAt = 0.0f;
    double victoryWrapAt = 0.0; // 0: the same as always
    float victoryRestartAt = 0.0f;
};

// One scene object with what each pass needs of it. The passes, the
// collisions, the animation and the shutdown loop over the roster in its
// order, which is the order the frame has always drawn its lit objects in;
// each takes the entries it needs. The four pillar stacks (pillarStacks)
// follow the roster in every pass, in their index order.
struct RosterEntry {
    const char* name;                   // the registry's name for it
    plim::scene::MeshObject* (*object)(); // the registry's global, null until assembled
    void (*release)();                  // deletes it and empties the global
    bool house;        // drawn first while the eye is outside the room, last while inside
    unsigned castsFor; // bit n - 1 set: casts a shadow into spotlight n's map
    float collisionRadius; // the player is pushed out of it; 0: walked through
    enum Glow { noGlow, glowsBeforeStacks, glowsAfterStacks } glow;
    bool glowsWhenSolved; // drawn into the glow once per solved puzzle, else not at all
    ClockRule clock;
    float spinDegreesPerSecond; // turns about its own y axis, following the music
    bool glowFollowsJukebox = false; // with the music shown, its glow follows the jukebox's song
};

extern const RosterEntry sceneRoster[];
extern const std::size_t sceneRosterSize;

// Every spotlight but those named.
constexpr unsigned castsForAllBut(unsigned spotlights)
{
    return 0x3ffu & ~spotlights;
}
constexpr unsigned spotlight(int number)
{
    return 1u << (number - 1);
}
