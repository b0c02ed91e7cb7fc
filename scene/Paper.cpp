#include "scene/Paper.h"

#include "app/Camera.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"
#include "scene/Registry.h"
#include "scene/drawing.h"

namespace plim::scene {

Paper::Paper(const glm::mat4& initialModelMatrix, Texture* texture)
    : SceneObject(initialModelMatrix)
    , attributeShader(noteShader)
    , texture(texture)
{
    buffers = createBoxBuffers(boxPositions, boxNormals, boxUvs, boxIndices);
    vao = createBoxVertexArray(attributeShader, buffers);
    unbindVertexState();
    shader = new ShaderProgram("OpenGL/Shader/note.vert", "OpenGL/Shader/note.frag");
}

Paper::~Paper()
{
    delete shader;
    deleteBoxBuffers(buffers);
    glDeleteVertexArrays(1, &vao);
}

void Paper::draw()
{
    drawTriangles(vao, boxIndexCount);
}

void Paper::drawLit(Camera viewer)
{
    glViewport(0, 0, static_cast<GLsizei>(viewer.viewportWidth), static_cast<GLsizei>(viewer.viewportHeight));
    const GLuint program = shader->program;
    glUseProgram(program);
    setUniform(program, "projectionMatrix", viewer.projectionMatrix());
    setUniform(program, "modelMatrix", modelMatrix);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture ? texture->textureId : 0);
    setUniform(program, "colorTexture", 0);
    drawTriangles(vao, boxIndexCount);
}

Texture* Paper::getTexture() const
{
    return texture;
}

} // namespace plim::scene
