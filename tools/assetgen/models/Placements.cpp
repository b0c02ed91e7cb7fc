#include "Placements.h"

#include <glm/gtc/matrix_transform.hpp>

namespace assetgen::models::placement {

namespace {

// The game's placement calls, each multiplying on the right.
struct Placing {
    glm::mat4 m{1.0f};
    Placing& translate(float x, float y, float z)
    {
        m = glm::translate(m, glm::vec3(x, y, z));
        return *this;
    }
    Placing& scale(float x, float y, float z)
    {
        m = glm::scale(m, glm::vec3(x, y, z));
        return *this;
    }
    Placing& rotate(float x, float y, float z, float degrees)
    {
        m = glm::rotate(m, degrees * 0.017453292f, glm::normalize(glm::vec3(x, y, z)));
        return *this;
    }
};

} // namespace

glm::mat4 house() { return Placing().translate(0, 4.5f, 0).scale(0.25f, 0.2f, 0.25f).rotate(1, 0, 0, -90).m; }
glm::mat4 houseNew() { return Placing().scale(19.9f, 10, 19.9f).translate(-0.0006f, 0.024f, 0.03f).rotate(1, 0, 0, 0).m; }
glm::mat4 stair() { return Placing().translate(0, 0, 9).scale(2.5f, 0.5f, 0.5f).m; }
glm::mat4 jukeboxFront() { return Placing().translate(4.8f, 0, -8.4f).rotate(0, 1, 0, -45).m; }
glm::mat4 robot1Top() { return Placing().translate(5, 0.55f, 1).scale(0.3f, 0.5f, 0.3f).m; }
glm::mat4 robot1Bottom() { return Placing().translate(5, 0.35f, 1).scale(0.3f, 0.5f, 0.3f).m; }
glm::mat4 robot3() { return Placing().translate(-4.5f, 1.08f, -0.5f).scale(0.5f, 0.7f, 0.5f).rotate(1, 0, 0, -90).m; }
glm::mat4 robot4() { return Placing().translate(5.5f, 1.5f, 6.8f).scale(0.25f, 0.25f, 0.25f).rotate(0, 1, 0, 45).m; }
glm::mat4 flyingRobot()
{
    return Placing().translate(52.6f, 11, -18.74f).scale(0.65f, 0.65f, 0.65f).rotate(1, 0, 0, -90).rotate(0, 0, 1, 270).m;
}
glm::mat4 robot5Eyes() { return Placing().translate(52.54f, 10.44f, -18.74f).scale(0.95f, 0.85f, 0.65f).rotate(0, 1, 0, 270).m; }
glm::mat4 robot6A() { return Placing().translate(-4.5f, 0.5f, 6.3f).rotate(1, 0, 0, -90).rotate(0, 0, 1, 135).m; }
glm::mat4 jukebox() { return Placing().translate(4.8f, 0, -8.4f).rotate(1, 0, 0, -90).rotate(0, 0, 1, -45).m; }
glm::mat4 door() { return Placing().scale(0.009f, 0.009f, 0.009f).rotate(0, 1, 0, 90).translate(-1085, 140, 1).m; }

glm::mat4 worldToModel(const glm::mat4& placement, const glm::vec3& position, float yawDegrees)
{
    glm::mat4 world = glm::rotate(glm::translate(glm::mat4(1.0f), position), glm::radians(yawDegrees), glm::vec3(0, 1, 0));
    return glm::inverse(placement) * world;
}

} // namespace assetgen::models::placement
