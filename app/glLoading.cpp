#include "app/glLoading.h"

#include "app/console.h"

#include <GLFW/glfw3.h>

#include <iostream>

namespace {

// A handful of the entry points GLEW loads that the game calls at start-up
// and in every frame: shaders, vertex arrays, buffers, framebuffers, uniforms.
bool gameEntryPointsLoaded()
{
    return glCreateShader && glLinkProgram && glGenVertexArrays && glBufferData &&
        glGenFramebuffers && glFramebufferTexture2D && glUniformMatrix4fv && glActiveTexture;
}

} // namespace

bool glewLoadSucceeded(GLenum result, bool contextCurrent, bool entryPointsLoaded)
{
    if (result == GLEW_OK)
        return true;
    return result == GLEW_ERROR_NO_GLX_DISPLAY && contextCurrent && entryPointsLoaded;
}

void initialiseGlew()
{
    glewExperimental = GL_TRUE;
    GLenum result = glewInit();
    if (!glewLoadSucceeded(result, glfwGetCurrentContext() != nullptr, gameEntryPointsLoaded())) {
        std::cout << "Failed to initialize glew" << std::endl;
        pauseAndExit();
    }
    // GLEW asks for the extension string, which core contexts answer with GL_INVALID_ENUM.
    glGetError();
}
