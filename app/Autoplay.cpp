#include "app/Autoplay.h"

#include "app/Camera.h"
#include "app/GameState.h"
#include "app/levels.h"
#include "app/player.h"
#include "scene/Model.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

using platform::FrameInput;
using Step = Autoplay::Step;

constexpr float degreesPerPixel = 0.1f;
constexpr double pi = 3.14159265358979;
constexpr long secondsOfFrames = 30; // frames per second at the default time step

double wrapDegrees(double angle)
{
    while (angle > 180.0)
        angle -= 360.0;
    while (angle < -180.0)
        angle += 360.0;
    return angle;
}

// Mouse motion that turns the camera to the given yaw and pitch (a player
// moves the mouse by as much as the turn needs).
void turnTowards(FrameInput& input, double yaw, double pitch)
{
    input.mouseDx = wrapDegrees(yaw - camera.yawDegrees) / degreesPerPixel;
    input.mouseDy = (pitch - camera.pitchDegrees) / degreesPerPixel;
}

double yawTowards(float x, float z)
{
    return std::atan2(x - camera.position.x, -(z - camera.position.z)) * 180.0 / pi;
}

Step wait(long frames)
{
    return {"wait " + std::to_string(frames) + " frames", frames + 1,
        [frames](FrameInput&, long frame) { return frame + 1 >= frames; }};
}

Step shot(const std::string& name)
{
    return {"screenshot " + name, 2, [name](FrameInput& input, long) {
                input.shot = name;
                return true;
            }};
}

Step press(int key, const std::string& name)
{
    return {"press " + name, 3, [key](FrameInput& input, long frame) {
                if (frame == 0)
                    input.keys.set(static_cast<size_t>(key));
                return frame >= 1;
            }};
}

Step waitUntil(const std::string& what, long limit, std::function<bool()> condition)
{
    return {"wait until " + what, limit, [condition](FrameInput&, long) { return condition(); }};
}

// Walks to a point (worked out when the walk begins), or until the condition
// holds (a door that loads the next level).
Step walkTo(std::string name, std::function<glm::vec2()> target, std::function<bool()> arrived = [] { return false; })
{
    return {"walk to " + name, 40 * secondsOfFrames, [target, arrived](FrameInput& input, long) {
                if (arrived())
                    return true;
                glm::vec2 point = target();
                float x = point.x;
                float z = point.y;
                float dx = x - camera.position.x;
            float dz = z - camera.position.z;
            if (std::sqrt(dx * dx + dz * dz) < 0.12f)
                return true;
            double yaw = yawTowards(x, z);
            turnTowards(input, yaw, 0.0);
            if (std::abs(wrapDegrees(yaw - camera.yawDegrees)) < 20.0)
                input.keys.set(GLFW_KEY_W);
            return false;
        }};
}

Step walkTo(float x, float z, std::function<bool()> arrived = [] { return false; })
{
    return walkTo("(" + std::to_string(x) + ", " + std::to_string(z) + ")", [x, z] { return glm::vec2(x, z); },
        arrived);
}

// Taps E or Q until the eye height points at the wanted pillar.
bool adjustEyeHeight(FrameInput& input, PillarLevel wanted)
{
    if (risingEyeHeight || loweringEyeHeight)
        return false;
    PillarLevel now = pillarAtEyeHeight(eyeHeight);
    if (now == wanted)
        return true;
    input.keys.set(wanted > now ? GLFW_KEY_E : GLFW_KEY_Q);
    return false;
}

bool aimAt(FrameInput& input, glm::vec3 point)
{
    glm::vec3 d = glm::normalize(point - camera.position);
    double pitch = std::asin(-d.y) * 180.0 / pi;
    double yaw = yawTowards(point.x, point.z);
    if (std::abs(wrapDegrees(yaw - camera.yawDegrees)) < 0.5 && std::abs(pitch - camera.pitchDegrees) < 0.5)
        return true;
    turnTowards(input, yaw, pitch);
    return false;
}

bool pillarOn(int stack, PillarLevel pillar)
{
    plim::scene::PillarStack& s = *pillarStacks[stack];
    return pillar == bottomPillar ? s.isBottomActive() : pillar == middlePillar ? s.isMiddleActive() : s.isTopActive();
}

glm::vec3 aimPoint(int stack, PillarLevel pillar)
{
    plim::scene::PillarStack& s = *pillarStacks[stack];
    return pillar == bottomPillar ? s.getBottomAim() : pillar == middlePillar ? s.getMiddleAim() : s.getTopAim();
}

// Where the bot stands to reach a stack: 1.7 units towards the room's middle.
glm::vec2 standingPoint(int stack)
{
    glm::vec3 p = pillarStacks[stack]->getPosition();
    return {p.x > 0.0f ? p.x - 1.7f : p.x + 1.7f, p.z};
}

// Sets the eye height for the pillar, looks at it and clicks once.
Step switchPillar(int stack, PillarLevel pillar, bool on)
{
    const char* names[] = {"bottom", "middle", "top"};
    std::string what = std::string(on ? "switch on " : "switch off ") + names[pillar] + " pillar of stack "
        + std::to_string(stack);
    auto phase = std::make_shared<int>(0);
    return {what, 20 * secondsOfFrames, [=](FrameInput& input, long) {
                switch (*phase) {
                case 0:
                    if (adjustEyeHeight(input, pillar))
                        *phase = 1;
                    return false;
                case 1:
                    if (aimAt(input, aimPoint(stack, pillar)))
                        *phase = 2;
                    return false;
                case 2:
                    input.buttons.set(GLFW_MOUSE_BUTTON_LEFT);
                    *phase = 3;
                    return false;
                default:
                    if (pillarOn(stack, pillar) == on)
                        return true;
                    *phase = 0; // missed: look again and click again
                    return false;
                }
            }};
}

