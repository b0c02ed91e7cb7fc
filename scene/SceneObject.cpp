#include "scene/SceneObject.h"

#include <glm/gtc/matrix_transform.hpp>

namespace plim::scene {

SceneObject::SceneObject(const glm::mat4& initialModelMatrix)
    : modelMatrix(initialModelMatrix)
{
}

SceneObject::~SceneObject() = default;

void SceneObject::update(double deltaTime)
{
    const float degrees = static_cast<float>(deltaTime) * 90.0f;
    modelMatrix = glm::rotate(modelMatrix, degrees * degreesToRadians, glm::vec3(0.0f, 1.0f, 0.0f));
}

void SceneObject::translate(double x, double y, double z)
{
    modelMatrix = glm::translate(
        modelMatrix, glm::vec3(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
}

void SceneObject::scale(double x, double y, double z)
{
    modelMatrix
        = glm::scale(modelMatrix, glm::vec3(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
}

void SceneObject::rotate(double x, double y, double z, float angle)
{
    // glm::rotate makes the axis unit length itself.
    const glm::vec3 axis(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    modelMatrix = glm::rotate(modelMatrix, angle * degreesToRadians, axis);
}

} // namespace plim::scene
