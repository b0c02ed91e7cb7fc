#include "app/player.h"

#include "app/Camera.h"
#include "app/GameState.h"
#include "app/gamepad.h"
#include "platform/Platform.h"

#include <GLFW/glfw3.h>
#include <glm/geometric.hpp>

float eyeHeight = 2.0f;
float targetEyeHeight = 2.25f;
bool risingEyeHeight = false;
bool loweringEyeHeight = false;
bool onStairs = false;
float stairsBaseHeight = 2.0f;
float mouseSensitivity = 1.0f;
bool invertMouse = false;

namespace {

constexpr float crouchHeight = 1.5f;
constexpr float normalHeight = 2.25f;
constexpr float raisedHeight = 3.0f;
constexpr float eyeHeightSpeed = 2.5f; // units per second
constexpr float stairsStartZ = 8.0f;
constexpr float forwardSpeed = 3.0f; // units per second, as W
constexpr float otherSpeed = 2.5f;   // backwards and sideways, as S, A and D
constexpr float stickTurnSpeed = 180.0f; // degrees per second at full tilt

bool held(int key)
{
    return platform::active().isKeyDown(key);
}

// The step of the diagonal (0.707) and forward (1.2) rows, in double, rounded to float.
float scaledStep(float step, double factor)
{
    return static_cast<float>(static_cast<double>(step) * factor);
}

} // namespace

void applyMovementKeys(float deltaTime)
{
    const float step = deltaTime * 2.5f;
    const bool w = held(GLFW_KEY_W);
    const bool a = held(GLFW_KEY_A);
    const bool s = held(GLFW_KEY_S);
    const bool d = held(GLFW_KEY_D);
    const float diagonal = scaledStep(step, 0.707);

    if (w && a) {
        camera.move(camera.forwardVector() * diagonal);
        camera.move(-camera.rightVector() * diagonal);
    } else if (w && d) {
        camera.move(camera.forwardVector() * diagonal);
        camera.move(camera.rightVector() * diagonal);
    } else if (s && a) {
        camera.move(-camera.forwardVector() * diagonal);
        camera.move(-camera.rightVector() * diagonal);
    } else if (s && d) {
        camera.move(-camera.forwardVector() * diagonal);
        camera.move(camera.rightVector() * diagonal);
    } else if (w) {
        camera.move(camera.forwardVector() * scaledStep(step, 1.2));
    } else if (a) {
        camera.move(-camera.rightVector() * step);
    } else if (s) {
        camera.move(-camera.forwardVector() * step);
    } else if (d) {
        camera.move(camera.rightVector() * step);
    } else if (held(GLFW_KEY_Y)) {
        camera.move(glm::vec3(0.0f, -step, 0.0f));
    } else if (held(GLFW_KEY_X)) {
        camera.move(glm::vec3(0.0f, step, 0.0f));
    }
}

void applyWalkHeight()
{
    if (!flyMode)
        camera.position.y = eyeHeight;
}

void applyMouseLook()
{
    platform::Platform& input = platform::active();
    double x = 0.0;
    double y = 0.0;
    input.getCursorPos(&x, &y);
    const float degreesPerPixel = 0.1f * mouseSensitivity;
    const double pitchPerPixel = invertMouse ? -degreesPerPixel : degreesPerPixel;
    camera.turn(static_cast<float>(y * pitchPerPixel), static_cast<float>(x * degreesPerPixel));
    input.setCursorPos(0.0, 0.0);
}

void applyStickMovement(float deltaTime)
{
    const glm::vec2 stick = padStick(GLFW_GAMEPAD_AXIS_LEFT_X, GLFW_GAMEPAD_AXIS_LEFT_Y);
    if (stick == glm::vec2(0.0f))
        return;
    const float ahead = -stick.y;
    camera.move(camera.forwardVector() * (ahead * (ahead > 0.0f ? forwardSpeed : otherSpeed) * deltaTime));
    camera.move(camera.rightVector() * (stick.x * otherSpeed * deltaTime));
}

void applyStickLook(float deltaTime)
{
    const glm::vec2 stick = padStick(GLFW_GAMEPAD_AXIS_RIGHT_X, GLFW_GAMEPAD_AXIS_RIGHT_Y);
    const float length = glm::length(stick);
    if (length == 0.0f)
        return;
    // The turn starts from still at the dead zone's edge, so a small push aims finely.
    const float share = (length - stickDeadZone) / (1.0f - stickDeadZone) / length;
    const glm::vec2 degrees = stick * (share * stickTurnSpeed * mouseSensitivity * deltaTime);
    camera.turn(invertMouse ? -degrees.y : degrees.y, degrees.x);
}

void chooseEyeHeightTargets()
{
    if (held(GLFW_KEY_E) || held(GLFW_KEY_SPACE) || padButtonDown(GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER)) {
        bool chosen = true;
        if (eyeHeight < normalHeight)
            targetEyeHeight = normalHeight;
        else if (eyeHeight < raisedHeight)
            targetEyeHeight = raisedHeight;
        else
            chosen = false;
        if (chosen) {
            loweringEyeHeight = false;
            risingEyeHeight = true;
        }
    }
    if (held(GLFW_KEY_Q) || held(GLFW_KEY_LEFT_SHIFT) || padButtonDown(GLFW_GAMEPAD_BUTTON_LEFT_BUMPER)) {
        bool chosen = true;
        if (eyeHeight > normalHeight)
            targetEyeHeight = normalHeight;
        else if (eyeHeight > crouchHeight)
            targetEyeHeight = crouchHeight;
        else
            chosen = false;
        if (chosen) {
            risingEyeHeight = false;
            loweringEyeHeight = true;
        }
    }
}

void applyWalkBounds()
{
    if (flyMode)
        return;
    if (camera.position.x < -6.0f)
        camera.position.x = -6.0f;
    if (camera.position.x > 6.0f)
        camera.position.x = 6.0f;
    if (camera.position.z < -9.8f)
        camera.position.z = -9.8f;
    if (camera.position.z > 9.8f)
        camera.position.z = 9.8f;
}

void animateEyeHeight(float deltaTime)
{
    if (risingEyeHeight) {
        if (targetEyeHeight >= eyeHeight)
            eyeHeight += deltaTime * eyeHeightSpeed;
        else
            risingEyeHeight = false;
    }
    if (loweringEyeHeight) {
        if (eyeHeight >= targetEyeHeight)
            eyeHeight -= deltaTime * eyeHeightSpeed;
        else
            loweringEyeHeight = false;
    }
}

void applyStairs()
{
    if (flyMode)
        return;
    if (!onStairs) {
        onStairs = true;
        stairsBaseHeight = eyeHeight;
    }
    if (camera.position.z > stairsStartZ)
        eyeHeight = (camera.position.z - stairsStartZ) + stairsBaseHeight;
    else
        onStairs = false;
}

void pushOutOf(float centreX, float centreZ, float radius)
{
    camera.pushOutOfCircle(radius, centreX, centreZ, 0.0f);
}
