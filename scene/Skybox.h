#pragma once

#include "scene/SceneObject.h"
#include "scene/boxGeometry.h"

#include <GL/glew.h>

class ShaderProgram;

namespace plim::scene {

// The large textured box around the whole scene. It has no lit draw: the
// frame rendering makes the projection program current, sets its uniforms and
// calls draw. The vertex array takes its locations from the shared camera
// program, which must therefore place the attributes where the projection
// program does.
class Skybox : public SceneObject {
public:
    explicit Skybox(const glm::mat4& initialModelMatrix);
    ~Skybox() override;

    void draw() override; // with whatever program is current

    GLuint vao = 0;
    BoxBuffers buffers;
    ShaderProgram* attributeShader;
};

} // namespace plim::scene
