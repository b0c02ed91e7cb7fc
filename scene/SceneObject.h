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

    // The behaviour every class shares; a class overrides only what it does
    // otherwise (a pillar turns only while on, the models scale their radius).
    virtual void update(double deltaTime); // turns 90 degrees per second about the own y axis
    virtual void draw() = 0;
    virtual void translate(double x, double y, double z);
    virtual void scale(double x, double y, double z);
    virtual void rotate(double x, double y, double z, float angle); // angle in degrees
};

// The game's conversion factor, kept so that rotations match to the last bit.
constexpr float degreesToRadians = 0.017453292f;

} // namespace plim::scene
