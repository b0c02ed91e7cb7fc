#include "render/shadowPasses.h"

#include "render/ShaderProgram.h"
#include "render/ShadowMap.h"
#include "render/Spotlights.h"
#include "scene/MeshObject.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"
#include "scene/Roster.h"

#include <glm/gtc/type_ptr.hpp>

namespace {

DepthPassObserver depthPassObserver = nullptr;

void setLightMatrix(const ShaderProgram* program, const glm::mat4& lightMatrix)
{
    if (!program)
        return;
    program->use();
    glUniformMatrix4fv(glGetUniformLocation(program->program, "lightprojectionMatrix"), 1, GL_FALSE,
        glm::value_ptr(lightMatrix));
}

// Each spotlight's casters are the roster's entries that cast for it, then
// the pillar stacks; the light's matrices are worked out afresh for each.
void castShadows(int spotlightNumber, const ShadowMap& light, bool cullingOff)
{
    const unsigned bit = spotlight(spotlightNumber);
    for (std::size_t i = 0; i < sceneRosterSize; ++i)
        if (sceneRoster[i].castsFor & bit)
            if (plim::scene::MeshObject* caster = sceneRoster[i].object())
                caster->drawDepth(light.getPosition(), light.getViewMatrix(), light.getProjectionMatrix(), cullingOff);
    for (plim::scene::PillarStack* stack : pillarStacks)
        if (stack)
            stack->drawDepth(light.getPosition(), light.getViewMatrix(), light.getProjectionMatrix(), cullingOff);
}

} // namespace

void setDepthPassObserver(DepthPassObserver observer)
{
    depthPassObserver = observer;
}

void renderDepthPass(int spotlightNumber, bool cullingOff)
{
    const ShadowMap* light = spotlightNumbered(spotlightNumber);
    if (!light)
        return;
    const glm::mat4 lightMatrix = light->getLightMatrix();
    setLightMatrix(animatedShadowDistancesShader, lightMatrix);
    setLightMatrix(shadowDistancesShader, lightMatrix);
    light->bindForDepthPass();
    castShadows(spotlightNumber, *light, cullingOff);
    if (depthPassObserver)
        depthPassObserver(spotlightNumber);
}

void renderShadowPasses(int framePhase, LevelFlags level, bool cullingOff)
{
    glEnable(GL_DEPTH_TEST);
    glPolygonOffset(2.0f, 2.0f);
    const SpotlightList passes = depthPassSpotlights(level, framePhase);
    for (int k = 0; k < passes.count; ++k)
        renderDepthPass(passes.numbers[static_cast<size_t>(k)], cullingOff);
}
