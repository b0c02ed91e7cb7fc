#include "render/spotlightSlots.h"

#include "render/ShaderProgram.h"
#include "render/ShadowMap.h"
#include "render/spotlightSchedule.h"
#include "render/spotlightSlotNames.h"
#include "scene/Registry.h"

#include <glm/gtc/type_ptr.hpp>

namespace {

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

template <typename Fill>
void fillSlots(const std::array<int, spotlightSlotCount>& slots, Fill fill)
{
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

} // namespace

void uploadSpotlightSlots()
{
    if (!cameraShader)
        return;
    cameraShader->use();
    const GLuint program = cameraShader->program;
    const LevelFlags flags = currentLevelFlags();
    const std::array<int, spotlightSlotCount> slots = spotlightSlots(flags);
    fillSlots(slots, [program](int slot, const ShadowMap& light) { uploadLight(program, slot, light); });
    fillSlots(slots, [program](int slot, const ShadowMap& light) { bindMap(program, slot, light); });
    const int inUse = spotlightsInUse(flags);
    if (inUse >= 0)
        glUniform1i(glGetUniformLocation(program, "anz"), inUse);
}
