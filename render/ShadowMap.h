#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>

#include <cstdint>
#include <optional>

// A spotlight with the square depth map that it renders its casters into. The
// map is sampled with depth comparison (GL_LESS, linear), so lit shaders read it
// through a sampler2DShadow. Only the rotation changes after construction.
class ShadowMap {
public:
    float angle;      // half-angle of the cone in degrees
    int size;         // side of the depth map in texels
    glm::mat4 rotation{1.0f};
    glm::vec3 position;
    glm::vec3 direction; // before rotation
    glm::vec3 up;        // never rotated
    glm::vec3 intensities;
    glm::vec3 rotationAxis;
    GLuint depthTexture = 0;
    GLuint framebuffer = 0;
    bool complete = true; // an incomplete map is never rendered and stays empty
    // What the map's last depth pass drew (shadowPasses), none before the
    // first: a pass that would draw the same again is left out.
    std::optional<std::uint64_t> drawnFingerprint;

    // Leaves texture unit 1 active with the depth texture bound, and the
    // default framebuffer bound with its draw buffer back.
    ShadowMap(glm::vec3 position, glm::vec3 direction, glm::vec3 up, glm::vec3 intensities,
        glm::vec3 rotationAxis, int size, float angle);
    ~ShadowMap();
    ShadowMap(const ShadowMap&) = delete;
    ShadowMap& operator=(const ShadowMap&) = delete;

    // Cosine of the half-angle, the form the shaders compare against.
    float getAngleCosine() const;
    glm::vec3 getPosition() const;
    glm::vec3 getIntensities() const;
    // The direction turned by the accumulated rotation, not normalised.
    glm::vec3 getDirection() const;
    glm::mat4 getViewMatrix() const;
    // Square frustum of twice the half-angle, from 0.01 to 10 units.
    glm::mat4 getProjectionMatrix() const;
    glm::mat4 getLightMatrix() const;

    // Makes the map the render target and clears it; does nothing when the
    // map is incomplete, so the casters then land in whatever target is bound.
    void bindForDepthPass() const;
    void bindTexture(int unit) const;
    // Turns the light by 90 degrees per second about its axis.
    void rotate(float deltaTime);
};
