#pragma once

#include "scene/DepthFingerprint.h"
#include "scene/PieceLighting.h"
#include "scene/SceneObject.h"

#include <GL/glew.h>
#include <assimp/Importer.hpp>
#include <glm/glm.hpp>

#include <vector>

class Camera;
class ShaderProgram;
class Texture;

namespace plim::scene {

struct MeshArrays;

// What a static model and a skinned robot share: the first mesh of a model
// file, kept on the GPU in one vertex array for the lit program and one for
// the depth program from the same buffers, its texture, and a bounding sphere
// for the visibility test; and the two draws the frame's passes make of it.
// A file that does not import leaves an empty object that draws nothing.
class MeshObject : public SceneObject {
public:
    MeshObject(const glm::mat4& initialModelMatrix, Texture* texture, ShaderProgram* shader,
        ShaderProgram* depthShader, float uvScale, const glm::vec3& initialCenter);
    ~MeshObject() override;

    void scale(double x, double y, double z) override; // also scales radius by the largest factor

    // False when culled; then nothing is bound or drawn.
    virtual bool drawLit(Camera viewer, bool noCulling) = 0;
    // The same, each piece with the program the lighting picks for it. The
    // static models light that way; the others draw as drawLit does.
    virtual bool drawLitPieces(const Camera& viewer, bool noCulling, PieceLighting& lighting);
    // Shadow pass: the caller has set the light's matrix on the depth
    // program. Culled against the light unless culling is off.
    virtual void drawDepth(const glm::vec3& lightPosition, const glm::mat4& lightView,
        const glm::mat4& lightProjection, bool cullingOff) = 0;
    // Whether drawDepth draws anything for this light: a mesh, not culled
    // against it.
    bool castsShadowFrom(const glm::vec3& lightPosition, const glm::mat4& lightView,
        const glm::mat4& lightProjection, bool cullingOff) const;
    // Adds what drawDepth would draw for the light: nothing when culled, else
    // the mesh as placed (addDepthShape).
    void fingerprintDepth(DepthFingerprint& print, const glm::vec3& lightPosition, const glm::mat4& lightView,
        const glm::mat4& lightProjection, bool cullingOff) const;
    virtual ShaderProgram* getShader() const;
    virtual glm::vec3 getCenter() const = 0; // world-space centre of the bounding sphere

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

    // Runs of the element buffer with their bounding spheres in model space,
    // so that the lit pass can light each part of a large mesh with only the
    // spotlights that reach it. Empty: the mesh is one piece.
    struct Piece {
        GLuint firstIndex;
        GLuint indexCount;
        glm::vec3 centre;
        float radius;
    };
    std::vector<Piece> pieces;
    // Makes each run of consecutive triangles that lie in one cell, about
    // cellSize world units across (as the object is placed now), a piece.
    // The element buffer stays as it is.
    void divideIntoPieces(float cellSize);
    // A bounding sphere in world space for one in model space: the centre
    // placed, the radius grown by the placement's largest scale.
    glm::vec3 worldCentreOf(const glm::vec3& centre) const;
    float worldRadiusOf(float radius) const;

protected:
    // The mesh, its face culling and its placement; a robot adds its pose.
    virtual void addDepthShape(DepthFingerprint& print) const;
    // Takes the mesh's vertex arrays, counts, bounding box and closedness;
    // the centre and radius are the caller's to work out.
    void takeMesh(MeshArrays& arrays);
    // The five vertex buffers of the mesh and the lit vertex array with
    // position, normal, uv and tangent bound, left bound for the caller's
    // further attributes; the element buffer is bound to it.
    void createMeshBuffersAndLitArray();
};

} // namespace plim::scene
