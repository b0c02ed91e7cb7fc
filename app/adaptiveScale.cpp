#include "app/adaptiveScale.h"

#include "render/RenderScaleController.h"

#include <GL/glew.h>

#include <cctype>
#include <chrono>
#include <cstring>
#include <iostream>

namespace {

// The scale follows what drawing really costs, so it reads the real clock and
// not the platform's game clock, which the bot steps by a fixed amount.
using Clock = std::chrono::steady_clock;

RenderScaleSetting setting{false, 1.0f};
bool adapting = false;
RenderScaleController controller(1.0f);
float renderScale = 1.0f;
Clock::time_point lastSwap;
Clock::time_point drawn;

bool containsIgnoringCase(const char* text, const char* word)
{
    const size_t length = std::strlen(word);
    for (const char* at = text; *at; ++at) {
        size_t matched = 0;
        while (matched < length && at[matched]
            && std::tolower(static_cast<unsigned char>(at[matched])) == word[matched])
            ++matched;
        if (matched == length)
            return true;
    }
    return false;
}

} // namespace

void setRenderScaleSetting(const RenderScaleSetting& chosen)
{
    setting = chosen;
}

bool isSoftwareRenderer(const char* renderer)
{
    if (!renderer)
        return false;
    for (const char* name : {"llvmpipe", "softpipe", "swrast"})
        if (containsIgnoringCase(renderer, name))
            return true;
    return false;
}

RenderScalePlan planRenderScale(const RenderScaleSetting& chosen, const char* renderer, long windowPixels)
{
    if (!chosen.automatic)
        return {chosen.scale, false};
    if (!isSoftwareRenderer(renderer))
        return {1.0f, false};
    return {RenderScaleController::startScaleFor(windowPixels), true};
}

void startRenderScale(int windowWidth, int windowHeight)
{
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const RenderScalePlan plan
        = planRenderScale(setting, renderer, static_cast<long>(windowWidth) * static_cast<long>(windowHeight));
    adapting = plan.adapting;
    controller = RenderScaleController(plan.scale);
    // A fixed scale may lie below the lowest that the controller picks.
    renderScale = adapting ? controller.scale() : plan.scale;
    lastSwap = Clock::now();
    if (adapting)
        std::cout << "Software renderer " << renderer
                  << ": the 3D view adapts its resolution to hold 30 frames per second (--render-scale 1 draws every pixel)"
                  << std::endl;
}

float currentRenderScale()
{
    return renderScale;
}

void finishRenderScaleFrame()
{
    if (!adapting)
        return;
    // A software renderer draws on threads of its own; its frame is done
    // when they are, which the swap would otherwise wait for too.
    glFinish();
    drawn = Clock::now();
}

void adaptRenderScale()
{
    if (!adapting)
        return;
    const float seconds = std::chrono::duration<float>(drawn - lastSwap).count();
    lastSwap = Clock::now();
    renderScale = controller.frameDrawn(seconds);
}

void skipRenderScaleFrame()
{
    lastSwap = Clock::now();
}
