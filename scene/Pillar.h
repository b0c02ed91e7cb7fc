#pragma once

#include "scene/PieceLighting.h"
#include "scene/SceneObject.h"
#include "scene/boxGeometry.h"

#include <GL/glew.h>

class Camera;
class ShaderProgram;
class Texture;

namespace plim::scene {

// One instrument track's box on a pillar stack. Switched off at creation; while
// switched on it turns 90 degrees per second about its own y axis, and
// switching it off stops it where it stands.
class Pillar : public SceneObject {
public:
    Pillar(const glm::mat4& initialModelMatrix, ShaderProgram* shader, ShaderProgram* depthShader, Texture* texture,
        float vectorX, float vectorY, float vectorZ);
    ~Pillar() override;

    void update(double deltaTime) override; // turns only while active
    void draw() override;                   // no program, no uniforms

    // Lit draw without a visibility test; the stack tests for all three.
    // With a lighting, lit with the spotlights it picks for the pillar.
    virtual void drawLit(Camera viewer, PieceLighting* lighting = nullptr);
    virtual glm::vec3 getVector() const;
    virtual bool isActive() const;
    virtual bool toggle(); // returns the new state
    virtual void deactivate();
    virtual void activate();

    void drawDepth();

    GLuint litVao = 0;
    GLuint depthVao = 0;
    BoxBuffers buffers;
    ShaderProgram* shader;
    ShaderProgram* depthShader;
    bool active = false;
    Texture* texture;
    glm::vec3 vector;
};

} // namespace plim::scene
