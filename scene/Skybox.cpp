#include "scene/Skybox.h"

#include "scene/Registry.h"
#include "scene/drawing.h"

namespace plim::scene {

Skybox::Skybox(const glm::mat4& initialModelMatrix)
    : SceneObject(initialModelMatrix)
    , attributeShader(cameraShader)
{
    buffers = createBoxBuffers(skyboxPositions, skyboxNormals, skyboxUvs, skyboxIndices);
    vao = createBoxVertexArray(attributeShader, buffers);
    unbindVertexState();
}

Skybox::~Skybox()
{
    deleteBoxBuffers(buffers);
    glDeleteVertexArrays(1, &vao);
}

void Skybox::update(double deltaTime)
{
    SceneObject::update(deltaTime);
}

void Skybox::draw()
{
    drawTriangles(vao, boxIndexCount);
}

void Skybox::translate(double x, double y, double z)
{
    SceneObject::translate(x, y, z);
}

void Skybox::scale(double x, double y, double z)
{
    SceneObject::scale(x, y, z);
}

void Skybox::rotate(double x, double y, double z, float angle)
{
    SceneObject::rotate(x, y, z, angle);
}

} // namespace plim::scene
