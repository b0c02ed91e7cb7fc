#include "app/shell.h"

#include "app/GameState.h"
#include "app/adaptiveScale.h"
#include "app/config.h"
#include "app/console.h"
#include "app/controls.h"
#include "app/frameRequest.h"
#include "app/game.h"
#include "app/glLoading.h"
#include "app/window.h"
#include "platform/GlfwWindow.h"
#include "platform/Platform.h"
#include "platform/windowSystemChoice.h"
#include "render/renderFrame.h"
#include "render/stackDrawOrder.h"
#include "scene/Registry.h"
#include "scene/buildScene.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <iostream>

namespace {

FrameObserver frameObserver = nullptr;

void captureCursor(platform::Platform& input)
{
    input.disableCursor();
    input.setCursorPos(0.0, 0.0);
}

void shutDown()
{
    releaseRegistry();
    glfwTerminate();
}

} // namespace

GLFWwindow* openWindow()
{
    platform::chooseWindowSystem();
    if (!glfwInit()) {
        std::cout << "Failed to init glfw" << std::endl;
        pauseAndExit();
    }
    readConfiguration("Resolution.ini");
    // Before the window can change any monitor's mode.
    platform::largestMonitorMode(&largestViewWidth, &largestViewHeight);
    largestViewWidth = std::max(largestViewWidth, windowWidth);
    largestViewHeight = std::max(largestViewHeight, windowHeight);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 2);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    platform::hintDesktopIdentity(CLANKORA_APP_ID, "clankora");
    // A full-screen game stays on its monitor while the player looks at another window.
    glfwWindowHint(GLFW_AUTO_ICONIFY, GLFW_FALSE);
    GLFWwindow* window = nullptr;
    if (windowSizeIsUsable(windowWidth, windowHeight))
        window = glfwCreateWindow(windowWidth, windowHeight, "Hello, PLIM!",
            fullScreen ? glfwGetPrimaryMonitor() : nullptr, nullptr);
    if (!window) {
        glfwTerminate();
        std::cout << "Failed to open window" << std::endl;
        pauseAndExit();
    }
    glfwMakeContextCurrent(window);
    return window;
}

void setFrameObserver(FrameObserver observer)
{
    frameObserver = observer;
}

int runClankora(platform::Platform& input, int swapInterval)
{
    platform::setActive(&input);
    GLFWwindow* window = openWindow();
    glfwSwapInterval(swapInterval);
    input.attach(window);
    captureCursor(input);
    startFollowingWindow();
    initialiseGlew();
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 3.0f);
    buildScene(window, {windowWidth, windowHeight}, {largestViewWidth, largestViewHeight});
    prepareIntro();
    buildStackDrawOrder();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    startRenderScale(windowWidth, windowHeight);

    float lastTime = 0.0f;
    float deltaTime = 0.0f;
    int framePhase = 0;
    bool keepRunning = true;
    for (long frameIndex = 0;; ++frameIndex) {
        if (input.windowShouldClose())
            break;
        framePhase = (framePhase + 1) % 2;
        double now = input.getTime();
        deltaTime = static_cast<float>(now - static_cast<double>(lastTime));
        lastTime = static_cast<float>(now);

        const FrameViewport view = pollFrameViewport(input);
        const int culled = renderFrame(decideFrame(framePhase, deltaTime, view));
        if (view.drawable()) {
            culledObjectCount = culled;
            finishRenderScaleFrame();
            input.swapBuffers();
            adaptRenderScale();
        } else {
            // Minimised: the game goes on about ten times a second, undrawn.
            input.waitWhileHidden(0.1);
            skipRenderScaleFrame();
        }
        input.pollEvents();
        followWindow(input);
        keepRunning = !input.isKeyDown(GLFW_KEY_ESCAPE);
        updateAnimations(deltaTime);
        glGetError();
        handleIntroAndEnding(deltaTime);
        handlePlayerInput(deltaTime);
        applyMotionAndClicks(deltaTime);
        handleJukeboxLevelsAndReset();

        if (frameObserver)
            frameObserver({frameIndex, framePhase, deltaTime, keepRunning});
        if (!keepRunning)
            break;
    }
    shutDown();
    platform::setActive(nullptr);
    return 0;
}
