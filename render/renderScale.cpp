#include "render/renderScale.h"

#include <algorithm>
#include <cmath>

float renderScale = 1.0f;

namespace {

GLint windowWidth = 0;
GLint windowHeight = 0;
float frameScale = 1.0f;

GLint scaled(GLint extent)
{
    return std::max(1, static_cast<GLint>(std::lround(frameScale * static_cast<float>(extent))));
}

} // namespace

void beginScaledFrame()
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    windowWidth = viewport[2];
    windowHeight = viewport[3];
    frameScale = renderScale;
}

void setSceneViewport()
{
    glViewport(0, 0, scaled(windowWidth), scaled(windowHeight));
}

void setWindowViewport()
{
    glViewport(0, 0, windowWidth, windowHeight);
}

void uploadRenderScale(GLuint program)
{
    // The share of whole pixels, not the scale itself, so that reading and
    // drawing meet on the same texel edges. 1 exactly when nothing is scaled.
    GLfloat share[2] = {1.0f, 1.0f};
    if (windowWidth > 0 && windowHeight > 0) {
        share[0] = static_cast<float>(scaled(windowWidth)) / static_cast<float>(windowWidth);
        share[1] = static_cast<float>(scaled(windowHeight)) / static_cast<float>(windowHeight);
    }
    glUniform2fv(glGetUniformLocation(program, "renderScale"), 1, share);
}
