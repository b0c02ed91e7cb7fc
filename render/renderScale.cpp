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

float shareOf(GLint extent)
{
    return extent > 0 ? static_cast<float>(scaled(extent)) / static_cast<float>(extent) : 1.0f;
}

GLint drawnCornerOf(GLint targetExtent, GLint windowExtent)
{
    // The shaders' min(ceil(share * extent - 0.001), extent): the allowance
    // keeps a product that should be whole from rounding up past it.
    const float texels = std::ceil(shareOf(windowExtent) * static_cast<float>(targetExtent) - 0.001f);
    return std::clamp(static_cast<GLint>(texels), std::min<GLint>(1, targetExtent), targetExtent);
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

bool sceneDrawnBelowFullScale()
{
    return frameScale < 1.0f;
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
    const GLfloat share[2] = {shareOf(windowWidth), shareOf(windowHeight)};
    glUniform2fv(glGetUniformLocation(program, "renderScale"), 1, share);
}

GLint glowCornerWidth(GLint targetWidth)
{
    return drawnCornerOf(targetWidth, windowWidth);
}

GLint glowCornerHeight(GLint targetHeight)
{
    return drawnCornerOf(targetHeight, windowHeight);
}

void clearDrawnCorner(GLbitfield buffers)
{
    if (!sceneDrawnBelowFullScale()) {
        glClear(buffers);
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, scaled(windowWidth), scaled(windowHeight));
    glClear(buffers);
    glDisable(GL_SCISSOR_TEST);
}
