#pragma once

#include <glm/glm.hpp>

namespace plim::scene {

// The one visibility test of every culled draw: the object is visible when
// culling is off, when the eye lies inside its bounding sphere, or when its
// centre, moved towards the view axis by margin in x and y, projects strictly
// inside the clip volume. One point per object, no planes and no boxes.
bool isVisible(const glm::vec3& eye, const glm::mat4& view, const glm::mat4& projection, float margin,
    bool cullingOff, const glm::vec3& centre, float radius);

} // namespace plim::scene
