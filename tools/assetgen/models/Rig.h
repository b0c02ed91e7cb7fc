#pragma once

#include "ColladaWriter.h"
#include "Mesh.h"

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include <functional>
#include <string>
#include <vector>

namespace assetgen::models {

// What a dance does to one joint at one moment: a rotation relative to its
// parent (identity in the rest pose) and a shift of its rest offset.
struct JointMotion {
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec3 shift{0.0f};
};
using Pose = std::vector<JointMotion>;

// A skeleton for a robot that is modelled upright (y up, facing +z, feet on
// y = 0) at the size it shows in the game. Its scene placement may stretch
// it unevenly; the rig works in a squashed copy of the robot where bones
// stay rigid, so the stretch it shows in the game is the only distortion.
class Rig {
public:
    // `stretch` is the scale the robot's placement gives it along its own
    // axes (its sideways scales must be equal).
    explicit Rig(const glm::vec3& stretch = glm::vec3(1.0f));

    // Joints are added parents first; `position` is in the robot's shown size.
    int addJoint(const std::string& name, int parent, const glm::vec3& position);
    int jointCount() const { return static_cast<int>(names_.size()); }
    const std::string& name(int joint) const { return names_[static_cast<std::size_t>(joint)]; }
    int parent(int joint) const { return parents_[static_cast<std::size_t>(joint)]; }
    glm::vec3 rest(int joint) const { return rest_[static_cast<std::size_t>(joint)]; }
    glm::vec3 toRig(const glm::vec3& shown) const { return shown / stretch_; }
    glm::vec3 stretch() const { return stretch_; }

    Pose restPose() const { return Pose(names_.size()); }
    // Each joint's frame in rig space for a pose.
    std::vector<glm::mat4> globals(const Pose& pose) const;

    // Bends a leg (hip, knee and ankle joints in a chain) so the ankle
    // reaches `ankleTarget` (rig space) with the knee pointing `forward`,
    // and turns the foot to `footRotation` in rig space.
    void reachWithLeg(Pose& pose, int hip, int knee, int ankle, const glm::vec3& ankleTarget,
        const glm::quat& footRotation, const glm::vec3& forward) const;

private:
    glm::vec3 stretch_;
    std::vector<std::string> names_;
    std::vector<int> parents_;
    std::vector<glm::vec3> rest_; // rig space
};

// Everything needed to write a skinned, animated robot into a model file.
struct SkinnedRobot {
    std::string name;
    const Rig* rig = nullptr;
    Mesh mesh; // shown size, y up, facing +z, bone = joint index
    // From the rig's upright frame to the file's mesh space: must be rigid.
    glm::mat4 rigToModel{1.0f};
    bool zUp = false;
    std::vector<double> keyTimes; // in the game's clock units
    std::function<Pose(double time)> dance;
};

// The rigid frame that maps the rig of a robot standing at `feet` (world
// space), turned by `yawDegrees` about the vertical, into the mesh space of
// a file placed with `placement`.
glm::mat4 rigToModel(const glm::mat4& placement, const glm::vec3& feet, float yawDegrees, const glm::vec3& stretch);

// The COLLADA document of a skinned robot: one matrix key per joint and key
// time, written at the clock time / 1000 because importers report COLLADA
// seconds as milliseconds.
Bytes writeSkinnedRobot(const SkinnedRobot& robot);

// Key times from `start` to `end` inclusive, about `perUnit` per clock unit.
void appendKeyTimes(std::vector<double>& times, double start, double end, double perUnit);

} // namespace assetgen::models
