#include "render/shadowPasses.h"

#include "render/ShaderProgram.h"
#include "render/ShadowMap.h"
#include "render/Spotlights.h"
#include "scene/DepthFingerprint.h"
#include "scene/MeshObject.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"
#include "scene/Roster.h"
#include "scene/drawing.h"

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
// the pillar stacks, each visited with the roster's object or the stack.
template <typename RosterVisit, typename StackVisit>
void visitCasters(int spotlightNumber, RosterVisit visitObject, StackVisit visitStack)
{
    const unsigned bit = spotlight(spotlightNumber);
    for (std::size_t i = 0; i < sceneRosterSize; ++i)
        if (sceneRoster[i].castsFor & bit)
            if (plim::scene::MeshObject* caster = sceneRoster[i].object())
                visitObject(*caster);
    for (plim::scene::PillarStack* stack : pillarStacks)
        if (stack)
            visitStack(*stack);
}

// The light's matrices are worked out afresh for each caster.
void castShadows(int spotlightNumber, const ShadowMap& light, bool cullingOff)
{
    visitCasters(
        spotlightNumber,
        [&](plim::scene::MeshObject& caster) {
            caster.drawDepth(light.getPosition(), light.getViewMatrix(), light.getProjectionMatrix(), cullingOff);
        },
        [&](plim::scene::PillarStack& stack) {
            stack.drawDepth(light.getPosition(), light.getViewMatrix(), light.getProjectionMatrix(), cullingOff);
        });
}

// Everything the pass would draw: the light, the face culling, and each
// caster that is not culled against the light, as placed and posed.
std::uint64_t passFingerprint(int spotlightNumber, const ShadowMap& light, bool cullingOff)
{
    plim::scene::DepthFingerprint print;
    const glm::vec3 position = light.getPosition();
    const glm::mat4 view = light.getViewMatrix();
    const glm::mat4 projection = light.getProjectionMatrix();
    print.add(position);
    print.add(view);
    print.add(projection);
    print.add(plim::scene::skipHiddenBackFaces);
    visitCasters(
        spotlightNumber,
        [&](const plim::scene::MeshObject& caster) {
            caster.fingerprintDepth(print, position, view, projection, cullingOff);
        },
        [&](const plim::scene::PillarStack& stack) {
            stack.fingerprintDepth(print, position, view, projection, cullingOff);
        });
    return print.value();
}

} // namespace

void setDepthPassObserver(DepthPassObserver observer)
{
    depthPassObserver = observer;
}

void renderDepthPass(int spotlightNumber, bool cullingOff)
{
    ShadowMap* light = spotlightNumbered(spotlightNumber);
    if (!light)
        return;
    // A map that would come out the same is left as it is: on a software
    // renderer a pass is a few milliseconds, and in level 1 two of the four
    // large maps see no robot move.
    const std::uint64_t print = passFingerprint(spotlightNumber, *light, cullingOff);
    if (light->complete && light->drawnFingerprint == print)
        return;
    const glm::mat4 lightMatrix = light->getLightMatrix();
    setLightMatrix(animatedShadowDistancesShader, lightMatrix);
    setLightMatrix(shadowDistancesShader, lightMatrix);
    light->bindForDepthPass();
    castShadows(spotlightNumber, *light, cullingOff);
    if (light->complete)
        light->drawnFingerprint = print;
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
