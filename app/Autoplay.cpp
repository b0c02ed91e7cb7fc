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
    const bool touring = options.benchmarkViewFrames > 0;
    Plan plan;
    plan.marksAtShots = !touring;
    // A view of the benchmark tour: the bot holds still there for a while.
    auto view = [&](const std::string& phase) {
        if (touring)
            plan.mark(phase).wait(options.benchmarkViewFrames).mark("play");
    };
    auto listen = [&] {
        if (!touring)
            plan.listenToJukebox();
    };
    if (touring)
        plan.mark("title").wait(options.benchmarkViewFrames);
    plan.wait(15).shot("title").press(GLFW_KEY_ENTER, "Enter");
    if (touring)
        plan.mark("intro");
    // The flying robot comes into view at the end of the descent.
    plan.waitUntil("the intro descends", 15 * framesPerSecond, [] { return camera.position.y < 12.3f; })
        .shot("intro");
    plan.waitUntil("level 1 starts", 40 * framesPerSecond, [] { return levelOneStarted; }).wait(10).shot("level1");
    if (touring)
        plan.mark("play");
    listen();
    plan.pillar(1, bottomPillar, true).pillar(2, middlePillar, true);
    plan.waitUntil("level 1 is solved", 60, [] { return puzzleSolved; });
    if (touring) {
        // From the start of the room every stack is in view.
        plan.walk(0.0f, -8.0f).lookAt("the room", glm::vec3(0.0f, 1.5f, 0.0f));
        view("level1");
    }
    plan.throughTheDoor("level1-solved", [] { return levelTwo; });

    plan.waitUntil("level 2 loads", 60, [] { return levelTwo; }).wait(5).shot("level2");
    if (options.dismissLevelTwoNotice)
        plan.press(GLFW_KEY_ENTER, "Enter").wait(5).shot("level2-room");
    view("level2");
    listen();
    // The voices must be heard once, then be off for the check.
    plan.pillar(0, bottomPillar, true).pillar(3, middlePillar, true).wait(2 * framesPerSecond);
    plan.pillar(3, middlePillar, false).pillar(0, bottomPillar, false);
    // The door from one spot, before and after the last pillar solves the level.
    plan.pillar(0, topPillar, true).walkToStack(2).lookAt("the door", autoplay::doorView).shot("level2-door-closed");
    plan.switchPillar(2, topPillar, true);
    plan.waitUntil("level 2 is solved", 60, [] { return levelTwoSolved; });
    plan.lookAt("the door", autoplay::doorView).wait(2).shot("level2-door-open");
    plan.throughTheDoor("level2-solved", [] { return levelThree; });

    plan.waitUntil("level 3 loads", 60, [] { return levelThree; }).wait(5).shot("level3");
    if (!options.dismissLevelTwoNotice)
        plan.press(GLFW_KEY_ENTER, "Enter").wait(5).shot("level3-room");
    view("level3");
    listen();
    plan.pillar(3, bottomPillar, true);
    plan.waitUntil("level 3 is solved", 60, [] { return puzzleSolved; });
    plan.throughTheDoor("level3-solved", [] { return endingFlight; });

    plan.waitUntil("the ending starts", 60, [] { return endingFlight; });
    if (touring)
        plan.mark("ending");
    plan.wait(2 * framesPerSecond).shot("ending");
    plan.press(GLFW_KEY_ENTER, "Enter").wait(framesPerSecond);
    if (options.soakFrames > 0) {
        plan.mark("soak").press(GLFW_KEY_T, "T");
        const long soakFrames = options.soakFrames;
        plan.then({"soak " + std::to_string(soakFrames) + " frames", soakFrames + 1,
            [soakFrames](platform::FrameInput& input, long frame) {
                input.keys.set(frame % 400 < 200 ? GLFW_KEY_W : GLFW_KEY_S);
                input.mouseDx = 3.0;
                const long beat = frame % 300;
                const int toggles[] = {GLFW_KEY_F1, GLFW_KEY_F3, GLFW_KEY_F8, GLFW_KEY_F9};
                if (beat < 4)
                    input.keys.set(static_cast<size_t>(toggles[(frame / 300) % 4]));
                if (beat == 100)
                    input.buttons.set(GLFW_MOUSE_BUTTON_LEFT);
                if (beat == 200)
                    input.keys.set(GLFW_KEY_R);
                return frame + 1 >= soakFrames;
            }});
    }
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
            || input.pad.connected || !input.shot.empty())
            return true;
    }
    return false;
}
