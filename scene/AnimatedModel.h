#pragma once

#include "scene/SceneObject.h"
#include "scene/skeletonLoading.h"

#include <GL/glew.h>
#include <assimp/Importer.hpp>
#include <glm/glm.hpp>

#include <string>
#include <vector>

class Camera;
class ShaderProgram;
class Texture;

namespace plim::scene {

struct SkeletonNode;

// A skinned robot: the first mesh of a model file with up to four bone
// influences per vertex, the pruned skeleton with the first animation's keys,
// and the current bone matrices that every draw uploads. A file that does not
// import, or that exceeds the loader's tables, leaves an empty model that
// draws nothing.
class AnimatedModel : public SceneObject {
public:
    // Takes the shared animated lit program from the registry. The centre
    // stands only for a model that stays empty.
    AnimatedModel(const glm::mat4& initialModelMatrix, const std::string& path, Texture* texture,
        ShaderProgram* depthShader, float uvScale, float cullMargin, const glm::vec3& initialCenter = glm::vec3(0.0f));
    ~AnimatedModel() override;

    void update(double deltaTime) override;
    void draw() override; // lit program and bone matrices, no other uniform
    void translate(double x, double y, double z) override;
    void scale(double x, double y, double z) override; // also scales radius by the largest factor
    void rotate(double x, double y, double z, float angle) override;

    // False when culled (margin cullMargin); then nothing is bound or drawn.
    virtual bool drawLit(Camera viewer, bool noCulling);
    virtual ShaderProgram* getShader() const;
    virtual glm::vec3 getCenter() const;

    // Shadow pass, culled against the light with margin radius unless
    // culling is off.
    void drawDepth(const glm::vec3& lightPosition, const glm::mat4& lightView, const glm::mat4& lightProjection);

    // Poses the skeleton for a clock value: see plim::scene::evaluateNode.
    void evaluateNode(const SkeletonNode* node, const glm::mat4* offsets, glm::mat4* transforms, double time,
        glm::mat4 parent) const;

    Assimp::Importer importer;
    glm::vec3 center;
    float cullMargin;
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
    GLuint boneIdBuffer = 0;
    GLuint boneWeightBuffer = 0;
    int boneCount = 0;
    glm::mat4 boneTransforms[boneMatrixCapacity];
    glm::mat4 boneOffsets[boneMatrixCapacity];
    std::vector<glm::ivec4> boneIds;
    std::vector<glm::vec4> boneWeights;
    SkeletonNode* skeleton = nullptr;
    BoneNameTable boneNames = {};

private:
    bool load(const std::string& path);
    void createBuffersAndVertexArrays();
    int uploadedBoneCount() const;
};

} // namespace plim::scene
