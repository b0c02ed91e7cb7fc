// The third robot: a boxy walker with an old television for a head, rabbit
// ear antennae and accordion arms, bouncing on its knees.
#include "Dance.h"
#include "Models.h"
#include "Placements.h"
#include "Rig.h"
#include "Shapes.h"
#include "TellyLayout.h"
#include "Transforms.h"

namespace assetgen::models {

namespace {

using namespace telly;

enum Joint { Hips, Body, Head, Antennae, ShoulderL, HandL, ShoulderR, HandR, HipL, KneeL, AnkleL, HipR, KneeR, AnkleR };

const glm::vec3 stretch(0.5f, 0.7f, 0.5f);
const glm::vec3 feet(-4.5f, 0.0f, -0.5f);
constexpr float yaw = 150.0f;

Rig makeRig()
{
    Rig rig(stretch);
    rig.addJoint("hips", -1, {0, 0.5f, 0});
    rig.addJoint("body", Hips, {0, 0.56f, 0});
    rig.addJoint("head", Body, {0, 0.98f, 0});
    rig.addJoint("antennae", Head, {0, 1.36f, 0});
    for (float side : {1.0f, -1.0f}) {
        const char* s = side > 0 ? "L" : "R";
        int shoulder = rig.addJoint(std::string("shoulder") + s, Body, {0.3f * side, 0.86f, 0});
        rig.addJoint(std::string("hand") + s, shoulder, {0.36f * side, 0.58f, 0.03f});
    }
    for (float side : {1.0f, -1.0f}) {
        const char* s = side > 0 ? "L" : "R";
        int hip = rig.addJoint(std::string("hip") + s, Hips, {0.13f * side, 0.46f, 0});
        int knee = rig.addJoint(std::string("knee") + s, hip, {0.13f * side, 0.29f, 0.02f});
        rig.addJoint(std::string("ankle") + s, knee, {0.13f * side, 0.12f, 0});
    }
    return rig;
}

// An accordion tube from a to b.
void addBellows(Mesh& mesh, const glm::vec3& a, const glm::vec3& b, float radius, int folds)
{
    glm::vec3 axis = b - a;
    float length = glm::length(axis);
    glm::vec3 y = axis / length;
    glm::vec3 x = glm::normalize(glm::cross(std::fabs(y.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0), y));
    glm::mat4 frame(glm::vec4(x, 0), glm::vec4(y, 0), glm::vec4(glm::cross(x, y), 0), glm::vec4(a, 1));
    std::vector<glm::vec2> profile{{0, 0}};
    for (int i = 0; i <= 2 * folds; ++i)
        profile.emplace_back(i % 2 ? radius : radius * 0.78f, length * static_cast<float>(i) / static_cast<float>(2 * folds));
    profile.emplace_back(0, length);
    addLathe(mesh, frame, profile, 14, bellows, true);
}

void addBody(Mesh& mesh, const Rig& rig)
{
    auto shown = [&](int joint) { return rig.rest(joint) * stretch; };
    mesh.bone = Hips;
    addBox(mesh, glm::mat4(1.0f), {-0.2f, 0.42f, -0.14f}, {0.2f, 0.56f, 0.14f}, dark);
    mesh.bone = Body;
    BoxFaces faces = BoxFaces::all(panel);
    faces.positiveZ = bodyFront;
    addBox(mesh, glm::mat4(1.0f), {-0.27f, 0.54f, -0.18f}, {0.27f, 0.96f, 0.18f}, faces);
    // A big tuning dial and two knobs on the chest, a vent on the back.
    addCylinder(mesh, at(-0.1f, 0.8f, 0.18f) * turned(90, xAxis), 0.07f, 0.0f, 0.025f, 20, knob);
    for (float x : {0.08f, 0.17f})
        addCylinder(mesh, at(x, 0.84f, 0.18f) * turned(90, xAxis), 0.035f, 0.0f, 0.04f, 12, knob);
    addBox(mesh, glm::mat4(1.0f), {-0.15f, 0.62f, 0.17f}, {0.2f, 0.68f, 0.2f}, chrome);
    mesh.bone = Head;
    addCylinder(mesh, glm::mat4(1.0f), 0.05f, 0.94f, 1.02f, 12, chrome);
    BoxFaces tv = BoxFaces::all(panel);
    tv.positiveZ = screen;
    addBox(mesh, glm::mat4(1.0f), {-0.26f, 1.0f, -0.2f}, {0.26f, 1.36f, 0.2f}, tv);
    for (float y : {1.26f, 1.12f})
        addCylinder(mesh, at(0.27f, y, 0.1f) * turned(-90, zAxis), 0.03f, 0.0f, 0.03f, 12, knob);
    mesh.bone = Antennae;
    addSphere(mesh, at(0, 1.37f, 0) * scaled(1.0f, 0.5f, 1.0f), 0.06f, 12, 6, chrome);
    for (float side : {-1.0f, 1.0f}) {
        glm::vec3 tip(side * 0.2f, 1.64f, -0.04f);
        addRod(mesh, {0, 1.38f, 0}, tip, 0.008f, 6, chrome);
        addSphere(mesh, at(tip), 0.025f, 8, 6, knob);
    }
    for (int shoulder : {ShoulderL, ShoulderR}) {
        mesh.bone = shoulder;
        addSphere(mesh, at(shown(shoulder)), 0.07f, 12, 8, chrome);
        addBellows(mesh, shown(shoulder), shown(shoulder + 1), 0.055f, 6);
        mesh.bone = shoulder + 1;
        glm::vec3 h = shown(shoulder + 1);
        addSphere(mesh, at(h + glm::vec3(0, -0.04f, 0)) * scaled(1.0f, 1.2f, 0.8f), 0.065f, 12, 8, knob);
    }
    for (int hip : {HipL, HipR}) {
        glm::vec3 p = shown(hip), k = shown(hip + 1), a = shown(hip + 2);
        mesh.bone = hip;
        addSphere(mesh, at(p), 0.055f, 10, 6, chrome);
        addRod(mesh, p, k, 0.05f, 12, panel);
        mesh.bone = hip + 1;
        addSphere(mesh, at(k), 0.05f, 10, 6, dark);
        addRod(mesh, k, a, 0.03f, 10, chrome);
        mesh.bone = hip + 2;
        addSphere(mesh, at(a), 0.04f, 10, 6, dark);
        addBox(mesh, glm::mat4(1.0f), {a.x - 0.08f, 0.0f, -0.1f}, {a.x + 0.08f, 0.1f, 0.14f}, boot);
    }
}

void turnBy(JointMotion& joint, float degrees, const glm::vec3& axis) { joint.rotation = joint.rotation * spin(degrees, axis); }

// Two bounces per loop, arms flung up in turn, the head rocking.
Pose bounce(const Rig& rig, double phase)
{
    using namespace dance;
    Pose pose = rig.restPose();
    pose[Hips].shift = glm::vec3(0.02f * wave(phase, 1), -0.02f - 0.07f * pulse(phase, 2), 0) / stretch;
    turnBy(pose[Hips], 12 * wave(phase, 1), yAxis);
    turnBy(pose[Body], 8 * wave(phase, 1), zAxis);
    turnBy(pose[Head], -15 * wave(phase, 1), zAxis);
    turnBy(pose[Head], 8 * pulse(phase, 2), xAxis);
    turnBy(pose[Antennae], 20 * wave(phase, 2), zAxis);
    float left = firstHalf(phase, 1), right = secondHalf(phase, 1);
    turnBy(pose[ShoulderL], 20 + 90 * left, zAxis);
    turnBy(pose[ShoulderR], -20 - 90 * right, zAxis);
    turnBy(pose[ShoulderL], -30 * right, xAxis);
    turnBy(pose[ShoulderR], -30 * left, xAxis);
    turnBy(pose[HandL], 30 * wave(phase, 2), yAxis);
    turnBy(pose[HandR], -30 * wave(phase, 2), yAxis);
    glm::vec3 forward(0, 0, 1);
    rig.reachWithLeg(pose, HipL, KneeL, AnkleL, rig.rest(AnkleL), glm::quat(1, 0, 0, 0), forward);
    rig.reachWithLeg(pose, HipR, KneeR, AnkleR, rig.rest(AnkleR), glm::quat(1, 0, 0, 0), forward);
    return pose;
}

constexpr double clipEnd = 2.083333;

} // namespace

Bytes makeTellyModel()
{
    static const Rig rig = makeRig();
    SkinnedRobot robot;
    robot.name = "telly";
    robot.rig = &rig;
    addBody(robot.mesh, rig);
    robot.rigToModel = rigToModel(placement::robot3(), feet, yaw, rig.stretch());
    robot.zUp = true;
    appendKeyTimes(robot.keyTimes, 0.0, clipEnd, 20.0);
    robot.dance = [](double time) { return bounce(rig, time / clipEnd); };
    return writeSkinnedRobot(robot);
}

} // namespace assetgen::models
