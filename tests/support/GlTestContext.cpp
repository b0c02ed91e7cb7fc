#include "GlTestContext.h"

#include <GLFW/glfw3.h>

#include <sstream>

namespace testing_support {

GLFWwindow* glContext(int width, int height)
{
    static GLFWwindow* window = nullptr;
    static bool tried = false;
    if (tried)
        return window;
    tried = true;
    if (!glfwInit())
        return nullptr;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 2);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    window = glfwCreateWindow(width, height, "clankora test", nullptr, nullptr);
    if (!window)
        return nullptr;
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        return window = nullptr;
    while (glGetError() != GL_NO_ERROR) {
    }
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
