#pragma once

#include "scene/MeshObject.h"

#include <glm/glm.hpp>

#include <string>

class Camera;
class ShaderProgram;
class Texture;

namespace plim::scene {

// A static mesh, drawn with the lit program it is given and the shared depth
// program.
class Model : public MeshObject {
public:
    // The centre stands only until the mesh replaces it; an empty model keeps it.
    Model(const glm::mat4& initialModelMatrix, const std::string& path, Texture* texture, ShaderProgram* shader,
        float centerX, float centerY, float centerZ, float uvScale);

    void draw() override; // with whatever program is current, no uniforms

    bool drawLit(Camera viewer, bool noCulling) override;
    bool drawLitPieces(const Camera& viewer, bool noCulling, PieceLighting& lighting) override;
    void drawDepth(const glm::vec3& lightPosition, const glm::mat4& lightView, const glm::mat4& lightProjection,
        bool cullingOff) override;
    glm::vec3 getCenter() const override;
    virtual void setTexture(Texture* newTexture);

private:
    bool loadMesh(const std::string& path);
    void createBuffersAndVertexArrays();
};

} // namespace plim::scene
