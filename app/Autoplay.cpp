#include "app/Autoplay.h"

#include "app/Camera.h"
#include "app/GameState.h"

#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>
#include <iostream>

using autoplay::Plan;
using autoplay::framesPerSecond;

namespace {
const std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();
}


Autoplay::Autoplay(Options options) : logSteps(options.logSteps)
{
    Plan plan;
    plan.wait(15).shot("title").press(GLFW_KEY_ENTER, "Enter");
    plan.waitUntil("the intro descends", 10 * framesPerSecond, [] { return camera.position.y < 18.0f; })
        .shot("intro");
    plan.waitUntil("level 1 starts", 40 * framesPerSecond, [] { return levelOneStarted; }).wait(10).shot("level1");
    plan.listenToJukebox();
    plan.pillar(1, bottomPillar, true).pillar(2, middlePillar, true);
    plan.waitUntil("level 1 is solved", 60, [] { return puzzleSolved; });
    plan.throughTheDoor("level1-solved", [] { return levelTwo; });

    plan.waitUntil("level 2 loads", 60, [] { return levelTwo; }).wait(5).shot("level2");
    if (options.dismissLevelTwoNotice)
        plan.press(GLFW_KEY_ENTER, "Enter").wait(5).shot("level2-room");
    plan.listenToJukebox();
    // The voices must be heard once, then be off for the check.
    plan.pillar(0, bottomPillar, true).pillar(3, middlePillar, true).wait(2 * framesPerSecond);
    plan.pillar(3, middlePillar, false).pillar(0, bottomPillar, false);
    plan.pillar(0, topPillar, true).pillar(2, topPillar, true);
    plan.waitUntil("level 2 is solved", 60, [] { return levelTwoSolved; });
    plan.throughTheDoor("level2-solved", [] { return levelThree; });

    plan.waitUntil("level 3 loads", 60, [] { return levelThree; }).wait(5).shot("level3");
    if (!options.dismissLevelTwoNotice)
        plan.press(GLFW_KEY_ENTER, "Enter").wait(5).shot("level3-room");
    plan.listenToJukebox();
    plan.pillar(3, bottomPillar, true);
    plan.waitUntil("level 3 is solved", 60, [] { return puzzleSolved; });
    plan.throughTheDoor("level3-solved", [] { return endingFlight; });

    plan.waitUntil("the ending starts", 60, [] { return endingFlight; }).wait(2 * framesPerSecond).shot("ending");
    plan.press(GLFW_KEY_ENTER, "Enter").wait(framesPerSecond);
    steps = std::move(plan.steps);
}

Autoplay::Autoplay(std::vector<autoplay::Step> plannedSteps) : steps(std::move(plannedSteps))
{
}

Autoplay::~Autoplay() = default;

bool Autoplay::nextFrame(platform::FrameInput& input)
{
    input = platform::FrameInput();
    while (current < steps.size()) {
        autoplay::Step& step = steps[current];
        if (framesInStep >= step.frameLimit) {
            failed = true;
            failureReason = step.description;
            std::cerr << "autoplay: gave up: " << step.description << std::endl;
            return false;
        }
        bool done = step.act(input, framesInStep++);
        if (!done)
            return true;
        if (logSteps) {
            double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - processStart).count();
            std::fprintf(stderr, "autoplay: %.3f s: %s\n", seconds, step.description.c_str());
        }
        ++current;
        framesInStep = 0;
        // A step that finished without input leaves the frame to the next step.
        if (input.keys.any() || input.buttons.any() || input.mouseDx != 0.0 || input.mouseDy != 0.0
            || !input.shot.empty())
            return true;
    }
    return false;
}
