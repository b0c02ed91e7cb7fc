#pragma once

#include "scene/SceneObject.h"
#include "scene/boxGeometry.h"

#include <GL/glew.h>

class Camera;
class ShaderProgram;
class Texture;

namespace plim::scene {

// A textured card over the finished frame (help screen, level notes). It is
// drawn in camera space with the projection only, so it stays in front of the
// eye however the camera moves. Owns its own copy of the note program.
class Paper : public SceneObject {
public:
    // Needs the shared note program (for the attribute locations) to exist.
    Paper(const glm::mat4& initialModelMatrix, Texture* texture);
    ~Paper() override;

    void draw() override; // no program, no uniforms

    // Sets the viewport to the camera's, so the card covers the window even
    // after an off-screen pass of another size.
    virtual void drawLit(Camera viewer);
    virtual Texture* getTexture() const;

    GLuint vao = 0;
    BoxBuffers buffers;
    ShaderProgram* attributeShader;
    ShaderProgram* shader = nullptr;
    Texture* texture;
};

} // namespace plim::scene
