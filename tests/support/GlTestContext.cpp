#include "GlTestContext.h"

#include "platform/windowSystemChoice.h"

#include <GLFW/glfw3.h>

#include <chrono>
#include <iostream>
#include <sstream>
#include <thread>

namespace testing_support {

namespace {

std::string lastGlfwError;

void rememberGlfwError(int code, const char* description)
{
    std::ostringstream text;
    text << "GLFW error 0x" << std::hex << code << ": " << (description ? description : "");
    lastGlfwError = text.str();
}

GLFWwindow* createHiddenWindow(int width, int height)
{
    platform::chooseWindowSystem();
    if (!glfwInit())
        return nullptr;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 2);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(width, height, "clankora test", nullptr, nullptr);
    if (!window) {
        glfwTerminate();
        return nullptr;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        lastGlfwError = "GLEW did not initialise";
        glfwDestroyWindow(window);
        glfwTerminate();
        return nullptr;
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    return window;
}

} // namespace

GLFWwindow* glContext(int width, int height)
{
    static GLFWwindow* window = nullptr;
    static bool tried = false;
    if (tried)
        return window;
    tried = true;
    glfwSetErrorCallback(rememberGlfwError);
    // A server that resets when its last client leaves drops a client that
    // connects meanwhile (scripts/lib.sh starts ours with -noreset; a server
    // started by hand may not be); a short wait and another try gets a
    // context. No display at all fails every try the same way.
    const int attempts = 4;
    for (int attempt = 1; attempt <= attempts && !window; ++attempt) {
        window = createHiddenWindow(width, height);
        if (!window && attempt < attempts)
            std::this_thread::sleep_for(std::chrono::milliseconds(250 * attempt));
    }
    if (!window)
        std::cerr << "no GL context after " << attempts << " tries: " << lastGlfwError << std::endl;
    glfwSetErrorCallback(nullptr);
    return window;
}

std::string drainGlErrors()
{
    std::ostringstream errors;
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
        errors << "0x" << std::hex << error << " ";
    return errors.str();
}

} // namespace testing_support
