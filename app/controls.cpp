#include "app/controls.h"

#include "app/Camera.h"
#include "app/GameState.h"
#include "app/gamepad.h"
#include "app/musicVolume.h"
#include "app/game.h"
#include "app/player.h"
#include "app/window.h"
#include "platform/Platform.h"
#include "render/Texture.h"
#include "scene/Registry.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>

int helpPressCount = 0;
int frameTimePressCount = 0;
int wireframePressCount = 0;

namespace {

// Set on a press, cleared on release: holding a key acts once. A second key
// or a gamepad button may do the same.
class KeyLatch {
public:
    explicit KeyLatch(int key, int otherKey = -1, int padButton = -1)
        : key(key), otherKey(otherKey), padButton(padButton)
    {
    }

    bool pressedOnce()
    {
        platform::Platform& input = platform::active();
        if (input.isKeyDown(key) || (otherKey >= 0 && input.isKeyDown(otherKey)) || padButtonDown(padButton)) {
            if (latched)
                return false;
            latched = true;
            return true;
        }
        latched = false;
        return false;
    }

private:
    int key;
    int otherKey;
    int padButton;
    bool latched = false;
};

KeyLatch helpKey(GLFW_KEY_F1, -1, GLFW_GAMEPAD_BUTTON_BACK);
KeyLatch frameTimeKey(GLFW_KEY_F2);
KeyLatch wireframeKey(GLFW_KEY_F3);
KeyLatch samplingKey(GLFW_KEY_F4);
KeyLatch mipmapKey(GLFW_KEY_F5);
KeyLatch flyModeKey(GLFW_KEY_F6);
KeyLatch saveMixKey(GLFW_KEY_F7);
KeyLatch cullingKey(GLFW_KEY_F8);
KeyLatch muteKey(GLFW_KEY_M);
// + shares its key with = on many layouts, and the keypad has both.
KeyLatch louderKey(GLFW_KEY_EQUAL, GLFW_KEY_KP_ADD);
KeyLatch softerKey(GLFW_KEY_MINUS, GLFW_KEY_KP_SUBTRACT);
constexpr int musicVolumeStep = 10;

bool held(int key)
{
    return platform::active().isKeyDown(key);
}

// The scene textures the filtering switches apply to; the plain colours are left alone.
template <typename Switch>
void forEachSceneTexture(Switch apply)
{
    for (std::size_t i = 0; i < registryTextureCount; ++i)
        if (Texture* texture = *registryTextures[i].texture; texture && !registryTextures[i].plainColour)
            apply(*texture);
}

void handleTransparencyKey()
{
    // F9 has no latch of its own: the transparency flag serves as one.
    if (held(GLFW_KEY_F9)) {
        if (transparencyFlag) {
            transparencyFlag = false;
            std::cout << "Transparency on/off" << std::endl;
        }
    } else {
        transparencyFlag = true;
    }
}

void reportElapsedTime()
{
    platform::Platform& input = platform::active();
    if (input.isMouseButtonDown(GLFW_MOUSE_BUTTON_RIGHT))
        std::cout << "Time elapsed " << input.millisecondsSinceStart() << " ms" << std::endl;
}

} // namespace

void handleLightKeys()
{
    if (held(GLFW_KEY_1)) {
        camera.lightPosition = camera.position;
        glm::vec3 forward = camera.forwardVector();
        std::cout << camera.position.x << "   " << camera.position.y << "   " << camera.position.z << " "
                  << forward.x << " " << forward.y << " " << forward.z << std::endl;
    }
    if (held(GLFW_KEY_2))
        camera.lightIntensities = glm::vec3(1.0f, 1.0f, 0.0f);
    else if (held(GLFW_KEY_3))
        camera.lightIntensities = glm::vec3(0.0f, 1.0f, 0.0f);
    else if (held(GLFW_KEY_4))
        camera.lightIntensities = glm::vec3(1.0f, 1.0f, 1.0f);
}

void handleFunctionKeys(float deltaTime)
{
    if (helpKey.pressedOnce()) {
        ++helpPressCount;
        std::cout << "Help" << std::endl;
    }
    helpVisible = helpPressCount % 2 == 1;

    if (frameTimeKey.pressedOnce())
        ++frameTimePressCount;
    if (frameTimePressCount % 2 == 1)
        std::cout << "Frametime: " << deltaTime << std::endl;

    if (wireframeKey.pressedOnce())
        ++wireframePressCount;
    wireframe = wireframePressCount % 2 == 1;
    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);

    if (samplingKey.pressedOnce()) {
        std::cout << "Show texture sampling quality" << std::endl;
        forEachSceneTexture([](Texture& texture) { texture.toggleSamplingQuality(); });
    }
    if (mipmapKey.pressedOnce()) {
        std::cout << "Set mipmap on/off";
        forEachSceneTexture([](Texture& texture) { texture.toggleMipmap(); });
    }
    if (flyModeKey.pressedOnce()) {
        flyMode = !flyMode;
        std::cout << "Set flymode on/off" << std::endl;
    }
    if (saveMixKey.pressedOnce())
        saveMusic();
    if (cullingKey.pressedOnce()) {
        if (!frustumCullingOff) {
            frustumCullingOff = true;
            reportCulledCount = true;
            std::cout << culledObjectCount << " Elements culled" << std::endl;
            std::cout << "Frustum Culling off" << std::endl;
        } else {
            frustumCullingOff = false;
            std::cout << "Frustum Culling on" << std::endl;
        }
    }
    handleTransparencyKey();
}

void handleMusicVolumeKeys()
{
    if (muteKey.pressedOnce())
        toggleMusicMute();
    if (louderKey.pressedOnce())
        stepMusicVolume(musicVolumeStep);
    if (softerKey.pressedOnce())
        stepMusicVolume(-musicVolumeStep);
}

void handlePlayerInput(float deltaTime)
{
    reportGamepadConnection();
    if (controlsEnabled) {
        applyMovementKeys(deltaTime);
        applyStickMovement(deltaTime);
        applyWalkHeight();
        handleLightKeys();
        // Without the focus the cursor is the desktop's: it turns nothing.
        if (windowHasFocus())
            applyMouseLook();
        applyStickLook(deltaTime);
    }
    chooseEyeHeightTargets();
    if (held(GLFW_KEY_T))
        controlsEnabled = true;
    handleFunctionKeys(deltaTime);
    handleMusicVolumeKeys();
    if (windowHasFocus())
        platform::active().setCursorPos(0.0, 0.0);
    reportElapsedTime();
}
