#include "scene/Roster.h"

#include "scene/AnimatedModel.h"
#include "scene/Model.h"
#include "scene/Registry.h"
#include "scene/robotClocks.h"

float robot1TopClock = 0.0f;
float robot3Clock = 3.0f;
float flyingRobotClock = 0.0f;
float robot6AClock = 0.0f;
float robot6BClock = 0.0f;
float robot6CClock = 0.0f;
float robot6DClock = 0.0f;

namespace {

using plim::scene::MeshObject;

template <auto& global>
MeshObject* objectOf()
{
    return global;
}

template <auto& global>
void releaseOf()
{
    delete global;
    global = nullptr;
}

constexpr unsigned everySpotlight = castsForAllBut(0);
constexpr unsigned noSpotlight = 0;
constexpr RosterEntry::Glow none = RosterEntry::noGlow;

// The robots' dance loops; robot 6B dances its victory while a puzzle is solved.
constexpr ClockRule noClock{};
constexpr ClockRule robot1TopDance{&robot1TopClock, 0.8, true, 0.01, 6.25, 0.4166666f};
constexpr ClockRule robot3Dance{&robot3Clock, 2.0, true, 0.0, 2.083333, 0.0f};
ClockRule flyingRobotDance{&flyingRobotClock, 0.5, false, 0.0, 2.083333, 0.0f};
constexpr ClockRule robot6ADance{&robot6AClock, 2.5, true, 0.0, 3.29, 0.0f};
constexpr ClockRule robot6BDance{&robot6BClock, 2.0, true, 0.0, 3.29, 0.0f, 7.4, 4.6f};
constexpr ClockRule robot6CDance{&robot6CClock, 1.5, true, 0.0, 4.6, 3.4f};
constexpr ClockRule robot6DDance{&robot6DClock, 1.2, true, 0.0, 10.0, 7.4f};

} // namespace

// The lit pass draws in this order. shadowMap1 leaves out robot4, the flying
// robot and the four dancers, and is the only spotlight the door casts for;
// shadowMap8 leaves out robot 1's legs.
const RosterEntry sceneRoster[] = {
    {"house", objectOf<house>, releaseOf<house>, true, noSpotlight, 0.0f, none, false, noClock, 0.0f},
    {"houseNew", objectOf<houseNew>, releaseOf<houseNew>, true, everySpotlight, 0.0f, none, false, noClock, 0.0f},
    {"stair", objectOf<stair>, releaseOf<stair>, false, noSpotlight, 0.0f, none, false, noClock, 0.0f},
    {"robot1Top", objectOf<robot1Top>, releaseOf<robot1Top>, false, everySpotlight, 1.0f, none, false, robot1TopDance, 0.0f},
    {"robot1Bottom", objectOf<robot1Bottom>, releaseOf<robot1Bottom>, false, castsForAllBut(spotlight(8)), 1.0f, none, false, noClock, 0.0f},
    {"robot3", objectOf<robot3>, releaseOf<robot3>, false, everySpotlight, 1.0f, none, false, robot3Dance, 0.0f},
    {"robot4", objectOf<robot4>, releaseOf<robot4>, false, castsForAllBut(spotlight(1)), 1.0f, none, false, noClock, 120.0f},
    {"flyingRobot", objectOf<flyingRobot>, releaseOf<flyingRobot>, false, castsForAllBut(spotlight(1)), 1.0f, none, false, flyingRobotDance,
        0.0f},
    {"robot6A", objectOf<robot6A>, releaseOf<robot6A>, false, castsForAllBut(spotlight(1)), 1.0f, none, false, robot6ADance, 0.0f},
    {"robot6B", objectOf<robot6B>, releaseOf<robot6B>, false, castsForAllBut(spotlight(1)), 1.0f, none, false, robot6BDance, 0.0f},
    {"robot6C", objectOf<robot6C>, releaseOf<robot6C>, false, castsForAllBut(spotlight(1)), 1.0f, none, false, robot6CDance, 0.0f},
    {"robot6D", objectOf<robot6D>, releaseOf<robot6D>, false, castsForAllBut(spotlight(1)), 1.0f, none, false, robot6DDance, 0.0f},
    {"jukebox", objectOf<jukebox>, releaseOf<jukebox>, false, everySpotlight, 1.6f, none, false, noClock, 0.0f},
    {"robot5Eyes", objectOf<robot5Eyes>, releaseOf<robot5Eyes>, false, noSpotlight, 0.0f, RosterEntry::glowsAfterStacks, false, noClock, 0.0f},
    {"door", objectOf<door>, releaseOf<door>, false, spotlight(1), 0.4f, RosterEntry::glowsAfterStacks, true, noClock, 0.0f},
    {"jukeboxFront", objectOf<jukeboxFront>, releaseOf<jukeboxFront>, false, noSpotlight, 0.0f,
        RosterEntry::glowsBeforeStacks, false, noClock, 0.0f, true},
};

const std::size_t sceneRosterSize = sizeof(sceneRoster) / sizeof(sceneRoster[0]);
