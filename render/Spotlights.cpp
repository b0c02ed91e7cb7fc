#include "render/Spotlights.h"

#include "render/ShaderProgram.h"
#include "render/ShadowMap.h"
#include "scene/Registry.h"

#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <cmath>

const SpotlightSlotNames spotlightSlotNames[spotlightSlotCount] = {
    {"spotlight[0].position", "spotlight[0].intensities", "spotlight[0].angle", "spotlight[0].direction",
        "shadowTexture[0]", "shadowprojectionMatrix[0]"},
    {"spotlight[1].position", "spotlight[1].intensities", "spotlight[1].angle", "spotlight[1].direction",
        "shadowTexture[1]", "shadowprojectionMatrix[1]"},
    {"spotlight[2].position", "spotlight[2].intensities", "spotlight[2].angle", "spotlight[2].direction",
        "shadowTexture[2]", "shadowprojectionMatrix[2]"},
    {"spotlight[3].position", "spotlight[3].intensities", "spotlight[3].angle", "spotlight[3].direction",
        "shadowTexture[3]", "shadowprojectionMatrix[3]"},
    {"spotlight[4].position", "spotlight[4].intensities", "spotlight[4].angle", "spotlight[4].direction",
        "shadowTexture[4]", "shadowprojectionMatrix[4]"},
};

namespace {

void append(SpotlightList& list, int number)
{
    list.numbers[static_cast<size_t>(list.count++)] = number;
}

void append(LightConeList& list, int spotlight, int cone, bool followsRotation)
{
    list.pairs[static_cast<size_t>(list.count++)] = {spotlight, cone, followsRotation};
}

bool inLevelTwoOnly(LevelFlags flags)
{
    return flags.levelTwo && !flags.levelThree;
}

// Calls fill(slot, light) for the level-1 light of every slot first, then
// again for each slot the level gives to another light: the uniforms end up
// with the level's lights, set in the order the game has always set them.
template <typename Fill>
void fillSlots(LevelFlags flags, Fill fill)
{
    const std::array<int, spotlightSlotCount> slots = spotlightSlots(flags);
    for (int slot = 0; slot < spotlightSlotCount; ++slot)
        if (const ShadowMap* light = spotlightNumbered(slot + 1))
            fill(slot, *light);
    for (int slot = 0; slot < spotlightSlotCount; ++slot) {
        const int number = slots[static_cast<size_t>(slot)];
        if (number == slot + 1)
            continue;
        if (const ShadowMap* light = spotlightNumbered(number))
            fill(slot, *light);
    }
}

void uploadLight(GLuint program, int slot, const ShadowMap& light)
{
    const SpotlightSlotNames& names = spotlightSlotNames[slot];
    const glm::vec3 position = light.getPosition();
    const glm::vec3 intensities = light.getIntensities();
    const glm::vec3 direction = light.getDirection();
    glUniform3fv(glGetUniformLocation(program, names.position), 1, glm::value_ptr(position));
    glUniform3fv(glGetUniformLocation(program, names.intensities), 1, glm::value_ptr(intensities));
    glUniform1f(glGetUniformLocation(program, names.angle), light.getAngleCosine());
    glUniform3fv(glGetUniformLocation(program, names.direction), 1, glm::value_ptr(direction));
}

void bindMap(GLuint program, int slot, const ShadowMap& light)
{
    light.bindTexture(shadowTextureUnit(slot));
    glUniform1i(glGetUniformLocation(program, spotlightSlotNames[slot].shadowTexture), shadowTextureUnit(slot));
}

void uploadShadowMatrix(GLuint program, int slot, const ShadowMap& light, const glm::mat4& bias)
{
    const glm::mat4 shadowMatrix = bias * light.getLightMatrix();
    glUniformMatrix4fv(
        glGetUniformLocation(program, spotlightSlotNames[slot].shadowMatrix), 1, GL_FALSE, glm::value_ptr(shadowMatrix));
}

// Where camera.frag's reach ends, and a margin in radians for the rounding
// of its cone test.
constexpr float lightRange = 10.0f;
constexpr float coneMargin = 1e-3f;

} // namespace

SpotlightList depthPassSpotlights(LevelFlags flags, int framePhase)
{
    const bool levelOne = flags.levelOneStarted && !flags.levelTwo;
    SpotlightList list;
    if (levelOne && framePhase == 0)
        append(list, 1);
    append(list, 2);
    if (levelOne && framePhase == 1)
        append(list, 3);
    if (levelOne && framePhase == 0)
        append(list, 4);
    if (levelOne && framePhase == 1)
        append(list, 5);
    if (inLevelTwoOnly(flags)) {
        append(list, 6);
        append(list, 7);
    }
    if (flags.levelThree) {
        append(list, 8);
        append(list, 9);
        append(list, 10);
    }
    return list;
}

std::array<int, spotlightSlotCount> spotlightSlots(LevelFlags flags)
{
    std::array<int, spotlightSlotCount> slots{1, 2, 3, 4, 5};
    if (inLevelTwoOnly(flags)) {
        slots[0] = 6;
        slots[2] = 7;
    }
    if (flags.levelThree) {
        slots[0] = 8;
        slots[2] = 9;
        slots[3] = 10;
    }
    return slots;
}

int spotlightsInUse(LevelFlags flags)
{
    if (flags.levelThree)
        return 4;
    if (flags.levelTwo)
        return 3;
    if (flags.levelOneStarted)
        return 5;
    return -1;
}

