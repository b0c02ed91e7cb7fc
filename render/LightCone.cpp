#include "render/LightCone.h"

#include "app/Camera.h"
#include "render/ShaderProgram.h"
#include "scene/Registry.h"

#include <glm/gtc/type_ptr.hpp>

LightCone::LightCone(int gridSize, glm::vec3 position, glm::vec3 direction, float cosAngle, glm::vec3 color)
    : shader(lightConeShader)
    , gridSize(gridSize)
    , position(position)
    , direction(direction)
    , color(color)
    , cosAngle(cosAngle)
{
    const int n = gridSize;
    vertices.resize(static_cast<size_t>(n) * n * 3);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            GLfloat* point = &vertices[static_cast<size_t>(i * n + j) * 3];
            point[0] = static_cast<float>(i) / static_cast<float>(n - 1);
            point[1] = 1.0f;
            point[2] = static_cast<float>(j) / static_cast<float>(n - 1);
        }
    }

    indices.resize(static_cast<size_t>(n - 1) * (n - 1) * 6);
    for (int i = 0; i < n - 1; ++i) {
        for (int j = 0; j < n - 1; ++j) {
            GLuint* cell = &indices[static_cast<size_t>((n - 1) * i + j) * 6];
            const GLuint corner = static_cast<GLuint>(i * n + j);
            const GLuint below = corner + static_cast<GLuint>(n);
            cell[0] = corner;
            cell[1] = corner + 1;
            cell[2] = below;
            cell[3] = below;
            cell[4] = corner + 1;
            cell[5] = below + 1;
        }
    }

    glGenBuffers(1, &vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(GLfloat)), vertices.data(),
        GL_STATIC_DRAW);
    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)), indices.data(),
        GL_STATIC_DRAW);

    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    GLint location = glGetAttribLocation(shader->program, "position");
    if (location != -1) {
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

LightCone::~LightCone()
{
    glDeleteVertexArrays(1, &vao);
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteBuffers(1, &indexBuffer);
}

void LightCone::draw(Camera camera) const
{
    shader->use();
    const GLuint program = shader->program;
    const glm::mat4 cameraMatrix = camera.viewProjectionMatrix();
    const glm::mat4 identity(1.0f);
    glUniformMatrix4fv(glGetUniformLocation(program, "cameraMatrix"), 1, GL_FALSE, glm::value_ptr(cameraMatrix));
    glUniform3fv(glGetUniformLocation(program, "Lpos"), 1, glm::value_ptr(position));
    glUniform3fv(glGetUniformLocation(program, "Lightcolor"), 1, glm::value_ptr(color));
    glUniform3fv(glGetUniformLocation(program, "Ldir"), 1, glm::value_ptr(direction));
    glUniform1f(glGetUniformLocation(program, "angle"), cosAngle);
    glUniformMatrix4fv(glGetUniformLocation(program, "modelMatrix"), 1, GL_FALSE, glm::value_ptr(identity));

    glBindVertexArray(vao);
    glDrawElements(GL_TRIANGLES, 6 * (gridSize - 1) * (gridSize - 1), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

void LightCone::setDirection(glm::vec3 newDirection)
{
    direction = newDirection;
}
