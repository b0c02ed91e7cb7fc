#pragma once

#include <glm/glm.hpp>

// How the game places each model in the world, built with the same calls in
// the same order, so a model can be authored where it will be seen and
// converted into the file's own mesh space.
namespace assetgen::models::placement {

glm::mat4 house();
glm::mat4 houseNew();
glm::mat4 stair();
glm::mat4 jukeboxFront();
glm::mat4 robot1Top();
glm::mat4 robot1Bottom();
glm::mat4 robot3();
glm::mat4 robot4();
glm::mat4 flyingRobot();
glm::mat4 robot5Eyes();
// The first of the four dancers: the shared file is authored for it.
glm::mat4 robot6A();
glm::mat4 jukebox();
glm::mat4 door();

// From a model built upright in world units (y up, facing +z) standing at
// `position` turned by `yawDegrees`, to the mesh space of a file placed
// with `placement`.
glm::mat4 worldToModel(const glm::mat4& placement, const glm::vec3& position, float yawDegrees);

} // namespace assetgen::models::placement
