#pragma once

#include <glm/glm.hpp>

// The TV walker's paint, shared by its texture and the game's icon: colours
// for a point (s, t) of a part's rectangle, t upwards.
namespace assetgen::models {

// The screen face: a cream bezel round a green screen with a pixel smile.
glm::vec3 paintTellyScreen(glm::vec2 st);
// The mint metal case.
glm::vec3 paintTellyCase(glm::vec2 st);
// The orange of its knobs and antenna tips.
glm::vec3 tellyKnobColour();

} // namespace assetgen::models
