#pragma once

#include "scene/SceneObject.h"

#include <GL/glew.h>
#include <assimp/Importer.hpp>
#include <glm/glm.hpp>

#include <string>
#include <vector>

class Camera;
class ShaderProgram;
class Texture;

namespace plim::scene {

// A static mesh: the first mesh of a model file, kept on the GPU in one
// vertex array for its lit program and one for the shared depth program, with
// a bounding sphere for the visibility test. A file that does not import
// leaves an empty model that draws nothing.
class Model : public SceneObject {
public:
    // The centre stands only until the mesh replaces it; an empty model keeps it.
    Model(const glm::mat4& initialModelMatrix, const std::string& path, Texture* texture, ShaderProgram* shader,
        float centerX, float centerY, float centerZ, float uvScale);
    ~Model() override;

    void update(double deltaTime) override;
    void draw() override; // with whatever program is current, no uniforms
    void translate(double x, double y, double z) override;
    void scale(double x, double y, double z) override; // also scales radius by the largest factor
    void rotate(double x, double y, double z, float angle) override;

    // False when culled; then nothing is bound or drawn.
    virtual bool drawLit(Camera viewer, bool noCulling);
    virtual ShaderProgram* getShader() const;
    virtual glm::vec3 getCenter() const; // world-space centre of the bounding sphere
    virtual void setTexture(Texture* newTexture);

    // Shadow pass: the caller has made the depth program current and set the
    // light's matrix on it. Culled against the light unless culling is off.
    void drawDepth(const glm::vec3& lightPosition, const glm::mat4& lightView, const glm::mat4& lightProjection);

    Assimp::Importer importer;
    glm::vec3 center;
    ShaderProgram* shader;
    Texture* texture;
    ShaderProgram* depthShader;
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;
    std::vector<GLuint> indices;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> tangents;
    float uvScale;
    GLuint vertexCount = 0;
    GLuint indexCount = 0;
    bool closedSurface = false; // back faces left out of the lit and depth drawing
    glm::vec3 boxMax{0.0f};
    glm::vec3 boxMin{0.0f};
    float radius = 0.0f;
    GLuint litVao = 0;
    GLuint depthVao = 0;
    GLuint positionBuffer = 0;
    GLuint normalBuffer = 0;
    GLuint indexBuffer = 0;
    GLuint uvBuffer = 0;
    GLuint tangentBuffer = 0;

private:
    bool loadMesh(const std::string& path);
    void createBuffersAndVertexArrays();
};

} // namespace plim::scene
