#pragma once

#include <glm/glm.hpp>

class ShaderProgram;

namespace plim::scene {

// Chooses the lit program for a part of the scene from its world-space
// bounding sphere: the renderer's choice of the spotlights that can reach it.
// The program it returns is current, with its spotlight uniforms set.
class PieceLighting {
public:
    virtual ShaderProgram* programFor(const glm::vec3& centre, float radius) = 0;

protected:
    ~PieceLighting() = default;
};

} // namespace plim::scene
