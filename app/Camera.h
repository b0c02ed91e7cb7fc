#pragma once

#include <glm/glm.hpp>

// The player's eye: pose, projection, viewport and a point light that travels
// with it. Exactly 17 floats, copied by value into every lit draw.
class Camera {
public:
    glm::vec3 position{0.0f, 0.0f, 1.0f};
    float yawDegrees = 0.0f;   // about +Y, kept in [0, 360)
    float pitchDegrees = 0.0f; // about +X, clamped to [-85, 85]; positive looks down
    float fieldOfViewDegrees = 50.0f;
    float nearClip = 0.01f;
    float farClip = 200.0f;
    float aspectRatio = 4.0f / 3.0f;
    float viewportWidth = 0.0f;
    float viewportHeight = 0.0f;
    glm::vec3 lightIntensities{0.0f, 0.0f, 0.0f};
    glm::vec3 lightPosition{0.0f, 0.0f, 0.0f};

    glm::mat4 rotationMatrix() const;
    glm::vec3 forwardVector() const;
    glm::vec3 rightVector() const;
    glm::mat4 viewMatrix() const;
    glm::mat4 projectionMatrix() const;
    glm::mat4 viewProjectionMatrix() const;

    void move(glm::vec3 offset);
    void turn(float pitchDelta, float yawDelta);
    // The point must differ from the position.
    void faceTowards(glm::vec3 point);

    // Moves the camera radially out of the circle of radius a + b about the
    // centre in the XZ plane; does nothing when standing on the centre.
    void pushOutOfCircle(float radiusA, float centreX, float centreZ, float radiusB);
    // -1 when the camera is within a + b of the centre in the XZ plane,
    // otherwise the squared XZ distance.
    float rangeTest(float radiusA, float centreX, float centreZ, float radiusB) const;
    // True when the point lies within radius of the line of sight, in front.
    bool isLookingAt(glm::vec3 point, float radius) const;

private:
    void wrapAndClampAngles();
};

static_assert(sizeof(Camera) == 17 * sizeof(float), "Camera must stay 17 floats");

extern Camera camera;