Step clickJukebox(bool playing)
{
    auto phase = std::make_shared<int>(0);
    return {playing ? "start the jukebox" : "stop the jukebox", 10 * secondsOfFrames,
        [=](FrameInput& input, long) {
            if (*phase == 0) {
                input.buttons.set(GLFW_MOUSE_BUTTON_LEFT);
                *phase = 1;
                return false;
            }
            if (jukeboxPlaying == playing)
                return true;
            *phase = 0;
            return false;
        }};
}

class Plan {
public:
    std::vector<Step> steps;

    Plan& then(Step step)
    {
        steps.push_back(std::move(step));
        return *this;
    }

    Plan& walk(std::initializer_list<glm::vec2> route)
    {
        for (glm::vec2 point : route)
            then(walkTo(point.x, point.y));
        return *this;
    }

    Plan& pillar(int stack, PillarLevel level, bool on)
    {
        std::string name = "stack " + std::to_string(stack);
        then(walkTo("the aisle beside " + name, [stack] { return glm::vec2(0.0f, standingPoint(stack).y); }));
        then(walkTo(name, [stack] { return standingPoint(stack); }));
        return then(switchPillar(stack, level, on));
    }

    Plan& listenToJukebox()
    {
        walk({{0.0f, -7.0f}, {3.2f, -7.0f}});
        then(clickJukebox(true)).then(wait(4 * secondsOfFrames));
        return then(clickJukebox(false));
    }

    // Walks up the stairs until the game moves on to what comes after the door.
    Plan& throughTheDoor(const std::string& shotName, std::function<bool()> nextPhase)
    {
        walk({{0.0f, 0.0f}, {0.0f, 7.0f}});
        then(aimStraightAhead()).then(shot(shotName));
        return then(walkTo(0.0f, 8.8f, nextPhase));
    }

    static Step aimStraightAhead()
    {
        return {"look at the door", 3 * secondsOfFrames,
            [](FrameInput& input, long) { return aimAt(input, glm::vec3(0.0f, 2.5f, 10.0f)); }};
    }
};

} // namespace

Autoplay::Autoplay(Options options)
{
    Plan plan;
    plan.then(wait(15)).then(shot("title")).then(press(GLFW_KEY_ENTER, "Enter"));
    plan.then(waitUntil("the intro descends", 10 * secondsOfFrames, [] { return camera.position.y < 18.0f; }))
        .then(shot("intro"));
    plan.then(waitUntil("level 1 starts", 40 * secondsOfFrames, [] { return levelOneStarted; }))
        .then(wait(10))
        .then(shot("level1"));
    plan.listenToJukebox();
    plan.pillar(1, bottomPillar, true).pillar(2, middlePillar, true);
    plan.then(waitUntil("level 1 is solved", 60, [] { return puzzleSolved; }));
    plan.throughTheDoor("level1-solved", [] { return levelTwo; });
    plan.then(waitUntil("level 2 loads", 60, [] { return levelTwo; })).then(wait(5)).then(shot("level2"));
    if (options.dismissLevelTwoNotice)
        plan.then(press(GLFW_KEY_ENTER, "Enter")).then(wait(5)).then(shot("level2-room"));
    plan.listenToJukebox();
    plan.pillar(0, bottomPillar, true).pillar(3, middlePillar, true);
    plan.then(wait(2 * secondsOfFrames));
    plan.pillar(3, middlePillar, false).pillar(0, bottomPillar, false);
    plan.pillar(0, topPillar, true).pillar(2, topPillar, true);
    plan.then(waitUntil("level 2 is solved", 60, [] { return levelTwoSolved; }));
    plan.throughTheDoor("level2-solved", [] { return levelThree; });
    plan.then(waitUntil("level 3 loads", 60, [] { return levelThree; })).then(wait(5)).then(shot("level3"));
    if (!options.dismissLevelTwoNotice)
        plan.then(press(GLFW_KEY_ENTER, "Enter")).then(wait(5)).then(shot("level3-room"));
    plan.listenToJukebox();
    plan.pillar(3, bottomPillar, true);
    plan.then(waitUntil("level 3 is solved", 60, [] { return puzzleSolved; }));
    plan.throughTheDoor("level3-solved", [] { return endingFlight; });
    plan.then(waitUntil("the ending starts", 60, [] { return endingFlight; }))
        .then(wait(2 * secondsOfFrames))
        .then(shot("ending"))
        .then(press(GLFW_KEY_ENTER, "Enter"))
        .then(wait(secondsOfFrames));
    steps = std::move(plan.steps);
}

Autoplay::~Autoplay() = default;

bool Autoplay::nextFrame(platform::FrameInput& input)
{
    input = platform::FrameInput();
    while (current < steps.size()) {
        Step& step = steps[current];
        if (framesInStep >= step.frameLimit) {
            failed = true;
            failureReason = step.description;
            std::cerr << "autoplay: gave up: " << step.description << std::endl;
            return false;
        }
        bool done = step.act(input, framesInStep++);
        if (!done)
            return true;
        ++current;
        framesInStep = 0;
        // A step that finished without input leaves the frame to the next step.
        if (input.keys.any() || input.buttons.any() || input.mouseDx != 0.0 || input.mouseDy != 0.0
            || !input.shot.empty())
            return true;
    }
    return false;
}
