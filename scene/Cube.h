#pragma once

#include "scene/PieceLighting.h"
#include "scene/SceneObject.h"
#include "scene/boxGeometry.h"

#include <GL/glew.h>

class Camera;
class ShaderProgram;
class Texture;

namespace plim::scene {

// The pole of a pillar stack: a textured box lit like the models, drawn
// opaque or see-through, that also casts a shadow. Never culled.
class Cube : public SceneObject {
public:
    Cube(const glm::mat4& initialModelMatrix, ShaderProgram* shader, ShaderProgram* depthShader, Texture* texture);
    ~Cube() override;

    void draw() override; // makes its own lit program current, sets no uniform

    // Transparent: alpha 0.5, blended, inner faces first and outer faces
    // second; blending and face culling are off again afterwards.
    // With a lighting, lit with the spotlights it picks for the box.
    virtual void drawLit(Camera viewer, bool transparent, PieceLighting* lighting = nullptr);
    void drawDepth();

    GLuint litVao = 0;
    GLuint depthVao = 0;
    BoxBuffers buffers;
    ShaderProgram* shader;
    ShaderProgram* depthShader;
    Texture* texture;
};

} // namespace plim::scene
