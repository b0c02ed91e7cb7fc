// The flying robot that hovers outside the house in the intro: a round
// body with a brow, twin rotors, little claw arms and an antenna, and the
// glowing eyes, a separate model that lies on its face. The body never
// moves in the animation, so the eyes stay where they belong.
#include "Dance.h"
#include "Models.h"
#include "ObjWriter.h"
#include "Placements.h"
#include "Rig.h"
#include "Shapes.h"
#include "Transforms.h"

#include <glm/gtc/constants.hpp>

#include <cmath>

namespace assetgen::models {

namespace {

enum Joint { Body, RotorL, RotorR, ArmL, ArmR, Antenna };

// The body's middle in the world, its scale and its heading: it faces -x,
// towards the intro camera.
const glm::vec3 centre(52.6f, 11.0f, -18.74f);
constexpr float scale = 0.65f;
constexpr float yaw = 270.0f;
// The body's radii along its own axes (x across, y up, z to the face).
const glm::vec3 radii(0.5f, 0.42f, 0.47f);
const UvRect whole{0.02f, 0.02f, 0.98f, 0.98f};

Rig makeRig()
{
    Rig rig{glm::vec3(scale)};
    rig.addJoint("body", -1, {0, 0, 0});
    rig.addJoint("rotorL", Body, glm::vec3(0.34f, 0.52f, -0.05f) * scale);
    rig.addJoint("rotorR", Body, glm::vec3(-0.34f, 0.52f, -0.05f) * scale);
    rig.addJoint("armL", Body, glm::vec3(0.3f, -0.28f, 0.05f) * scale);
    rig.addJoint("armR", Body, glm::vec3(-0.3f, -0.28f, 0.05f) * scale);
    rig.addJoint("antenna", Body, glm::vec3(0, 0.42f, -0.12f) * scale);
    return rig;
}

// Parts are built at the robot's own size (radius about 0.5) and shown at
// 0.65 of it.
void addDrone(Mesh& mesh)
{
    const float s = scale;
    auto size = [s](const glm::mat4& m) { return scaled(s, s, s) * m; };
    mesh.bone = Body;
    addSphere(mesh, size(scaled(radii)), 1.0f, 32, 20, whole);
    // A heavy brow over the eyes and a chin plate.
    addTorus(mesh, size(at(0, 0.16f, 0.05f) * turned(-14, xAxis) * scaled(1.0f, 0.6f, 1.0f)), 0.42f, 0.05f, 32, 8, whole);
    addBox(mesh, size(at(0, -0.3f, 0.34f) * turned(35, xAxis)), {-0.16f, -0.03f, -0.06f}, {0.16f, 0.03f, 0.06f}, whole);
    // Rotor masts and a tail fin.
    for (float side : {-1.0f, 1.0f}) {
        addRod(mesh, glm::vec3(side * 0.22f, 0.3f, -0.05f) * s, glm::vec3(side * 0.34f, 0.5f, -0.05f) * s, 0.03f * s, 8, whole);
        addCylinder(mesh, size(at(side * 0.34f, 0.46f, -0.05f)), 0.07f, 0.0f, 0.06f, 12, whole);
    }
    addBox(mesh, size(at(0, 0.1f, -0.5f) * turned(20, xAxis)), {-0.02f, -0.12f, -0.12f}, {0.02f, 0.12f, 0.08f}, whole);
    for (int rotor : {RotorL, RotorR}) {
        mesh.bone = rotor;
        float side = rotor == RotorL ? 1.0f : -1.0f;
        glm::mat4 hub = size(at(side * 0.34f, 0.53f, -0.05f));
        addCylinder(mesh, hub, 0.045f, 0.0f, 0.05f, 12, whole);
        for (int blade = 0; blade < 3; ++blade)
            addBox(mesh, hub * turned(120.0f * static_cast<float>(blade), yAxis) * turned(8, zAxis), {0.03f, 0.015f, -0.035f},
                {0.36f, 0.03f, 0.035f}, whole);
    }
    for (int arm : {ArmL, ArmR}) {
        mesh.bone = arm;
        float side = arm == ArmL ? 1.0f : -1.0f;
        glm::vec3 shoulder(side * 0.3f, -0.28f, 0.05f), hand(side * 0.36f, -0.62f, 0.12f);
        addSphere(mesh, size(at(shoulder)), 0.06f, 10, 6, whole);
        addRod(mesh, shoulder * s, hand * s, 0.025f * s, 8, whole);
        for (float jaw : {-1.0f, 1.0f})
            addBox(mesh, size(at(hand) * turned(jaw * 20, zAxis)), {-0.015f, -0.1f, -0.02f}, {0.015f, 0.0f, 0.02f}, whole);
    }
    mesh.bone = Antenna;
    addRod(mesh, glm::vec3(0, 0.4f, -0.12f) * s, glm::vec3(0.05f, 0.75f, -0.2f) * s, 0.012f * s, 6, whole);
    addSphere(mesh, size(at(0.05f, 0.78f, -0.2f)), 0.04f, 10, 6, whole);
}

void turnBy(JointMotion& joint, float degrees, const glm::vec3& axis) { joint.rotation = joint.rotation * spin(degrees, axis); }

// Rotors whirring (whole turns, so the loop closes), arms dangling, the
// antenna swaying.
Pose hover(const Rig& rig, double phase)
{
    using namespace dance;
    Pose pose = rig.restPose();
    // Keys at most a third of a turn apart keep the shortest-path
    // interpolation turning the right way.
    float turns = static_cast<float>(360.0 * 3.0 * phase);
    pose[RotorL].rotation = spin(turns, yAxis);
    pose[RotorR].rotation = spin(-turns, yAxis);
    turnBy(pose[ArmL], 25 * wave(phase, 2), xAxis);
    turnBy(pose[ArmR], -25 * wave(phase, 2), xAxis);
    turnBy(pose[ArmL], 10 * wave(phase, 1), zAxis);
    turnBy(pose[ArmR], 10 * wave(phase, 1), zAxis);
    turnBy(pose[Antenna], 18 * wave(phase, 3), xAxis);
    turnBy(pose[Antenna], 10 * wave(phase, 2), zAxis);
    return pose;
}

constexpr double clipEnd = 2.083333;

// A point on the body's surface seen from its middle in direction
// (across, up) angles, pushed out a little.
glm::vec3 onFace(float across, float up, float lift)
{
    glm::vec3 direction(std::sin(across) * std::cos(up), std::sin(up), std::cos(across) * std::cos(up));
    glm::vec3 onUnit = direction / glm::length(direction / radii);
    return onUnit + glm::normalize(onUnit / (radii * radii)) * lift;
}

// One face of the eyes' lens with its own texture coordinate at each corner.
void addLensQuad(Mesh& mesh, const glm::vec3 (&corner)[4], const glm::vec2 (&uv)[4])
{
    glm::vec3 normal = glm::normalize(glm::cross(corner[1] - corner[0], corner[3] - corner[0]));
    std::uint32_t first = mesh.addVertex(corner[0], normal, uv[0]);
    for (int i = 1; i < 4; ++i)
        mesh.addVertex(corner[i], normal, uv[i]);
    mesh.addTriangle(first, first + 1, first + 2);
    mesh.addTriangle(first, first + 2, first + 3);
}

// Two angry eyes: ellipses cut by a brow slanting down towards the nose.
// Each is a thin lens, closed so the game may leave out its back faces: the
// face that shows, a back just under it and a rim round the outline, so
// thin that it adds next to nothing to the outline seen from the side.
Mesh buildEyes()
{
    Mesh mesh;
    constexpr float frontLift = 0.006f, backLift = 0.0055f;
    for (float side : {-1.0f, 1.0f}) {
        const float centreAcross = side * 0.36f, centreUp = 0.02f;
        const float halfWidth = 0.2f, halfHeight = 0.13f;
        // The eye as a grid over its bounding box, keeping the cells
        // inside the outline. Corners come from grid indices, so cells that
        // meet share their corners exactly.
        const int n = 12;
        auto grid = [](int i) { return -1.0f + 2.0f * static_cast<float>(i) / n; };
        auto kept = [&](int i, int j) {
            if (i < 0 || j < 0 || i >= n || j >= n)
                return false;
            float u = (grid(i) + grid(i + 1)) * 0.5f, v = (grid(j) + grid(j + 1)) * 0.5f;
            float brow = 0.55f + 0.55f * (u * side);
            return u * u + v * v <= 1.0f && v <= brow;
        };
        auto point = [&](int i, int j, float lift) {
            return onFace(centreAcross + grid(i) * halfWidth, centreUp + grid(j) * halfHeight, lift);
        };
        auto uvOf = [&](int i, int j) { return glm::vec2((grid(i) + 1) * 0.5f, (grid(j) + 1) * 0.5f); };
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                if (!kept(i, j))
                    continue;
                // The cell's corners counter-clockwise seen from outside.
                const glm::ivec2 around[4] = {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}};
                glm::vec3 front[4], back[4];
                glm::vec2 uv[4];
                for (int k = 0; k < 4; ++k) {
                    front[k] = point(around[k].x, around[k].y, frontLift);
                    back[k] = point(around[k].x, around[k].y, backLift);
                    uv[k] = uvOf(around[k].x, around[k].y);
                }
                addLensQuad(mesh, front, uv);
                addLensQuad(mesh, {back[3], back[2], back[1], back[0]}, {uv[3], uv[2], uv[1], uv[0]});
                // The rim where the next cell across this side is left out.
                const glm::ivec2 beyond[4] = {{i, j - 1}, {i + 1, j}, {i, j + 1}, {i - 1, j}};
                for (int k = 0; k < 4; ++k) {
                    if (kept(beyond[k].x, beyond[k].y))
                        continue;
                    int l = (k + 1) % 4;
                    addLensQuad(mesh, {back[k], back[l], front[l], front[k]}, {uv[k], uv[l], uv[l], uv[k]});
                }
            }
    }
    return mesh;
}

} // namespace

Bytes makeDroneModel()
{
    static const Rig rig = makeRig();
    SkinnedRobot robot;
    robot.name = "drone";
    robot.rig = &rig;
    addDrone(robot.mesh);
    robot.rigToModel = rigToModel(placement::flyingRobot(), centre, yaw, rig.stretch());
    robot.zUp = true;
    appendKeyTimes(robot.keyTimes, 0.0, clipEnd, 16.0);
    robot.dance = [](double time) { return hover(rig, time / clipEnd); };
    return writeSkinnedRobot(robot);
}

Bytes makeDroneEyesModel()
{
    Mesh mesh = buildEyes();
    // From the body's own size to the world, then into the eyes' file.
    mesh.transform(placement::worldToModel(placement::robot5Eyes(), centre, yaw) * scaled(scale, scale, scale));
    return writeObj(mesh, "eyes");
}

} // namespace assetgen::models
