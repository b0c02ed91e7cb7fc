#include "platform/ScriptedPlatform.h"

#include "platform/Screenshot.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>

namespace platform {

ScriptedPlatform::ScriptedPlatform(InputDriver& driver, double timeStep, std::string shotDirectory, long maxFrames)
    : driver(driver), timeStep(timeStep), shotDirectory(std::move(shotDirectory)), maxFrames(maxFrames)
{
}

void ScriptedPlatform::attach(GLFWwindow* newWindow)
{
    window = newWindow;
}

bool ScriptedPlatform::isKeyDown(int key)
{
    if (done && key == GLFW_KEY_ESCAPE)
        return true;
    if (key < 0 || key > GLFW_KEY_LAST)
        return false;
    return current.keys.test(static_cast<size_t>(key));
}

bool ScriptedPlatform::isMouseButtonDown(int button)
{
    if (button < 0 || button > GLFW_MOUSE_BUTTON_LAST)
        return false;
    return current.buttons.test(static_cast<size_t>(button));
}

void ScriptedPlatform::getCursorPos(double* x, double* y)
{
    *x = cursorX;
    *y = cursorY;
}

void ScriptedPlatform::setCursorPos(double x, double y)
{
    cursorX = x;
    cursorY = y;
}

void ScriptedPlatform::disableCursor()
{
}

bool ScriptedPlatform::windowShouldClose()
{
    return window && glfwWindowShouldClose(window);
}

double ScriptedPlatform::getTime()
{
    // The frame loop reads the clock once per frame, before this frame's poll:
    // frame n sees (n + 1) steps, so every deltaTime, the first included, is one step.
    return static_cast<double>(polled + 1) * timeStep;
}

double ScriptedPlatform::millisecondsSinceStart()
{
    // The game time of the frame whose input is being read.
    return static_cast<double>(polled) * timeStep * 1000.0;
}

void ScriptedPlatform::swapBuffers()
{
    if (!pendingShot.empty() && !shotDirectory.empty() && window) {
        int width = 0;
        int height = 0;
        glfwGetFramebufferSize(window, &width, &height);
        const std::string path = shotDirectory + "/" + pendingShot + ".png";
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        if (saveScreenshot(path, width, height)) {
            ++saved;
        } else {
            ++failed;
            std::cerr << "clankora-bot: could not save " << path << std::endl;
        }
    }
    pendingShot.clear();
    if (window)
        glfwSwapBuffers(window);
}

void ScriptedPlatform::pollEvents()
{
    if (window)
        glfwPollEvents();
    ++polled;
    if (done || (maxFrames >= 0 && polled >= maxFrames) || !driver.nextFrame(current)) {
        done = true;
        current = FrameInput();
        return;
    }
    cursorX += current.mouseDx;
    cursorY += current.mouseDy;
    pendingShot = current.shot;
}

} // namespace platform
