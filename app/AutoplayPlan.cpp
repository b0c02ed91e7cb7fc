#include "app/AutoplayPlan.h"

#include "app/Camera.h"
#include "app/GameState.h"
#include "app/player.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"

#include <GLFW/glfw3.h>

#include <cmath>
#include <memory>

namespace autoplay {

namespace {

using platform::FrameInput;

constexpr float degreesPerPixel = 0.1f;
constexpr double pi = 3.14159265358979;

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

Step waitFrames(long frames)
{
    return {"wait " + std::to_string(frames) + " frames", frames + 1,
        [frames](FrameInput&, long frame) { return frame + 1 >= frames; }};
}

Step shotStep(const std::string& name)
{
    return {"screenshot " + name, 2, [name](FrameInput& input, long) {
                input.shot = name;
                return true;
            }};
}

Step pressStep(int key, const std::string& name)
{
    return {"press " + name, 3, [key](FrameInput& input, long frame) {
                if (frame == 0)
                    input.keys.set(static_cast<size_t>(key));
                return frame >= 1;
            }};
}

// Walks to a point (worked out when the walk begins), or until the condition
// holds (a door that loads the next level).
Step walkTo(std::string name, std::function<glm::vec2()> target, std::function<bool()> arrived = [] { return false; })
{
    return {"walk to " + name, 40 * framesPerSecond, [target, arrived](FrameInput& input, long) {
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
Step switchPillarStep(int stack, PillarLevel pillar, bool on)
{
    const char* names[] = {"bottom", "middle", "top"};
    std::string what = std::string(on ? "switch on " : "switch off ") + names[pillar] + " pillar of stack "
        + std::to_string(stack);
    auto phase = std::make_shared<int>(0);
    return {what, 20 * framesPerSecond, [=](FrameInput& input, long) {
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

Step jukeboxClick(bool playing)
{
    auto phase = std::make_shared<int>(0);
    return {playing ? "start the jukebox" : "stop the jukebox", 10 * framesPerSecond,
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

} // namespace

Plan& Plan::then(Step step)
{
    steps.push_back(std::move(step));
    return *this;
}

Plan& Plan::wait(long frames)
{
    return then(waitFrames(frames));
}

Plan& Plan::shot(const std::string& name)
{
    if (marksAtShots)
        mark(name);
    return then(shotStep(name));
}

Plan& Plan::mark(const std::string& phase)
{
    return then({"phase " + phase, 2, [phase](FrameInput& input, long) {
                     input.mark = phase;
                     return true;
                 }});
}

Plan& Plan::press(int key, const std::string& name)
{
    return then(pressStep(key, name));
}

Plan& Plan::waitUntil(const std::string& what, long frameLimit, std::function<bool()> condition)
{
    return then({"wait until " + what, frameLimit, [condition](FrameInput&, long) { return condition(); }});
}

Plan& Plan::walk(float x, float z)
{
    return then(walkTo(x, z));
}

Plan& Plan::pillar(int stack, PillarLevel level, bool on)
{
    return walkToStack(stack).switchPillar(stack, level, on);
}

Plan& Plan::walkToStack(int stack)
{
    std::string name = "stack " + std::to_string(stack);
    then(walkTo("the aisle beside " + name, [stack] { return glm::vec2(0.0f, standingPoint(stack).y); }));
    return then(walkTo(name, [stack] { return standingPoint(stack); }));
}

Plan& Plan::switchPillar(int stack, PillarLevel level, bool on)
{
    return then(switchPillarStep(stack, level, on));
}

Plan& Plan::lookAt(const std::string& what, glm::vec3 point)
{
    return then({"look at " + what, 3 * framesPerSecond, [point](FrameInput& input, long) { return aimAt(input, point); }});
}

Plan& Plan::clickJukebox(bool playing)
{
    return then(jukeboxClick(playing));
}

Plan& Plan::listenToJukebox()
{
    walk(0.0f, -7.0f).walk(3.2f, -7.0f);
    return clickJukebox(true).wait(4 * framesPerSecond).clickJukebox(false);
}

Plan& Plan::throughTheDoor(const std::string& shotName, std::function<bool()> nextPhase)
{
    walk(0.0f, 0.0f).walk(0.0f, 7.0f).lookAt("the door", doorView);
    shot(shotName);
    return then(walkTo(0.0f, 8.8f, nextPhase));
}

} // namespace autoplay
