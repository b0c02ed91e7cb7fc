#pragma once

#include <glm/glm.hpp>

// Maps a light's clip coordinates from -1..1 to the 0..1 of texture lookups and
// depth comparisons. The shadow matrices and the light cones' unprojection use
// the same matrix, so a depth map is always read where it was written.
glm::mat4 shadowBiasMatrix();
