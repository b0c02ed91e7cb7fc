#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>

#include <vector>

class Camera;
class ShaderProgram;

// The visible light volume of one spotlight: an N x N grid over the light's
// depth map that the light-cone program lifts, point by point, to the surface
// the light sees. The caller binds that depth map and sets the unprojection.
class LightCone {
public:
    ShaderProgram* shader;
    std::vector<GLuint> indices;  // triangle list, two triangles per grid cell
    std::vector<GLfloat> vertices; // (i / (N-1), 1, j / (N-1)) at i * N + j
    int gridSize;                 // N >= 2
    glm::vec3 position;
    glm::vec3 direction;
    glm::vec3 color;
    float cosAngle;
    GLuint vao = 0;
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;

    // Needs lightConeShader built.
    LightCone(int gridSize, glm::vec3 position, glm::vec3 direction, float cosAngle, glm::vec3 color);
    ~LightCone();
    LightCone(const LightCone&) = delete;
    LightCone& operator=(const LightCone&) = delete;

    // Expects the spotlight's depth map on the unit named by "shadowTexture"
    // and "inverseProjection" already set on the light-cone program.
    void draw(Camera camera) const;
    void setDirection(glm::vec3 newDirection);
};
