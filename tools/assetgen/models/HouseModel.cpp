// The house seen from outside in fly mode: walls just outside the room, a
// gabled roof with a chimney, window frames, and the title picture as a
// sign on the front. The whole house wears the title picture, so every part
// but the sign samples one of the plain swatches in its corners.
#include "Models.h"
#include "Placements.h"
#include "RoomLayout.h"
#include "Shapes.h"
#include "ThreeDsWriter.h"
#include "Transforms.h"
#include "pictures/Notices.h"

#include <cmath>

namespace assetgen::models {

namespace {

constexpr float wallX = room::halfWidth + 0.25f;
constexpr float wallZ = room::halfLength + 0.25f;
constexpr float ground = -0.1f;
constexpr float eaves = room::height + 0.4f;
constexpr float overhang = 0.55f;
constexpr float ridge = 9.0f;

constexpr UvRect patch(const pictures::Swatch& s)
{
    return {s.u0, s.v0, s.u1, s.v1};
}

constexpr UvRect wallPatch = patch(pictures::titleWallSwatch);
constexpr UvRect roofPatch = patch(pictures::titleRoofSwatch);
constexpr UvRect trimPatch = patch(pictures::titleTrimSwatch);
constexpr UvRect stonePatch = patch(pictures::titleStoneSwatch);
// The card inside its corner swatches.
constexpr UvRect signPicture{0.002f, 0.002f, 0.998f, 0.998f};

void addTriangle(Mesh& mesh, const glm::vec3& a, const glm::vec3& b, const glm::vec3& c, const UvRect& uv)
{
    glm::vec3 n = glm::normalize(glm::cross(b - a, c - a));
    mesh.addTriangle(mesh.addVertex(a, n, uv.at(0, 0)), mesh.addVertex(b, n, uv.at(1, 0)), mesh.addVertex(c, n, uv.at(0.5f, 1)));
}

Mesh buildHouse()
{
    Mesh mesh;
    // Outer walls only: nothing may stand inside the room.
    addQuad(mesh, {-wallX, ground, -wallZ}, {-wallX, ground, wallZ}, {-wallX, eaves, wallZ}, {-wallX, eaves, -wallZ}, wallPatch);
    addQuad(mesh, {wallX, ground, wallZ}, {wallX, ground, -wallZ}, {wallX, eaves, -wallZ}, {wallX, eaves, wallZ}, wallPatch);
    addQuad(mesh, {wallX, ground, -wallZ}, {-wallX, ground, -wallZ}, {-wallX, eaves, -wallZ}, {wallX, eaves, -wallZ}, wallPatch);
    addQuad(mesh, {-wallX, ground, wallZ}, {wallX, ground, wallZ}, {wallX, eaves, wallZ}, {-wallX, eaves, wallZ}, wallPatch);
    // A stone skirt round the foot of the walls.
    const float skirt = 0.12f;
    for (float side : {-1.0f, 1.0f}) {
        addBox(mesh, glm::mat4(1.0f), {side > 0 ? wallX : -wallX - skirt, ground - 0.3f, -wallZ - skirt},
            {side > 0 ? wallX + skirt : -wallX, 0.5f, wallZ + skirt}, stonePatch);
        addBox(mesh, glm::mat4(1.0f), {-wallX, ground - 0.3f, side > 0 ? wallZ : -wallZ - skirt},
            {wallX, 0.5f, side > 0 ? wallZ + skirt : -wallZ}, stonePatch);
    }
    // Gables under the roof.
    float gableTop = eaves + wallX * (ridge - eaves) / (wallX + overhang);
    addTriangle(mesh, {wallX, eaves, -wallZ}, {-wallX, eaves, -wallZ}, {0, gableTop, -wallZ}, wallPatch);
    addTriangle(mesh, {-wallX, eaves, wallZ}, {wallX, eaves, wallZ}, {0, gableTop, wallZ}, wallPatch);
    // Two roof slabs from the eaves to the ridge, reaching past the gables.
    float run = wallX + overhang, rise = ridge - eaves;
    float length = std::sqrt(run * run + rise * rise);
    float slope = glm::degrees(std::atan2(rise, run));
    for (float side : {-1.0f, 1.0f}) {
        glm::mat4 slab = at(side * run, eaves - 0.1f, 0) * turned(-side * slope, zAxis);
        glm::vec3 lo = side > 0 ? glm::vec3(-length - 0.05f, 0, -wallZ - overhang) : glm::vec3(0, 0, -wallZ - overhang);
        glm::vec3 hi = side > 0 ? glm::vec3(0, 0.18f, wallZ + overhang) : glm::vec3(length + 0.05f, 0.18f, wallZ + overhang);
        addBox(mesh, slab, lo, hi, roofPatch);
    }
    addBox(mesh, glm::mat4(1.0f), {2.2f, 6.6f, 4.0f}, {3.2f, 10.2f, 5.0f}, stonePatch);
    addBox(mesh, glm::mat4(1.0f), {2.1f, 10.2f, 3.9f}, {3.3f, 10.45f, 5.1f}, trimPatch);
    // Window frames on the long sides where the room has its windows.
    for (float side : {-1.0f, 1.0f})
        for (float z : {-7.0f, 0.0f, 7.0f}) {
            float x0 = side * wallX, x1 = side * (wallX + 0.1f);
            addBox(mesh, glm::mat4(1.0f), {std::fmin(x0, x1), 1.4f, z - 0.95f}, {std::fmax(x0, x1), 1.55f, z + 0.95f}, trimPatch);
            addBox(mesh, glm::mat4(1.0f), {std::fmin(x0, x1), 3.4f, z - 0.95f}, {std::fmax(x0, x1), 3.55f, z + 0.95f}, trimPatch);
            for (float dz : {-0.95f, 0.8f, -0.075f})
                addBox(mesh, glm::mat4(1.0f), {std::fmin(x0, x1), 1.55f, z + dz}, {std::fmax(x0, x1), 3.4f, z + dz + 0.15f}, trimPatch);
        }
    // The sign: the title picture in a frame on the front wall.
    const float signWidth = 5.6f, signBottom = 1.5f, signTop = 5.0f, signZ = -wallZ - 0.12f;
    addQuad(mesh, {signWidth * 0.5f, signBottom, signZ}, {-signWidth * 0.5f, signBottom, signZ}, {-signWidth * 0.5f, signTop, signZ},
        {signWidth * 0.5f, signTop, signZ}, signPicture);
    const float f = 0.15f;
    glm::vec3 frameParts[4][2] = {
        {{-signWidth * 0.5f - f, signBottom - f, signZ}, {signWidth * 0.5f + f, signBottom, -wallZ}},
        {{-signWidth * 0.5f - f, signTop, signZ}, {signWidth * 0.5f + f, signTop + f, -wallZ}},
        {{-signWidth * 0.5f - f, signBottom, signZ}, {-signWidth * 0.5f, signTop, -wallZ}},
        {{signWidth * 0.5f, signBottom, signZ}, {signWidth * 0.5f + f, signTop, -wallZ}}};
    for (auto& part : frameParts)
        addBox(mesh, glm::mat4(1.0f), part[0] - glm::vec3(0, 0, 0.03f), part[1], trimPatch);
    return mesh;
}

} // namespace

Bytes makeHouseModel()
{
    Mesh mesh = buildHouse();
    mesh.transform(glm::inverse(placement::house()));
    return writeThreeDs(mesh, "house", "Level1.png");
}

} // namespace assetgen::models
