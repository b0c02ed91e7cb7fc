#include "render/spotlightFrame.h"

#include "render/ShaderProgram.h"
#include "render/ShadowMap.h"
#include "render/shadowBias.h"
#include "render/spotlightSchedule.h"
#include "render/spotlightSlotNames.h"
#include "scene/Registry.h"

#include <glm/gtc/type_ptr.hpp>

namespace {

void uploadShadowMatrix(GLuint program, int slot, int spotlightNumber, const glm::mat4& bias)
{
    const ShadowMap* spotlight = spotlightNumbered(spotlightNumber);
    if (!spotlight)
        return;
    const glm::mat4 shadowMatrix = bias * spotlight->getLightMatrix();
    glUniformMatrix4fv(glGetUniformLocation(program, spotlightSlotNames[slot].shadowMatrix), 1, GL_FALSE,
        glm::value_ptr(shadowMatrix));
}

} // namespace

void turnSpotlights(float deltaTime)
{
    for (int number : rotatingSpotlights)
        if (ShadowMap* spotlight = spotlightNumbered(number))
            spotlight->rotate(deltaTime);
}

void uploadShadowMatrices()
{
    if (!cameraShader)
        return;
    cameraShader->use();
    const GLuint program = cameraShader->program;
    const glm::mat4 bias = shadowBiasMatrix();
    // The level-1 set first, then the slots the level gives to other lights,
    // the same way the frame rendering fills the slots' lights and maps.
    const std::array<int, spotlightSlotCount> slots = spotlightSlots(currentLevelFlags());
    for (int slot = 0; slot < spotlightSlotCount; ++slot)
        uploadShadowMatrix(program, slot, slot + 1, bias);
    for (int slot = 0; slot < spotlightSlotCount; ++slot)
        if (slots[static_cast<size_t>(slot)] != slot + 1)
            uploadShadowMatrix(program, slot, slots[static_cast<size_t>(slot)], bias);
}
