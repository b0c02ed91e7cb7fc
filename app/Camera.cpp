#include "app/Camera.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

Camera camera;

namespace {

constexpr float degreesToRadians = 0.017453292f;
constexpr float pi = 3.1415927f;

struct CircleDistance {
    float dx;
    float dz;
    float squared; // q: formed in double, rounded to float
};

CircleDistance circleDistance(glm::vec3 position, float centreX, float centreZ)
{
    float dx = centreX - position.x;
    float dz = centreZ - position.z;
    double squared = static_cast<double>(dx) * dx + static_cast<double>(dz) * dz;
    return {dx, dz, static_cast<float>(squared)};
}

double squaredRadius(float radiusA, float radiusB)
{
    float sum = radiusA + radiusB;
    return static_cast<double>(sum) * sum;
}

} // namespace

glm::mat4 Camera::rotationMatrix() const
{
    glm::mat4 rotation = glm::rotate(glm::mat4(1.0f), pitchDegrees * degreesToRadians, glm::vec3(1, 0, 0));
    return glm::rotate(rotation, yawDegrees * degreesToRadians, glm::vec3(0, 1, 0));
}

glm::vec3 Camera::forwardVector() const
{
    return glm::vec3(glm::inverse(rotationMatrix()) * glm::vec4(0, 0, -1, 1));
}

glm::vec3 Camera::rightVector() const
{
    return glm::vec3(glm::inverse(rotationMatrix()) * glm::vec4(1, 0, 0, 1));
}

glm::mat4 Camera::viewMatrix() const
{
    return rotationMatrix() * glm::translate(glm::mat4(1.0f), -position);
}

glm::mat4 Camera::projectionMatrix() const
{
    return glm::perspective(fieldOfViewDegrees * degreesToRadians, aspectRatio, nearClip, farClip);
}

glm::mat4 Camera::viewProjectionMatrix() const
{
    return projectionMatrix() * viewMatrix();
}

void Camera::move(glm::vec3 offset)
{
    position += offset;
}

void Camera::turn(float pitchDelta, float yawDelta)
{
    float yawSum = yawDegrees + yawDelta;
    yawDegrees = static_cast<float>(std::fmod(static_cast<double>(yawSum), 360.0));
    pitchDegrees += pitchDelta;
    wrapAndClampAngles();
}

void Camera::faceTowards(glm::vec3 point)
{
    glm::vec3 d = glm::normalize(point - position);
    pitchDegrees = std::asin(-d.y) * 180.0f / pi;
    float yaw = -std::atan2(-d.x, -d.z) * 180.0f / pi;
    yawDegrees = static_cast<float>(std::fmod(static_cast<double>(yaw), 360.0));
    wrapAndClampAngles();
}

void Camera::wrapAndClampAngles()
{
    if (yawDegrees < 0.0f)
        yawDegrees += 360.0f;
    if (pitchDegrees > 85.0f)
        pitchDegrees = 85.0f;
    if (pitchDegrees < -85.0f)
        pitchDegrees = -85.0f;
}

void Camera::pushOutOfCircle(float radiusA, float centreX, float centreZ, float radiusB)
{
    CircleDistance d = circleDistance(position, centreX, centreZ);
    double r2 = squaredRadius(radiusA, radiusB);
    if (r2 >= d.squared && d.squared >= 0.0001) {
        float k = static_cast<float>(std::sqrt(r2 / d.squared) - 1.0);
        position.x -= d.dx * k;
        position.z -= d.dz * k;
    }
}

float Camera::rangeTest(float radiusA, float centreX, float centreZ, float radiusB) const
{
    CircleDistance d = circleDistance(position, centreX, centreZ);
    if (squaredRadius(radiusA, radiusB) >= d.squared)
        return -1.0f;
    return d.squared;
}

bool Camera::isLookingAt(glm::vec3 point, float radius) const
{
    glm::vec4 e = viewMatrix() * glm::vec4(point, 1.0f);
    return radius > std::sqrt(e.x * e.x + e.y * e.y) && e.z < 0.0f;
}
