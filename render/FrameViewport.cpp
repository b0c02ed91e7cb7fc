#include "render/FrameViewport.h"

#include <algorithm>
#include <cmath>

namespace {

GLint scaledExtent(float scale, int windowExtent, int targetExtent)
{
    if (windowExtent <= 0 || targetExtent <= 0)
        return 0;
    const GLint scaled = std::max(1, static_cast<GLint>(std::lround(scale * static_cast<float>(windowExtent))));
    return std::min(scaled, targetExtent);
}

// The share of whole pixels, not the scale itself, so that reading and
// drawing meet on the same texel edges. 1 exactly when the corner is the
// whole target.
float shareOf(GLint sceneExtent, GLint targetExtent)
{
    return targetExtent > 0 ? static_cast<float>(sceneExtent) / static_cast<float>(targetExtent) : 1.0f;
}

GLint drawnCornerOf(GLint blurExtent, GLint sceneExtent, GLint targetExtent)
{
    // The shaders' min(ceil(share * extent - 0.001), extent): the allowance
    // keeps a product that should be whole from rounding up past it.
    const float texels = std::ceil(shareOf(sceneExtent, targetExtent) * static_cast<float>(blurExtent) - 0.001f);
    return std::clamp(static_cast<GLint>(texels), std::min<GLint>(1, blurExtent), blurExtent);
}

} // namespace

FrameViewport frameViewport(int windowWidth, int windowHeight, int targetWidth, int targetHeight, float scale)
{
    FrameViewport view;
    view.windowWidth = std::max(0, windowWidth);
    view.windowHeight = std::max(0, windowHeight);
    view.targetWidth = targetWidth;
    view.targetHeight = targetHeight;
    if (view.windowWidth > 0 && view.windowHeight > 0) {
        view.sceneWidth = scaledExtent(scale, view.windowWidth, targetWidth);
        view.sceneHeight = scaledExtent(scale, view.windowHeight, targetHeight);
    }
    return view;
}

void setSceneViewport(const FrameViewport& view)
{
    glViewport(0, 0, view.sceneWidth, view.sceneHeight);
}

void setWindowViewport(const FrameViewport& view)
{
    glViewport(0, 0, view.windowWidth, view.windowHeight);
}

void uploadRenderScale(GLuint program, const FrameViewport& view)
{
    const GLfloat share[2] = {shareOf(view.sceneWidth, view.targetWidth), shareOf(view.sceneHeight, view.targetHeight)};
    glUniform2fv(glGetUniformLocation(program, "renderScale"), 1, share);
}

GLint glowCornerWidth(const FrameViewport& view, GLint targetWidth)
{
    return drawnCornerOf(targetWidth, view.sceneWidth, view.targetWidth);
}

GLint glowCornerHeight(const FrameViewport& view, GLint targetHeight)
{
    return drawnCornerOf(targetHeight, view.sceneHeight, view.targetHeight);
}

void clearDrawnCorner(const FrameViewport& view, GLbitfield buffers)
{
    if (!view.cornerOnly()) {
        glClear(buffers);
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, view.sceneWidth, view.sceneHeight);
    glClear(buffers);
    glDisable(GL_SCISSOR_TEST);
}
