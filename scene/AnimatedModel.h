#pragma once

#include "scene/MeshObject.h"
#include "scene/skeletonLoading.h"

#include <GL/glew.h>
#include <glm/glm.hpp>

#include <string>
#include <vector>

class Camera;
class ShaderProgram;
class Texture;

namespace plim::scene {

struct SkeletonNode;

// A skinned robot: a mesh with up to four bone influences per vertex, the
// pruned skeleton with the first animation's keys, and the current bone
// matrices that every draw uploads. A file that exceeds the loader's tables
// leaves an empty model, as one that does not import.
class AnimatedModel : public MeshObject {
public:
    // Takes the shared animated lit program from the registry. The centre
    // stands only for a model that stays empty.
    AnimatedModel(const glm::mat4& initialModelMatrix, const std::string& path, Texture* texture,
        ShaderProgram* depthShader, float uvScale, float cullMargin, const glm::vec3& initialCenter = glm::vec3(0.0f));
    ~AnimatedModel() override;

    void draw() override; // lit program and bone matrices, no other uniform

    // Culled against the camera with margin cullMargin, and against a light
    // with margin radius.
    bool drawLit(Camera viewer, bool noCulling) override;
    void drawDepth(const glm::vec3& lightPosition, const glm::mat4& lightView, const glm::mat4& lightProjection,
        bool cullingOff) override;
    glm::vec3 getCenter() const override;

    // Poses the skeleton for a clock value: see plim::scene::evaluateNode.
    void evaluateNode(const SkeletonNode* node, const glm::mat4* offsets, glm::mat4* transforms, double time,
        glm::mat4 parent) const;

    float cullMargin;
    GLuint boneIdBuffer = 0;
    GLuint boneWeightBuffer = 0;
    int boneCount = 0;
    glm::mat4 boneTransforms[boneMatrixCapacity];
    glm::mat4 boneOffsets[boneMatrixCapacity];
    std::vector<glm::ivec4> boneIds;
    std::vector<glm::vec4> boneWeights;
    SkeletonNode* skeleton = nullptr;
    BoneNameTable boneNames = {};

protected:
    void addDepthShape(DepthFingerprint& print) const override; // the bone matrices as well

private:
    bool load(const std::string& path);
    void createBuffersAndVertexArrays();
    int uploadedBoneCount() const;
};

} // namespace plim::scene
