#include "scene/Pillar.h"

#include "app/Camera.h"
#include "scene/drawing.h"

namespace plim::scene {

Pillar::Pillar(const glm::mat4& initialModelMatrix, ShaderProgram* shader, ShaderProgram* depthShader,
    Texture* texture, float vectorX, float vectorY, float vectorZ)
    : SceneObject(initialModelMatrix)
    , shader(shader)
    , depthShader(depthShader)
    , texture(texture)
    , vector(vectorX, vectorY, vectorZ)
{
    buffers = createBoxBuffers(boxPositions, boxNormals, boxUvs, boxIndices);
    litVao = createBoxVertexArray(shader, buffers);
    depthVao = createPositionVertexArray(depthShader, buffers);
    unbindVertexState();
}

Pillar::~Pillar()
{
    deleteBoxBuffers(buffers);
    const GLuint vertexArrays[] = {litVao, depthVao};
    glDeleteVertexArrays(2, vertexArrays);
}

void Pillar::update(double deltaTime)
{
    if (active)
        SceneObject::update(deltaTime);
}

void Pillar::draw()
{
    drawTriangles(litVao, boxIndexCount);
}

void Pillar::drawLit(Camera viewer, PieceLighting* lighting)
{
    const GLuint program = litBoxProgram(shader, lighting, modelMatrix);
    uploadLitUniforms(program, viewer, modelMatrix, texture, {0.05f, 1.0f, true});
    drawSurface(litVao, boxIndexCount, boxIsClosed(), modelMatrix);
}

glm::vec3 Pillar::getVector() const
{
    return vector;
}

bool Pillar::isActive() const
{
    return active;
}

bool Pillar::toggle()
{
    active = !active;
    return active;
}

void Pillar::deactivate()
{
    active = false;
}

void Pillar::activate()
{
    active = true;
}

void Pillar::drawDepth()
{
    const GLuint program = programName(depthShader);
    glUseProgram(program);
    setUniform(program, "modelMatrix", modelMatrix);
    drawSurface(depthVao, boxIndexCount, boxIsClosed(), modelMatrix);
}

} // namespace plim::scene
