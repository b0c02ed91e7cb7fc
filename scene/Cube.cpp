#include "scene/Cube.h"

#include "app/Camera.h"
#include "scene/drawing.h"

namespace plim::scene {

namespace {

// The metal texture repeats 150 times across each face of the pole.
struct CubeUvs {
    GLfloat values[boxVertexCount * 2];
    CubeUvs()
    {
        for (int i = 0; i < boxVertexCount * 2; ++i)
            values[i] = boxUvs[i] * 150.0f;
    }
};

} // namespace

Cube::Cube(const glm::mat4& initialModelMatrix, ShaderProgram* shader, ShaderProgram* depthShader, Texture* texture)
    : SceneObject(initialModelMatrix)
    , shader(shader)
    , depthShader(depthShader)
    , texture(texture)
{
    const CubeUvs uvs;
    buffers = createBoxBuffers(boxPositions, boxNormals, uvs.values, boxIndices);
    litVao = createBoxVertexArray(shader, buffers);
    depthVao = createPositionVertexArray(depthShader, buffers);
    unbindVertexState();
}

Cube::~Cube()
{
    deleteBoxBuffers(buffers);
    const GLuint vertexArrays[] = {litVao, depthVao};
    glDeleteVertexArrays(2, vertexArrays);
}

void Cube::draw()
{
    glUseProgram(programName(shader));
    drawTriangles(litVao, boxIndexCount);
}

void Cube::drawLit(Camera viewer, bool transparent, PieceLighting* lighting)
{
    const GLuint program = litBoxProgram(shader, lighting, modelMatrix);
    uploadLitUniforms(program, viewer, modelMatrix, texture, {0.2f, transparent ? 0.5f : 1.0f, false});
    if (!transparent) {
        drawTriangles(litVao, boxIndexCount);
        return;
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_CULL_FACE);
    glBindVertexArray(litVao);
    glCullFace(GL_FRONT);
    glDrawElements(GL_TRIANGLES, boxIndexCount, GL_UNSIGNED_INT, nullptr);
    glCullFace(GL_BACK);
    glDrawElements(GL_TRIANGLES, boxIndexCount, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
}

void Cube::drawDepth()
{
    const GLuint program = programName(depthShader);
    glUseProgram(program);
    setUniform(program, "modelMatrix", modelMatrix);
    drawTriangles(depthVao, boxIndexCount);
}

} // namespace plim::scene
