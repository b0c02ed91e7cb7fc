#include "render/variantPriming.h"

#include "app/Camera.h"
#include "render/ShaderProgram.h"
#include "render/Spotlights.h"
#include "scene/Cube.h"
#include "scene/Registry.h"

#include <array>

namespace {

// Hands out the variant for a fixed number of slots, whatever the piece,
// each slot reading the depth map on its own unit.
class FixedSlots final : public plim::scene::PieceLighting {
public:
    explicit FixedSlots(int count) : count(count) {}

    ShaderProgram* programFor(const glm::vec3&, float) override
    {
        ShaderProgram* program = slotProgram(count);
        program->use();
        for (int slot = 0; slot < count; ++slot)
            glUniform1i(glGetUniformLocation(program->program, spotlightSlotNames[slot].shadowTexture),
                shadowTextureUnit(slot));
        // "anz" is left alone: it is no part of the built code, and the
        // five-slot program must keep lighting nothing before level 1.
        return program;
    }

private:
    int count;
};

std::array<const ShaderProgram*, spotlightSlotCount + 1> primed{};

} // namespace

void primeSlotVariants(plim::scene::Cube& box)
{
    // Every corner of the box at the world's origin: no triangle has an area.
    glm::mat4 folded(0.0f);
    folded[3][3] = 1.0f;
    const glm::mat4 placement = box.modelMatrix;
    for (int count = 0; count <= spotlightSlotCount; ++count) {
        const ShaderProgram* program = slotProgram(count);
        if (!program || primed[static_cast<size_t>(count)] == program)
            continue;
        box.modelMatrix = folded;
        FixedSlots slots(count);
        box.drawLit(camera, false, &slots);
        box.drawLit(camera, true, &slots);
        primed[static_cast<size_t>(count)] = program;
        box.modelMatrix = placement;
    }
}
