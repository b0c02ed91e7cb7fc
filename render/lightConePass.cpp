#include "render/lightConePass.h"

#include "app/Camera.h"
#include "render/LightCone.h"
#include "render/ShaderProgram.h"
#include "render/ShadowMap.h"
#include "render/Spotlights.h"
#include "scene/Registry.h"

#include <glm/gtc/type_ptr.hpp>

namespace {

// Past the camera program's slot units: the lit draws after the cones (the
// effect image) still find every slot's own depth map on its unit.
constexpr int coneShadowUnit = 1 + spotlightSlotCount;

} // namespace

void drawLightCones(const Camera& viewer, LevelFlags level)
{
    const glm::mat4 bias = shadowBiasMatrix();
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDepthMask(GL_FALSE);
    const LightConeList pairs = lightConePairs(level);
    for (int k = 0; k < pairs.count && lightConeShader; ++k) {
        const LightConePair& pair = pairs.pairs[static_cast<size_t>(k)];
        const ShadowMap* light = spotlightNumbered(pair.spotlight);
        LightCone* cone = lightConeNumbered(pair.cone);
        if (!light || !cone)
            continue;
        lightConeShader->use();
        const GLuint program = lightConeShader->program;
        light->bindTexture(coneShadowUnit);
        glUniform1i(glGetUniformLocation(program, "shadowTexture"), coneShadowUnit);
        const glm::mat4 inverseProjection = glm::inverse(bias * light->getLightMatrix());
        glUniformMatrix4fv(glGetUniformLocation(program, "inverseProjection"), 1, GL_FALSE,
            glm::value_ptr(inverseProjection));
        if (pair.followsRotation)
            cone->setDirection(light->getDirection());
        cone->draw(viewer);
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
