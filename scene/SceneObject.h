#pragma once

#include <glm/glm.hpp>

namespace plim::scene {

// Abstract base of everything that stands in the scene and draws itself. The
// placement operations multiply on the right, so the vertices see them in the
// reverse order of the calls: translate, scale, rotate gives T * S * R.
class SceneObject {
public:
    glm::mat4 modelMatrix;

    explicit SceneObject(const glm::mat4& initialModelMatrix);
    virtual ~SceneObject();
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;

    // Every class states its own behaviour; the definitions here are the
    // shared one that most of them call.
    virtual void update(double deltaTime) = 0; // turns 90 degrees per second about the own y axis
    virtual void draw() = 0;
    virtual void translate(double x, double y, double z) = 0;
    virtual void scale(double x, double y, double z) = 0;
    virtual void rotate(double x, double y, double z, float angle) = 0; // angle in degrees
};

// The game's conversion factor, kept so that rotations match to the last bit.
constexpr float degreesToRadians = 0.017453292f;

} // namespace plim::scene
