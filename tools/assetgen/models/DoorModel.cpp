// The wooden door that appears at the top of the stairs once a level is
// solved: a panelled slab in a frame, with a brass knob and iron hinges.
#include "DoorLayout.h"
#include "Models.h"
#include "ObjWriter.h"
#include "Placements.h"
#include "RoomLayout.h"
#include "Shapes.h"
#include "Transforms.h"

namespace assetgen::models {

namespace {

using namespace door;

// Built facing +z with its foot on y = 0 and its middle on x = 0.
Mesh buildDoor()
{
    Mesh mesh;
    const float hw = width * 0.5f, ht = thickness * 0.5f;
    BoxFaces slab = BoxFaces::all(edge);
    slab.positiveZ = front;
    slab.negativeZ = front;
    addBox(mesh, glm::mat4(1.0f), {-hw, 0, -ht}, {hw, height, ht}, slab);
    // Raised panels showing the painted panels under them. The door stands
    // against the wall, so its back stays plain.
    for (const auto& p : panels) {
        glm::vec3 lo(-hw + p[0] * width, p[1] * height, ht - 0.001f);
        glm::vec3 hi(-hw + p[2] * width, p[3] * height, ht + 0.014f);
        BoxFaces faces = BoxFaces::all(edge);
        faces.positiveZ = front.sub(p[0], p[1], p[2], p[3]);
        addBox(mesh, glm::mat4(1.0f), lo, hi, faces);
    }
    // The frame round the opening, standing a little proud of the wall.
    const float f = frameWidth, depth = thickness + 0.05f;
    addBox(mesh, glm::mat4(1.0f), {-hw - f, 0, -depth * 0.5f}, {-hw, height + f, depth * 0.5f}, frame);
    addBox(mesh, glm::mat4(1.0f), {hw, 0, -depth * 0.5f}, {hw + f, height + f, depth * 0.5f}, frame);
    addBox(mesh, glm::mat4(1.0f), {-hw, height, -depth * 0.5f}, {hw, height + f, depth * 0.5f}, frame);
    // The knob with its rose plate, and hinges on the left.
    glm::mat4 knob = at(hw - 0.12f, 1.05f, ht) * turned(90, xAxis);
    addCylinder(mesh, knob, 0.045f, -0.012f, 0.0f, 16, brass);
    addCylinder(mesh, knob, 0.013f, -0.05f, 0.0f, 10, brass);
    addSphere(mesh, at(hw - 0.12f, 1.05f, ht + 0.06f) * scaled(1, 1, 0.8f), 0.038f, 16, 10, brass);
    for (float y : {0.3f, 1.15f, 2.0f})
        addBox(mesh, glm::mat4(1.0f), {-hw - 0.005f, y - 0.07f, ht - 0.01f}, {-hw + 0.16f, y + 0.07f, ht + 0.006f}, iron);
    return mesh;
}

} // namespace

Bytes makeDoorModel()
{
    Mesh mesh = buildDoor();
    // Against the back wall on the landing, facing into the room.
    glm::vec3 foot(0.0f, room::landingHeight, room::halfLength - 0.02f - (thickness + 0.05f) * 0.5f);
    mesh.transform(placement::worldToModel(placement::door(), foot, 180.0f));
    return writeObj(mesh, "door");
}

} // namespace assetgen::models
