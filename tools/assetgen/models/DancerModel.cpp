// The dancing robot: a slim humanoid with a round head and an antenna. The
// four dancers of the room share this file; it holds four dances one after
// the other on one time line.
#include "Dance.h"
#include "DancerLayout.h"
#include "Models.h"
#include "Placements.h"
#include "Rig.h"
#include "Shapes.h"
#include "Transforms.h"

namespace assetgen::models {

namespace {

enum Joint {
    Pelvis, Spine, Chest, Neck, Head, Antenna,
    ShoulderL, ElbowL, HandL, ShoulderR, ElbowR, HandR,
    HipL, KneeL, AnkleL, HipR, KneeR, AnkleR,
};

// The first dancer stands at (-4.5, 0, 6.3); the others show the same file
// turned and stretched by their own placements.
const glm::vec3 feetOfFirst(-4.5f, 0.0f, 6.3f);
constexpr float yawOfFirst = 280.0f;

Rig makeRig()
{
    Rig rig;
    rig.addJoint("pelvis", -1, {0, 0.82f, 0});
    rig.addJoint("spine", Pelvis, {0, 0.90f, 0});
    rig.addJoint("chest", Spine, {0, 1.02f, 0});
    rig.addJoint("neck", Chest, {0, 1.36f, 0});
    rig.addJoint("head", Neck, {0, 1.44f, 0});
    rig.addJoint("antenna", Head, {0, 1.68f, 0});
    for (float side : {1.0f, -1.0f}) {
        const char* s = side > 0 ? "L" : "R";
        int shoulder = rig.addJoint(std::string("shoulder") + s, Chest, {0.25f * side, 1.28f, 0});
        int elbow = rig.addJoint(std::string("elbow") + s, shoulder, {0.27f * side, 1.02f, 0});
        rig.addJoint(std::string("hand") + s, elbow, {0.28f * side, 0.80f, 0.01f});
    }
    for (float side : {1.0f, -1.0f}) {
        const char* s = side > 0 ? "L" : "R";
        int hip = rig.addJoint(std::string("hip") + s, Pelvis, {0.1f * side, 0.77f, 0});
        int knee = rig.addJoint(std::string("knee") + s, hip, {0.1f * side, 0.44f, 0.025f});
        rig.addJoint(std::string("ankle") + s, knee, {0.1f * side, 0.11f, 0});
    }
    return rig;
}

void addBody(Mesh& mesh)
{
    using namespace dancer;
    mesh.bone = Pelvis;
    addLathe(mesh, scaled(1, 1, 0.72f),
        {{0, 0.70f}, {0.12f, 0.70f}, {0.16f, 0.75f}, {0.165f, 0.81f}, {0.14f, 0.87f}, {0, 0.88f}}, 20, pelvis, true);
    mesh.bone = Spine;
    std::vector<glm::vec2> bellows{{0, 0.86f}};
    for (int i = 0; i <= 8; ++i)
        bellows.emplace_back(i % 2 ? 0.092f : 0.074f, 0.86f + 0.0225f * static_cast<float>(i));
    bellows.emplace_back(0, 1.04f);
    addLathe(mesh, glm::mat4(1.0f), bellows, 16, joint, true);
    mesh.bone = Chest;
    addLathe(mesh, scaled(1, 1, 0.68f),
        {{0, 1.0f}, {0.14f, 1.0f}, {0.19f, 1.06f}, {0.215f, 1.16f}, {0.215f, 1.26f}, {0.19f, 1.32f}, {0.12f, 1.36f},
            {0, 1.365f}},
        24, torso, true);
    addCylinder(mesh, at(0, 1.2f, 0.135f) * turned(90, xAxis), 0.045f, 0.0f, 0.025f, 16, glow);
    for (float side : {1.0f, -1.0f})
        addSphere(mesh, at(0.215f * side, 1.3f, 0) * scaled(1.0f, 0.75f, 1.0f), 0.075f, 12, 8, limb);
    mesh.bone = Neck;
    addCylinder(mesh, glm::mat4(1.0f), 0.035f, 1.34f, 1.46f, 12, joint);
    mesh.bone = Head;
    addSphere(mesh, at(0, 1.56f, 0) * scaled(1.0f, 0.88f, 0.92f), 0.16f, 24, 14, head);
    for (float side : {1.0f, -1.0f})
        addCylinder(mesh, at(0.145f * side, 1.56f, 0) * turned(-90 * side, zAxis), 0.045f, 0.0f, 0.04f, 14, dark);
    mesh.bone = Antenna;
    addRod(mesh, {0, 1.66f, 0}, {0, 1.8f, 0}, 0.009f, 6, dark);
    addSphere(mesh, at(0, 1.82f, 0), 0.028f, 10, 6, glow);
}

void addArm(Mesh& mesh, const Rig& rig, int shoulder, int elbow, int hand)
{
    using namespace dancer;
    glm::vec3 s = rig.rest(shoulder), e = rig.rest(elbow), h = rig.rest(hand);
    mesh.bone = shoulder;
    addSphere(mesh, at(s), 0.062f, 12, 8, joint);
    addRod(mesh, s, e, 0.042f, 12, limb);
    mesh.bone = elbow;
    addSphere(mesh, at(e), 0.05f, 12, 8, joint);
    addRod(mesh, e, h + glm::vec3(0, 0.02f, 0), 0.047f, 12, limb);
    mesh.bone = hand;
    addSphere(mesh, at(h + glm::vec3(0, -0.05f, 0)) * scaled(0.75f, 1.0f, 0.6f), 0.06f, 12, 8, extremity);
    addSphere(mesh, at(h + glm::vec3(0, -0.035f, 0.04f)), 0.022f, 8, 6, extremity);
}

void addLeg(Mesh& mesh, const Rig& rig, int hip, int knee, int ankle)
{
    using namespace dancer;
    glm::vec3 p = rig.rest(hip), k = rig.rest(knee), a = rig.rest(ankle);
    mesh.bone = hip;
    addSphere(mesh, at(p), 0.058f, 12, 8, joint);
    addRod(mesh, p, k, 0.05f, 12, limb);
    mesh.bone = knee;
    addSphere(mesh, at(k), 0.056f, 12, 8, joint);
    addRod(mesh, k, a + glm::vec3(0, 0.02f, 0), 0.053f, 12, limb);
    mesh.bone = ankle;
    addSphere(mesh, at(a), 0.045f, 10, 6, joint);
    addBox(mesh, glm::mat4(1.0f), {a.x - 0.065f, 0.0f, -0.07f}, {a.x + 0.065f, 0.085f, 0.12f}, extremity);
    addSphere(mesh, at(a.x, 0.045f, 0.12f) * scaled(1.0f, 0.69f, 0.8f), 0.065f, 12, 8, extremity);
}

// The neutral pose every dance starts and ends in: knees soft, arms a
// little out and bent.
Pose neutral(const Rig& rig)
{
    Pose pose = rig.restPose();
    pose[Pelvis].shift.y = -0.02f;
    pose[ShoulderL].rotation = spin(8, zAxis);
    pose[ShoulderR].rotation = spin(-8, zAxis);
    pose[ElbowL].rotation = spin(-20, xAxis);
    pose[ElbowR].rotation = spin(-20, xAxis);
    return pose;
}

void turnBy(JointMotion& joint, float degrees, const glm::vec3& axis) { joint.rotation = joint.rotation * spin(degrees, axis); }

// Plants both feet where they stand in the rest pose, turned by `yaw`.
void plantFeet(const Rig& rig, Pose& pose, float yaw)
{
    glm::quat turn = spin(yaw, yAxis);
    glm::vec3 forward = turn * glm::vec3(0, 0, 1);
    rig.reachWithLeg(pose, HipL, KneeL, AnkleL, turn * rig.rest(AnkleL), turn, forward);
    rig.reachWithLeg(pose, HipR, KneeR, AnkleR, turn * rig.rest(AnkleR), turn, forward);
}

// Bouncing on the beat with the arms pumping in turn.
Pose bounce(const Rig& rig, double phase)
{
    using namespace dance;
    Pose pose = neutral(rig);
    pose[Pelvis].shift += glm::vec3(0.035f * wave(phase, 2), -0.06f * pulse(phase, 4), 0);
    turnBy(pose[Pelvis], 10 * wave(phase, 2), yAxis);
    turnBy(pose[Chest], -22 * wave(phase, 2), yAxis);
    turnBy(pose[Chest], 6 * wave(phase, 2), zAxis);
    turnBy(pose[Head], 14 * pulse(phase, 4), xAxis);
    turnBy(pose[Head], -10 * wave(phase, 2), zAxis);
    float left = firstHalf(phase, 2), right = secondHalf(phase, 2);
    turnBy(pose[ShoulderL], 25 * left, zAxis);
    turnBy(pose[ShoulderR], -25 * right, zAxis);
    turnBy(pose[ShoulderL], -60 * left, xAxis);
    turnBy(pose[ShoulderR], -60 * right, xAxis);
    turnBy(pose[ElbowL], -45 * left, xAxis);
    turnBy(pose[ElbowR], -45 * right, xAxis);
    turnBy(pose[Antenna], 15 * wave(phase, 4), zAxis);
    plantFeet(rig, pose, 0);
    return pose;
}

// A cheerful wave with the left arm.
Pose greet(const Rig& rig, double phase)
{
    using namespace dance;
    Pose pose = neutral(rig);
    float up = hold(phase, 0.25);
    pose[Pelvis].shift += glm::vec3(-0.03f * up, -0.04f * pulse(phase, 2), 0);
    turnBy(pose[ShoulderL], 120 * up, zAxis);
    turnBy(pose[ElbowL], 35 * up * wave(phase, 2), zAxis);
    turnBy(pose[ElbowL], -25 * up, xAxis);
    turnBy(pose[HandL], 25 * up * wave(phase, 4), zAxis);
    turnBy(pose[ShoulderR], -25 * up, zAxis);
    turnBy(pose[Head], 14 * up, zAxis);
    turnBy(pose[Head], 10 * pulse(phase, 2), xAxis);
    turnBy(pose[Chest], -8 * up, zAxis);
    turnBy(pose[Antenna], 20 * wave(phase, 2), xAxis);
    plantFeet(rig, pose, 0);
    return pose;
}

// The victory dance: a full spin on the spot with both arms up.
Pose victory(const Rig& rig, double phase)
{
    using namespace dance;
    Pose pose = neutral(rig);
    float up = hold(phase, 0.2);
    float yaw = turn(phase);
    pose[Pelvis].shift.y -= 0.05f * pulse(phase, 4);
    pose[Pelvis].rotation = spin(yaw, yAxis) * pose[Pelvis].rotation;
    turnBy(pose[ShoulderL], 150 * up, zAxis);
    turnBy(pose[ShoulderR], -150 * up, zAxis);
    turnBy(pose[ElbowL], 30 * up * wave(phase, 4), zAxis);
    turnBy(pose[ElbowR], -30 * up * wave(phase, 4), zAxis);
    turnBy(pose[Head], -18 * up, xAxis);
    turnBy(pose[Head], 12 * wave(phase, 4), zAxis);
    turnBy(pose[Chest], 10 * wave(phase, 4), zAxis);
    turnBy(pose[Antenna], 25 * wave(phase, 8), zAxis);
    plantFeet(rig, pose, yaw);
    return pose;
}

// The robot: stiff arms at right angles, the head snapping side to side.
Pose robotic(const Rig& rig, double phase)
{
    using namespace dance;
    Pose pose = neutral(rig);
    float on = hold(phase, 0.12);
    // Snappy steps: a sine pushed towards a square wave.
    auto snap = [](float s) { return std::tanh(3.0f * s) / std::tanh(3.0f); };
    float beat = snap(wave(phase, 2));
    pose[Pelvis].shift += glm::vec3(0.04f * beat * on, -0.05f * pulse(phase, 4), 0);
    turnBy(pose[Chest], 25 * beat * on, yAxis);
    turnBy(pose[Head], -35 * snap(wave(phase, 4)) * on, yAxis);
    turnBy(pose[ShoulderL], -85 * on, xAxis);
    turnBy(pose[ShoulderR], -85 * on, xAxis);
    turnBy(pose[ShoulderL], 25 * on, zAxis);
    turnBy(pose[ShoulderR], -25 * on, zAxis);
    turnBy(pose[ElbowL], (-70 + 50 * snap(wave(phase, 4))) * on, zAxis);
    turnBy(pose[ElbowR], (70 + 50 * snap(wave(phase, 4))) * on, zAxis);
    turnBy(pose[Antenna], 20 * wave(phase, 4), xAxis);
    plantFeet(rig, pose, 0);
    return pose;
}

struct Clip {
    double start, end;
    Pose (*dance)(const Rig&, double);
};
// The stretches of the time line the game's clocks loop over.
const Clip clips[] = {{0.0, 3.29, bounce}, {3.4, 4.6, greet}, {4.6, 7.4, victory}, {7.4, 10.0, robotic}};

} // namespace

Bytes makeDancerModel()
{
    static const Rig rig = makeRig();
    SkinnedRobot robot;
    robot.name = "dancer";
    robot.rig = &rig;
    addBody(robot.mesh);
    addArm(robot.mesh, rig, ShoulderL, ElbowL, HandL);
    addArm(robot.mesh, rig, ShoulderR, ElbowR, HandR);
    addLeg(robot.mesh, rig, HipL, KneeL, AnkleL);
    addLeg(robot.mesh, rig, HipR, KneeR, AnkleR);
    robot.rigToModel = rigToModel(placement::robot6A(), feetOfFirst, yawOfFirst, rig.stretch());
    robot.zUp = true;
    for (const Clip& clip : clips)
        appendKeyTimes(robot.keyTimes, clip.start, clip.end, 16.0);
    robot.dance = [](double time) {
        for (const Clip& clip : clips)
            if (time >= clip.start && time <= clip.end)
                return clip.dance(rig, (time - clip.start) / (clip.end - clip.start));
        Pose pose = neutral(rig);
        plantFeet(rig, pose, 0);
        return pose;
    };
    return writeSkinnedRobot(robot);
}

} // namespace assetgen::models
