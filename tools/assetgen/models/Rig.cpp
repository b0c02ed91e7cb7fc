#include "Rig.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <stdexcept>

namespace assetgen::models {

namespace {

// An orthonormal frame with y along `direction` and z towards `pole`.
glm::mat3 frameAlong(const glm::vec3& direction, const glm::vec3& pole)
{
    glm::vec3 y = glm::normalize(direction);
    glm::vec3 z = pole - glm::dot(pole, y) * y;
    if (glm::length(z) < 1e-6f)
        z = glm::vec3(0, 0, 1) - y.z * y;
    z = glm::normalize(z);
    return glm::mat3(glm::cross(y, z), y, z);
}

glm::mat4 poseMatrix(const glm::vec3& offset, const JointMotion& motion)
{
    return glm::translate(glm::mat4(1.0f), offset + motion.shift) * glm::mat4_cast(motion.rotation);
}

} // namespace

Rig::Rig(const glm::vec3& stretch) : stretch_(stretch)
{
    if (std::fabs(stretch.x - stretch.z) > 1e-6f)
        throw std::runtime_error("a rig's sideways stretch must be equal");
}

int Rig::addJoint(const std::string& name, int parent, const glm::vec3& position)
{
    if (parent >= jointCount())
        throw std::runtime_error("joint added before its parent: " + name);
    names_.push_back(name);
    parents_.push_back(parent);
    rest_.push_back(toRig(position));
    return jointCount() - 1;
}

std::vector<glm::mat4> Rig::globals(const Pose& pose) const
{
    std::vector<glm::mat4> result(names_.size());
    for (std::size_t j = 0; j < names_.size(); ++j) {
        int p = parents_[j];
        glm::vec3 offset = p < 0 ? rest_[j] : rest_[j] - rest_[static_cast<std::size_t>(p)];
        glm::mat4 local = poseMatrix(offset, pose[j]);
        result[j] = p < 0 ? local : result[static_cast<std::size_t>(p)] * local;
    }
    return result;
}

void Rig::reachWithLeg(Pose& pose, int hip, int knee, int ankle, const glm::vec3& ankleTarget,
    const glm::quat& footRotation, const glm::vec3& forward) const
{
    pose[static_cast<std::size_t>(hip)].rotation = glm::quat(1, 0, 0, 0);
    pose[static_cast<std::size_t>(knee)].rotation = glm::quat(1, 0, 0, 0);
    std::vector<glm::mat4> g = globals(pose);
    glm::mat3 parentRotation = parents_[static_cast<std::size_t>(hip)] < 0
        ? glm::mat3(1.0f)
        : glm::mat3(g[static_cast<std::size_t>(parents_[static_cast<std::size_t>(hip)])]);
    glm::vec3 h = glm::vec3(g[static_cast<std::size_t>(hip)][3]);
    glm::vec3 restHip = rest(hip), restKnee = rest(knee), restAnkle = rest(ankle);
    float upper = glm::length(restKnee - restHip), lower = glm::length(restAnkle - restKnee);
    glm::vec3 reach = ankleTarget - h;
    float distance = glm::clamp(glm::length(reach), std::fabs(upper - lower) + 1e-4f, upper + lower - 1e-4f);
    glm::vec3 along = glm::normalize(reach);
    glm::vec3 bend = forward - glm::dot(forward, along) * along;
    bend = glm::length(bend) > 1e-6f ? glm::normalize(bend) : glm::vec3(0, 0, 1);
    float a = (upper * upper - lower * lower + distance * distance) / (2.0f * distance);
    float side = std::sqrt(std::max(0.0f, upper * upper - a * a));
    glm::vec3 k = h + along * a + bend * side;
    glm::vec3 anklePoint = h + along * distance;

    glm::mat3 thigh = frameAlong(k - h, forward) * glm::transpose(frameAlong(restKnee - restHip, forward));
    glm::mat3 shin = frameAlong(anklePoint - k, forward) * glm::transpose(frameAlong(restAnkle - restKnee, forward));
    glm::mat3 foot = glm::mat3_cast(footRotation);
    pose[static_cast<std::size_t>(hip)].rotation = glm::normalize(glm::quat_cast(glm::transpose(parentRotation) * thigh));
    pose[static_cast<std::size_t>(knee)].rotation = glm::normalize(glm::quat_cast(glm::transpose(thigh) * shin));
    pose[static_cast<std::size_t>(ankle)].rotation = glm::normalize(glm::quat_cast(glm::transpose(shin) * foot));
}

glm::mat4 rigToModel(const glm::mat4& placement, const glm::vec3& feet, float yawDegrees, const glm::vec3& stretch)
{
    glm::mat4 world = glm::rotate(glm::translate(glm::mat4(1.0f), feet), glm::radians(yawDegrees), glm::vec3(0, 1, 0));
    glm::mat4 result = glm::inverse(placement) * world * glm::scale(glm::mat4(1.0f), stretch);
    glm::mat3 linear(result);
    glm::mat3 check = glm::transpose(linear) * linear;
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            if (std::fabs(check[c][r] - (c == r ? 1.0f : 0.0f)) > 1e-4f)
                throw std::runtime_error("a robot's placement stretches it in a way its rig cannot follow");
    return result;
}

void appendKeyTimes(std::vector<double>& times, double start, double end, double perUnit)
{
    int steps = std::max(2, static_cast<int>(std::ceil((end - start) * perUnit)));
    for (int i = 0; i <= steps; ++i) {
        double t = i == steps ? end : start + (end - start) * i / steps;
        if (times.empty() || t > times.back() + 1e-9)
            times.push_back(t);
    }
}

namespace {

// The game's loader keeps at most 30 bones and 4 influences a vertex, drops
// weights under 0.2, and the importer drops joints no vertex follows (their
// children would then lose their parents' motion): refuse such a robot.
void checkSkin(const SkinnedRobot& robot)
{
    const Rig& rig = *robot.rig;
    if (rig.jointCount() > 30)
        throw std::runtime_error(robot.name + ": more than 30 bones");
    std::vector<bool> followed(static_cast<std::size_t>(rig.jointCount()), false);
    for (std::size_t v = 0; v < robot.mesh.vertexCount(); ++v) {
        float sum = 0.0f;
        for (int k = 0; k < 4; ++k) {
            float w = robot.mesh.boneWeights[v][k];
            if (w <= 0.0f)
                continue;
            int bone = robot.mesh.boneIds[v][k];
            if (w < 0.2f || bone < 0 || bone >= rig.jointCount())
                throw std::runtime_error(robot.name + ": a vertex weight the game's loader would drop");
            followed[static_cast<std::size_t>(bone)] = true;
            sum += w;
        }
        if (std::fabs(sum - 1.0f) > 1e-4f)
            throw std::runtime_error(robot.name + ": vertex weights that do not add up to 1");
    }
    for (int j = 0; j < rig.jointCount(); ++j) {
        if (!followed[static_cast<std::size_t>(j)])
            throw std::runtime_error(robot.name + ": no vertex follows the joint " + rig.name(j));
        if (rig.name(j).size() >= 150)
            throw std::runtime_error(robot.name + ": a joint name too long for the game");
    }
}

} // namespace

Bytes writeSkinnedRobot(const SkinnedRobot& robot)
{
    checkSkin(robot);
    const Rig& rig = *robot.rig;
    glm::mat4 shownToRig = glm::scale(glm::mat4(1.0f), 1.0f / rig.stretch());
    Mesh mesh = robot.mesh;
    mesh.transform(robot.rigToModel * shownToRig);

    ColladaDocument document;
    document.name = robot.name;
    document.mesh = &mesh;
    document.zUp = robot.zUp;
    for (int j = 0; j < rig.jointCount(); ++j)
        document.joints.push_back(
            {rig.name(j), rig.parent(j), robot.rigToModel * glm::translate(glm::mat4(1.0f), rig.rest(j))});
    document.keys.assign(static_cast<std::size_t>(rig.jointCount()), {});
    for (double time : robot.keyTimes) {
        document.keyTimes.push_back(time / 1000.0);
        Pose pose = robot.dance(time);
        for (int j = 0; j < rig.jointCount(); ++j) {
            int p = rig.parent(j);
            glm::vec3 offset = p < 0 ? rig.rest(j) : rig.rest(j) - rig.rest(p);
            glm::mat4 local = glm::translate(glm::mat4(1.0f), offset + pose[static_cast<std::size_t>(j)].shift)
                * glm::mat4_cast(pose[static_cast<std::size_t>(j)].rotation);
            if (p < 0)
                local = robot.rigToModel * local;
            document.keys[static_cast<std::size_t>(j)].push_back(local);
        }
    }
    return writeCollada(document);
}

} // namespace assetgen::models