LightConeList lightConePairs(LevelFlags flags)
{
    LightConeList list;
    if (inLevelTwoOnly(flags)) {
        append(list, 6, 3, false);
        append(list, 7, 4, false);
    }
    append(list, 2, 2, true);
    if (flags.levelThree) {
        append(list, 8, 5, true);
        append(list, 9, 6, true);
        append(list, 10, 7, true);
    }
    return list;
}

ShadowMap* spotlightNumbered(int number)
{
    ShadowMap* const spotlights[] = {shadowMap1, shadowMap2, shadowMap3, shadowMap4, shadowMap5, shadowMap6,
        shadowMap7, shadowMap8, shadowMap9, shadowMap10};
    if (number < 1 || number > 10)
        return nullptr;
    return spotlights[number - 1];
}

LightCone* lightConeNumbered(int number)
{
    LightCone* const cones[] = {lightCone1, lightCone2, lightCone3, lightCone4, lightCone5, lightCone6, lightCone7};
    if (number < 1 || number > 7)
        return nullptr;
    return cones[number - 1];
}

glm::mat4 shadowBiasMatrix()
{
    return glm::mat4(0.5f, 0.0f, 0.0f, 0.0f,
                     0.0f, 0.5f, 0.0f, 0.0f,
                     0.0f, 0.0f, 0.5f, 0.0f,
                     0.5f, 0.5f, 0.5f, 1.0f);
}

void turnSpotlights(float deltaTime)
{
    for (int number : rotatingSpotlights)
        if (ShadowMap* spotlight = spotlightNumbered(number))
            spotlight->rotate(deltaTime);
}

void uploadShadowMatrices(LevelFlags flags)
{
    if (!cameraShader)
        return;
    cameraShader->use();
    const GLuint program = cameraShader->program;
    const glm::mat4 bias = shadowBiasMatrix();
    fillSlots(flags, [program, &bias](int slot, const ShadowMap& light) { uploadShadowMatrix(program, slot, light, bias); });
}

void uploadSpotlightSlots(LevelFlags flags)
{
    if (!cameraShader)
        return;
    cameraShader->use();
    const GLuint program = cameraShader->program;
    fillSlots(flags, [program](int slot, const ShadowMap& light) { uploadLight(program, slot, light); });
    fillSlots(flags, [program](int slot, const ShadowMap& light) { bindMap(program, slot, light); });
    const int inUse = spotlightsInUse(flags);
    if (inUse >= 0)
        glUniform1i(glGetUniformLocation(program, "anz"), inUse);
}

bool spotlightCanReach(const ShadowMap& light, const glm::vec3& centre, float radius)
{
    const glm::vec3 axis = light.getDirection();
    const float axisLength = glm::length(axis);
    if (axisLength == 0.0f)
        return false; // a light without a direction gives none
    const glm::vec3 fromLight = centre - light.getPosition();
    const float distance = glm::length(fromLight);
    if (distance - radius >= lightRange)
        return false;
    if (distance <= radius)
        return true;
    const float halfAngle = std::acos(std::clamp(light.getAngleCosine(), -1.0f, 1.0f));
    const float offAxis = std::acos(std::clamp(glm::dot(fromLight, axis) / (distance * axisLength), -1.0f, 1.0f));
    const float spread = std::asin(std::min(radius / distance, 1.0f));
    return offAxis - spread < halfAngle + coneMargin;
}

SlotLighting::SlotLighting(LevelFlags level)
    : bias(shadowBiasMatrix())
{
    // The lights the five-slot program holds: those uploadSpotlightSlots
    // left in each slot. Before level 1 "anz" was never written: none lights.
    const int inUse = std::max(spotlightsInUse(level), 0);
    std::array<const ShadowMap*, spotlightSlotCount> held{};
    fillSlots(level, [&held](int slot, const ShadowMap& light) { held[static_cast<size_t>(slot)] = &light; });
    for (int slot = 0; slot < inUse; ++slot)
        lights[static_cast<size_t>(slot)] = held[static_cast<size_t>(slot)];
}

ShaderProgram* slotProgram(int count)
{
    ShaderProgram* variant = count < spotlightSlotCount ? cameraSlotShaders[count] : nullptr;
    return variant ? variant : cameraShader;
}

ShaderProgram* SlotLighting::programFor(const glm::vec3& centre, float radius)
{
    std::array<int, spotlightSlotCount> reaching{};
    int count = 0;
    for (int slot = 0; slot < spotlightSlotCount; ++slot) {
        const ShadowMap* light = lights[static_cast<size_t>(slot)];
        if (light && spotlightCanReach(*light, centre, radius))
            reaching[static_cast<size_t>(count++)] = slot;
    }
    ShaderProgram* variant = slotProgram(count);
    if (!variant || variant == cameraShader) {
        // The five-slot program's slots are the ones the frame filled.
        if (variant)
            variant->use();
        return variant;
    }
    variant->use();
    const GLuint program = variant->program;
    for (int packed = 0; packed < count; ++packed) {
        const int slot = reaching[static_cast<size_t>(packed)];
        const ShadowMap& light = *lights[static_cast<size_t>(slot)];
        uploadLight(program, packed, light);
        // The map stays on its own slot's unit, where the frame bound it.
        glUniform1i(glGetUniformLocation(program, spotlightSlotNames[packed].shadowTexture), shadowTextureUnit(slot));
        uploadShadowMatrix(program, packed, light, bias);
    }
    glUniform1i(glGetUniformLocation(program, "anz"), count);
    return variant;
}
