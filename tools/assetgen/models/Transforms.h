#pragma once

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

// Short names for the transforms the model builders chain together.
namespace assetgen::models {

inline glm::mat4 at(const glm::vec3& position) { return glm::translate(glm::mat4(1.0f), position); }
inline glm::mat4 at(float x, float y, float z) { return at(glm::vec3(x, y, z)); }
inline glm::mat4 scaled(const glm::vec3& factors) { return glm::scale(glm::mat4(1.0f), factors); }
inline glm::mat4 scaled(float x, float y, float z) { return scaled(glm::vec3(x, y, z)); }
inline glm::mat4 turned(float degrees, const glm::vec3& axis) { return glm::rotate(glm::mat4(1.0f), glm::radians(degrees), axis); }
inline glm::quat spin(float degrees, const glm::vec3& axis) { return glm::angleAxis(glm::radians(degrees), glm::normalize(axis)); }

constexpr glm::vec3 xAxis(1, 0, 0), yAxis(0, 1, 0), zAxis(0, 0, 1);

} // namespace assetgen::models
