#pragma once

#include "app/levels.h"
#include "platform/FrameInput.h"

#include <glm/vec3.hpp>

#include <functional>
#include <string>
#include <vector>

namespace autoplay {

// One thing the bot does over one or more frames; act returns true when done.
struct Step {
    std::string description;
    long frameLimit; // frames before the bot gives up
    std::function<bool(platform::FrameInput&, long frame)> act;
};

// A list of steps built from what a player does: wait, press, walk to a
// place, switch a pillar, play the jukebox, go through the door.
class Plan {
public:
    std::vector<Step> steps;
    // Each screenshot also starts a phase of the frame-time record.
    bool marksAtShots = true;

    Plan& then(Step step);
    Plan& wait(long frames);
    Plan& shot(const std::string& name);
    // The frames from here on count for this phase in the frame-time record.
    Plan& mark(const std::string& phase);
    Plan& press(int key, const std::string& name);
    Plan& waitUntil(const std::string& what, long frameLimit, std::function<bool()> condition);
    Plan& walk(float x, float z);
    // Walks beside the stack, sets the eye height for the pillar, looks at it
    // and clicks until the pillar is in the wanted state.
    Plan& pillar(int stack, PillarLevel level, bool on);
    // The two halves of pillar: the walk, and the switch from where the bot stands.
    Plan& walkToStack(int stack);
    Plan& switchPillar(int stack, PillarLevel level, bool on);
    // Turns until the point is in the middle of the view.
    Plan& lookAt(const std::string& what, glm::vec3 point);
    // Starts the jukebox, listens for a few seconds and stops it again.
    Plan& listenToJukebox();
    Plan& clickJukebox(bool playing);
    // Walks up the stairs until the game moves on to what comes after the door.
    Plan& throughTheDoor(const std::string& shotName, std::function<bool()> nextPhase);
};

constexpr long framesPerSecond = 30; // at the default time step

// Where the bot looks to see the door.
constexpr glm::vec3 doorView(0.0f, 2.5f, 10.0f);

} // namespace autoplay
