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

void Skybox::draw()
{
    drawTriangles(vao, boxIndexCount);
}

} // namespace plim::scene
