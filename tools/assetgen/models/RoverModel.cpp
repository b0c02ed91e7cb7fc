// The first robot: a tracked rover. Its lower half (treads and waist
// column) is a static model; its upper half (a chunky torso with clamp arms
// and a domed head) dances, turning at the waist without leaving it.
#include "Dance.h"
#include "Models.h"
#include "ObjWriter.h"
#include "Placements.h"
#include "Rig.h"
#include "RoverLayout.h"
#include "Shapes.h"
#include "Transforms.h"

namespace assetgen::models {

namespace {

using namespace rover;

enum Joint { Waist, Torso, Head, Antenna, ShoulderL, ElbowL, HandL, ShoulderR, ElbowR, HandR };

const glm::vec3 stretch(0.3f, 0.5f, 0.3f); // the placement's scale, shared by both halves

Mesh buildBottom()
{
    using namespace bottom;
    Mesh mesh;
    for (float side : {-1.0f, 1.0f}) {
        // A tread unit: a stadium outline along z, extruded across x.
        glm::mat4 unit = at(side * 0.31f, 0.15f, 0) * turned(90, yAxis);
        addPrism(mesh, unit, roundedRectOutline(0.92f, 0.3f, 0.149f, 8), -0.11f, 0.11f, sidePlate, sidePlate, tread);
        for (float z : {-0.3f, 0.0f, 0.3f})
            addCylinder(mesh, at(side * 0.42f, 0.15f, z) * turned(-90 * side, zAxis), 0.085f, 0.0f, 0.03f, 16, hub);
        addBox(mesh, glm::mat4(1.0f), {side > 0 ? 0.18f : -0.45f, 0.3f, -0.5f}, {side > 0 ? 0.45f : -0.18f, 0.34f, 0.5f}, fender);
    }
    addBox(mesh, glm::mat4(1.0f), {-0.2f, 0.08f, -0.4f}, {0.2f, 0.33f, 0.4f}, chassis);
    // Headlights on the chassis front.
    for (float side : {-1.0f, 1.0f})
        addCylinder(mesh, at(side * 0.12f, 0.22f, 0.4f) * turned(90, xAxis), 0.045f, 0.0f, 0.03f, 12, dark);
    addLathe(mesh, glm::mat4(1.0f),
        {{0, 0.33f}, {0.2f, 0.33f}, {0.2f, 0.38f}, {0.15f, 0.42f}, {0.14f, 0.7f}, {0.18f, 0.74f}, {0.2f, waist}, {0, waist}}, 20,
        column, false);
    return mesh;
}

Rig makeRig()
{
    Rig rig(stretch);
    rig.addJoint("waist", -1, {0, waist, 0});
    rig.addJoint("torso", Waist, {0, 0.86f, 0});
    rig.addJoint("head", Torso, {0, 1.52f, 0});
    rig.addJoint("antenna", Head, {0.09f, 1.8f, -0.04f});
    for (float side : {1.0f, -1.0f}) {
        const char* s = side > 0 ? "L" : "R";
        int shoulder = rig.addJoint(std::string("shoulder") + s, Torso, {0.37f * side, 1.36f, 0});
        int elbow = rig.addJoint(std::string("elbow") + s, shoulder, {0.47f * side, 1.1f, 0.0f});
        rig.addJoint(std::string("hand") + s, elbow, {0.47f * side, 1.08f, 0.3f});
    }
    return rig;
}

void addTop(Mesh& mesh, const Rig& rig)
{
    using namespace top;
    mesh.bone = Waist;
    addCylinder(mesh, glm::mat4(1.0f), 0.21f, waist, 0.87f, 20, ring);
    mesh.bone = Torso;
    addLathe(mesh, scaled(1, 1, 0.78f),
        {{0, 0.86f}, {0.2f, 0.86f}, {0.29f, 0.98f}, {0.34f, 1.24f}, {0.33f, 1.4f}, {0.24f, 1.5f}, {0, 1.51f}}, 8, torso, false);
    // A round chest lamp and two exhaust stacks on the back.
    addCylinder(mesh, at(0, 1.2f, 0.24f) * turned(90, xAxis), 0.07f, 0.0f, 0.03f, 16, lamp);
    for (float side : {-1.0f, 1.0f})
        addCylinder(mesh, at(side * 0.12f, 1.3f, -0.24f), 0.04f, 0.0f, 0.32f, 10, dark);
    mesh.bone = Head;
    addCylinder(mesh, glm::mat4(1.0f), 0.07f, 1.48f, 1.58f, 12, joint);
    addLathe(mesh, glm::mat4(1.0f),
        {{0, 1.55f}, {0.18f, 1.55f}, {0.2f, 1.6f}, {0.2f, 1.7f}, {0.17f, 1.79f}, {0.1f, 1.85f}, {0, 1.87f}}, 24, head, true);
    for (float side : {-1.0f, 1.0f})
        addCylinder(mesh, at(side * 0.19f, 1.68f, 0) * turned(-90 * side, zAxis), 0.055f, 0.0f, 0.05f, 14, dark);
    mesh.bone = Antenna;
    glm::vec3 a = rig.rest(Antenna) * stretch;
    addRod(mesh, a, a + glm::vec3(0, 0.18f, 0), 0.012f, 6, dark);
    addSphere(mesh, at(a + glm::vec3(0, 0.2f, 0)), 0.035f, 10, 6, lamp);
    for (int first : {ShoulderL, ShoulderR}) {
        glm::vec3 s = rig.rest(first) * stretch, e = rig.rest(first + 1) * stretch, h = rig.rest(first + 2) * stretch;
        float side = s.x > 0 ? 1.0f : -1.0f;
        mesh.bone = first;
        addSphere(mesh, at(s) * scaled(1.0f, 0.9f, 1.0f), 0.12f, 16, 10, joint);
        addRod(mesh, s, e, 0.065f, 12, arm);
        mesh.bone = first + 1;
        addSphere(mesh, at(e), 0.08f, 12, 8, joint);
        addRod(mesh, e, h, 0.075f, 12, arm);
        mesh.bone = first + 2;
        // A clamp: a wrist ring and two jaws.
        addCylinder(mesh, at(h) * turned(90, xAxis), 0.085f, 0.0f, 0.05f, 12, dark);
        for (float jaw : {-1.0f, 1.0f})
            addBox(mesh, at(h + glm::vec3(jaw * 0.055f * side, 0, 0.12f)) * turned(jaw * side * 12, yAxis),
                {-0.018f, -0.04f, -0.07f}, {0.018f, 0.04f, 0.07f}, claw);
    }
}

Pose neutral(const Rig& rig)
{
    Pose pose = rig.restPose();
    pose[HandL].rotation = spin(10, zAxis);
    pose[HandR].rotation = spin(-10, zAxis);
    return pose;
}

void turnBy(JointMotion& joint, float degrees, const glm::vec3& axis) { joint.rotation = joint.rotation * spin(degrees, axis); }

// Twisting at the waist, clamps swinging like a boxer's, head scanning the
// room. Turns about the upright axis dominate: the placement stretches the
// robot unevenly, and only those turns keep their shape under it.
Pose groove(const Rig& rig, double phase)
{
    using namespace dance;
    Pose pose = neutral(rig);
    turnBy(pose[Waist], 14 * wave(phase, 1), yAxis);
    turnBy(pose[Torso], 22 * wave(phase, 4), yAxis);
    turnBy(pose[Torso], 3 * wave(phase, 2), zAxis);
    turnBy(pose[Head], -30 * wave(phase, 2), yAxis);
    turnBy(pose[Head], 6 * pulse(phase, 8), xAxis);
    float left = firstHalf(phase, 4), right = secondHalf(phase, 4);
    turnBy(pose[ShoulderL], -25 * left, yAxis);
    turnBy(pose[ShoulderR], 25 * right, yAxis);
    turnBy(pose[ElbowL], -35 * left + 20 * right, yAxis);
    turnBy(pose[ElbowR], 35 * right - 20 * left, yAxis);
    turnBy(pose[ElbowL], -12 * pulse(phase, 8), xAxis);
    turnBy(pose[ElbowR], -12 * pulse(phase, 8), xAxis);
    turnBy(pose[HandL], 40 * wave(phase, 8), zAxis);
    turnBy(pose[HandR], -40 * wave(phase, 8), zAxis);
    turnBy(pose[Antenna], 12 * wave(phase, 8), xAxis);
    return pose;
}

// The clip the game's clock loops over; the clock starts at 0, before it.
constexpr double clipStart = 0.4166666, clipEnd = 6.25;

} // namespace

Bytes makeRoverBottomModel()
{
    Mesh mesh = buildBottom();
    mesh.transform(placement::worldToModel(placement::robot1Bottom(), {standX, 0, standZ}, yaw));
    return writeObj(mesh, "roverBottom");
}

Bytes makeRoverTopModel()
{
    static const Rig rig = makeRig();
    SkinnedRobot robot;
    robot.name = "roverTop";
    robot.rig = &rig;
    addTop(robot.mesh, rig);
    robot.rigToModel = rigToModel(placement::robot1Top(), {standX, 0, standZ}, yaw, rig.stretch());
    robot.keyTimes = {0.0};
    appendKeyTimes(robot.keyTimes, clipStart, clipEnd, 8.0);
    robot.dance = [](double time) {
        if (time <= clipStart)
            return neutral(rig);
        return groove(rig, (time - clipStart) / (clipEnd - clipStart));
    };
    return writeSkinnedRobot(robot);
}

} // namespace assetgen::models
