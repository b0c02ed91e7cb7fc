#include "render/shadowPasses.h"

#include "render/ShaderProgram.h"
#include "render/ShadowMap.h"
#include "render/spotlightSchedule.h"
#include "scene/AnimatedModel.h"
#include "scene/Model.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"

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

// The light's matrices are worked out afresh for every caster.
template <typename Caster>
void castShadow(Caster* caster, const ShadowMap& light)
{
    if (caster)
        caster->drawDepth(light.getPosition(), light.getViewMatrix(), light.getProjectionMatrix());
}

void castPillarStacks(const ShadowMap& light)
{
    for (plim::scene::PillarStack* stack : pillarStacks)
        castShadow(stack, light);
}

// Each spotlight has its own caster list. shadowMap1's leaves out robot4, the
// flying robot and the four dancers, and is the only one the door casts in.
void castForFirstSpotlight(const ShadowMap& light)
{
    castShadow(houseNew, light);
    castShadow(robot1Top, light);
    castShadow(robot1Bottom, light);
    castShadow(robot3, light);
    castShadow(jukebox, light);
    castShadow(door, light);
    castPillarStacks(light);
}

// shadowMap8's list leaves out robot1's legs.
void castForEighthSpotlight(const ShadowMap& light)
{
    castShadow(houseNew, light);
    castShadow(robot1Top, light);
    castShadow(robot3, light);
    castShadow(robot4, light);
    castShadow(flyingRobot, light);
    castShadow(robot6A, light);
    castShadow(robot6B, light);
    castShadow(robot6C, light);
    castShadow(robot6D, light);
    castShadow(jukebox, light);
    castPillarStacks(light);
}

void castForOtherSpotlights(const ShadowMap& light)
{
    castShadow(houseNew, light);
    castShadow(robot1Top, light);
    castShadow(robot1Bottom, light);
    castShadow(robot3, light);
    castShadow(robot4, light);
    castShadow(flyingRobot, light);
    castShadow(robot6A, light);
    castShadow(robot6B, light);
    castShadow(robot6C, light);
    castShadow(robot6D, light);
    castShadow(jukebox, light);
    castPillarStacks(light);
}

} // namespace

void setDepthPassObserver(DepthPassObserver observer)
{
    depthPassObserver = observer;
}

void renderDepthPass(int spotlightNumber)
{
    const ShadowMap* light = spotlightNumbered(spotlightNumber);
    if (!light)
        return;
    const glm::mat4 lightMatrix = light->getLightMatrix();
    setLightMatrix(animatedShadowDistancesShader, lightMatrix);
    setLightMatrix(shadowDistancesShader, lightMatrix);
    light->bindForDepthPass();
    if (spotlightNumber == 1)
        castForFirstSpotlight(*light);
    else if (spotlightNumber == 8)
        castForEighthSpotlight(*light);
    else
        castForOtherSpotlights(*light);
    if (depthPassObserver)
        depthPassObserver(spotlightNumber);
}

void renderShadowPasses(int framePhase)
{
    glPolygonOffset(2.0f, 2.0f);
    const SpotlightList passes = depthPassSpotlights(currentLevelFlags(), framePhase);
    for (int k = 0; k < passes.count; ++k)
        renderDepthPass(passes.numbers[static_cast<size_t>(k)]);
}
