// The furnished room the game is played in, and the stairs up to its door.
// Both are built in world units where the player sees them and converted
// into the files' mesh spaces through the scene placements.
#include "Models.h"
#include "ObjWriter.h"
#include "Placements.h"
#include "RoomLayout.h"
#include "Shapes.h"
#include "Transforms.h"

namespace assetgen::models {

namespace {

using namespace room;

// One wall seen from inside: it runs from `start` along `along` for
// `length`, facing `inward`.
struct Wall {
    glm::vec3 start, along, inward;
    float length;
};

const Wall walls[] = {
    {{-halfWidth, 0, -halfLength}, {1, 0, 0}, {0, 0, 1}, 2 * halfWidth},  // front, behind the player's start
    {{halfWidth, 0, halfLength}, {-1, 0, 0}, {0, 0, -1}, 2 * halfWidth},  // back, with the door
    {{-halfWidth, 0, halfLength}, {0, 0, -1}, {1, 0, 0}, 2 * halfLength}, // left
    {{halfWidth, 0, -halfLength}, {0, 0, 1}, {-1, 0, 0}, 2 * halfLength}, // right
};

const glm::vec3 up(0, 1, 0);

// A strip along a wall standing `depth` out from it, with its top face.
void addWallStrip(Mesh& mesh, const Wall& wall, float y0, float y1, float depth, float tileLength, const UvRect& front,
    const UvRect& top)
{
    glm::vec3 corner = wall.start + up * y0 + wall.inward * depth;
    addTiledRect(mesh, corner, wall.along, up, {wall.length, y1 - y0}, {tileLength, y1 - y0}, front);
    if (depth > 0.0f) {
        glm::vec3 topCorner = wall.start + up * y1 + wall.inward * depth;
        // A strip up against the ceiling shows no top face.
        if (y1 < height)
            addTiledRect(mesh, topCorner, wall.along, -wall.inward, {wall.length, depth}, {tileLength, depth}, top);
        glm::vec3 bottomCorner = wall.start + up * y0;
        if (y0 > 0.0f)
            addTiledRect(mesh, bottomCorner, wall.along, wall.inward, {wall.length, depth}, {tileLength, depth}, top);
    }
}

// A flat picture hung on a wall, `centre` on the wall's plane.
void addOnWall(Mesh& mesh, const Wall& wall, float alongCentre, float y0, float y1, float width, float offset,
    const UvRect& uv)
{
    glm::vec3 corner = wall.start + wall.along * (alongCentre - width * 0.5f) + up * y0 + wall.inward * offset;
    addQuad(mesh, corner, corner + wall.along * width, corner + wall.along * width + up * (y1 - y0), corner + up * (y1 - y0), uv);
}

// The faces of a box that do not lie against a wall facing `inward`.
unsigned awayFrom(const glm::vec3& inward)
{
    return AllFaces & ~(inward.x > 0 ? NegativeX : inward.x < 0 ? PositiveX : inward.z > 0 ? NegativeZ : PositiveZ);
}

void addWindow(Mesh& mesh, const Wall& wall, float alongCentre)
{
    addOnWall(mesh, wall, alongCentre, 1.5f, 3.4f, 1.6f, 0.012f, window);
    glm::vec3 centre = wall.start + wall.along * alongCentre;
    glm::vec3 halfAlong = wall.along * 0.95f, out = wall.inward * 0.22f;
    glm::vec3 a = centre - halfAlong + up * 1.4f, b = centre + halfAlong + up * 1.5f + out;
    addTiledBox(mesh, glm::min(a, b), glm::max(a, b), 4.0f, sill, awayFrom(wall.inward));
}

Mesh buildRoom()
{
    Mesh mesh;
    addTiledRect(mesh, {-halfWidth, 0, halfLength}, {1, 0, 0}, {0, 0, -1}, {2 * halfWidth, 2 * halfLength},
        {floorTile, floorTile}, floor);
    addTiledRect(mesh, {-halfWidth, height, -halfLength}, {1, 0, 0}, {0, 0, 1}, {2 * halfWidth, 2 * halfLength},
        {floorTile, floorTile}, ceiling);
    for (const Wall& wall : walls) {
        addWallStrip(mesh, wall, 0.0f, baseboardTop, 0.06f, 2.0f, baseboard, trim);
        addTiledRect(mesh, wall.start + up * baseboardTop, wall.along, up, {wall.length, friezeBottom - baseboardTop},
            {wallTileWidth, wallTileHeight}, room::wall);
        addWallStrip(mesh, wall, friezeBottom, height, 0.1f, 2.0f, frieze, trim);
    }
    // Pillars in the corners and where the beams rest on the long walls;
    // faces against the walls, floor and ceiling are left out.
    const float p = 0.45f;
    const unsigned sides = AllFaces & ~(PositiveY | NegativeY);
    for (float x : {-1.0f, 1.0f})
        for (float z : {-1.0f, 1.0f}) {
            glm::vec3 corner(x * halfWidth, 0, z * halfLength);
            glm::vec3 other = corner - glm::vec3(x * p, -height, z * p);
            unsigned faces = sides & ~(x > 0 ? PositiveX : NegativeX) & ~(z > 0 ? PositiveZ : NegativeZ);
            addTiledBox(mesh, glm::min(corner, other), glm::max(corner, other), 1.4f, pillar, faces);
        }
    for (float x : {-1.0f, 1.0f})
        for (float z : {-3.5f, 3.5f}) {
            glm::vec3 a(x * halfWidth, 0, z - 0.22f), b(x * (halfWidth - 0.28f), height, z + 0.22f);
            addTiledBox(mesh, glm::min(a, b), glm::max(a, b), 1.4f, pillar, sides & ~(x > 0 ? PositiveX : NegativeX));
        }
    const float beamZ[] = {-7.0f, -3.5f, 0.0f, 3.5f, 7.0f};
    for (float z : beamZ)
        addTiledBox(mesh, {-halfWidth, friezeBottom - 0.05f, z - 0.16f}, {halfWidth, height, z + 0.16f}, 2.0f, beam,
            AllFaces & ~(PositiveX | NegativeX | PositiveY));
    // Windows on both long walls, between the pillars.
    for (int w : {2, 3})
        for (float along : {3.5f, 10.5f, 17.5f}) {
            float worldZ = w == 2 ? halfLength - along : -halfLength + along;
            if (worldZ > 5.0f)
                continue;
            addWindow(mesh, walls[w], along);
        }
    // Pictures on the front wall and above the stairs, and the doorway.
    addOnWall(mesh, walls[0], 3.2f, 2.0f, 3.3f, 1.3f, 0.015f, picture);
    addOnWall(mesh, walls[0], 9.8f, 2.0f, 3.3f, 1.3f, 0.015f, picture.sub(1, 0, 0, 1));
    addOnWall(mesh, walls[1], 3.0f, 3.1f, 4.4f, 1.3f, 0.015f, picture);
    addOnWall(mesh, walls[1], 10.0f, 3.1f, 4.4f, 1.3f, 0.015f, picture.sub(1, 0, 0, 1));
    addOnWall(mesh, walls[1], halfWidth, landingHeight, doorwayTop, 2 * doorwayHalfWidth, 0.012f, doorway);
    return mesh;
}

Mesh buildStairs()
{
    Mesh mesh;
    const UvRect whole{0, 0, 1, 1};
    const float side = halfWidth - 0.01f;
    for (int k = 0; k <= stepCount; ++k) {
        float z0 = k == 0 ? stairStart : firstStepEnd + stepRun * static_cast<float>(k - 1);
        float top = k == stepCount ? landingHeight : firstStepHeight + stepRun * static_cast<float>(k);
        addBox(mesh, glm::mat4(1.0f), {-side, 0, z0}, {side, top, halfLength - 0.005f}, whole);
    }
    return mesh;
}

} // namespace

Bytes makeRoomModel()
{
    Mesh mesh = buildRoom();
    mesh.transform(glm::inverse(placement::houseNew()));
    return writeObj(mesh, "room");
}

Bytes makeStairModel()
{
    Mesh mesh = buildStairs();
    mesh.transform(glm::inverse(placement::stair()));
    return writeObj(mesh, "stairs");
}

} // namespace assetgen::models
