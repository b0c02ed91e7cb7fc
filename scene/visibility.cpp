#include "scene/visibility.h"

#include <cmath>

namespace plim::scene {

namespace {

// Moves a coordinate towards 0 by margin without crossing it.
float shrinkTowardsAxis(float coordinate, float margin)
{
    const float shrunk = std::fmax(std::fabs(coordinate) - margin, 0.0f);
    return coordinate < 0.0f ? -shrunk : (coordinate > 0.0f ? shrunk : 0.0f);
}

// Strict on both sides: a centre exactly on a clip plane is culled. A NaN
// (w = 0) fails both comparisons and culls as well.
bool insideClipRange(float value)
{
    return value > -1.0f && value < 1.0f;
}

} // namespace

bool isVisible(const glm::vec3& eye, const glm::mat4& view, const glm::mat4& projection, float margin,
    bool cullingOff, const glm::vec3& centre, float radius)
{
    if (cullingOff)
        return true;
    if (glm::distance(eye, centre) < radius)
        return true;
    glm::vec4 v = view * glm::vec4(centre, 1.0f);
    v.x = shrinkTowardsAxis(v.x, margin);
    v.y = shrinkTowardsAxis(v.y, margin);
    const glm::vec4 q = projection * v;
    return insideClipRange(q.x / q.w) && insideClipRange(q.y / q.w) && insideClipRange(q.z / q.w);
}

} // namespace plim::scene
