#include "render/renderFrame.h"

#include "render/BlurStage.h"
#include "render/FrameRequest.h"
#include "render/passSetup.h"
#include "render/renderScene.h"
#include "render/shadowPasses.h"
#include "render/stackDrawOrder.h"
#include "scene/Registry.h"

namespace {

void notify(FrameStepObserver afterStep, const char* step)
{
    if (afterStep)
        afterStep(step);
}

} // namespace

void prepareDefaultFramebuffer(const FrameViewport& view)
{
    glPolygonOffset(0.0f, 1.0f);
    bindWindowFramebuffer();
    useCameraShader();
    setWindowViewport(view);
}

int renderFrame(const FrameRequest& frame, FrameStepObserver afterStep)
{
    turnSpotlights(frame.deltaTime);
    notify(afterStep, "turnSpotlights");
    uploadShadowMatrices(frame.level);
    notify(afterStep, "uploadShadowMatrices");
    refreshStackDrawOrder();
    notify(afterStep, "refreshStackDrawOrder");
    if (!frame.viewport.drawable())
        return 0;
    renderShadowPasses(frame.framePhase, frame.level, frame.cullingOff);
    notify(afterStep, "renderShadowPasses");
    prepareDefaultFramebuffer(frame.viewport);
    notify(afterStep, "prepareDefaultFramebuffer");
    GlowArea glowArea;
    const int culled = renderScene(frame, &glowArea);
    notify(afterStep, "renderScene");
    if (blurStage)
        blurStage->blurForNextFrame(effectTexture, frame.viewport, glowArea);
    notify(afterStep, "renderGlowForNextFrame");
    // As start-up left them: the window bound, depth testing on.
    bindWindowFramebuffer();
    glEnable(GL_DEPTH_TEST);
    notify(afterStep, "bindDefaultFramebuffer");
    return culled;
}
