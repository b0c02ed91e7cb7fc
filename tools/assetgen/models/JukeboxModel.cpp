// The jukebox in the room's front corner: an arch-topped cabinet with a
// record window, a speaker grille and bubble columns, and the separate
// glowing tubes that lie on its front face.
#include "JukeboxLayout.h"
#include "Models.h"
#include "ColladaWriter.h"
#include "ObjWriter.h"
#include "Placements.h"
#include "Shapes.h"
#include "Transforms.h"

#include <glm/gtc/constants.hpp>

#include <cmath>

namespace assetgen::models {

namespace {

using namespace jukebox;

// Where the jukebox stands, turned to face the room.
const glm::vec3 standing(4.8f, 0.0f, -8.4f);
constexpr float facing = -45.0f;

// Built facing +z, standing on y = 0, its middle on x = z = 0.
Mesh buildCabinet()
{
    Mesh mesh;
    addPrism(mesh, at(0, plinth, 0), archOutline(width, shoulder, 32), backZ, frontZ, front, back, cabinet);
    addBox(mesh, glm::mat4(1.0f), {-width * 0.54f, 0, backZ - 0.02f}, {width * 0.54f, plinth, frontZ + 0.04f}, chrome);
    for (float side : {-1.0f, 1.0f}) {
        glm::vec3 base(side * (width * 0.5f + 0.015f), plinth, frontZ - 0.06f);
        addCylinder(mesh, at(base), 0.05f, 0.0f, shoulder, 16, bubbles);
        addSphere(mesh, at(base + glm::vec3(0, shoulder, 0)), 0.058f, 16, 8, chrome);
    }
    // A chrome rail with the selection buttons under the record window.
    addBox(mesh, glm::mat4(1.0f), {-0.3f, 0.64f, frontZ}, {0.3f, 0.7f, frontZ + 0.035f}, chrome);
    return mesh;
}

// The glowing tubes: a band round the arch and a bar across it, flat on the
// front face.
Mesh buildTubes()
{
    Mesh mesh;
    const UvRect whole{0, 0, 1, 1};
    const float z = frontZ + 0.002f;
    const float centreY = plinth + shoulder;
    auto pathPoint = [&](float u, float inset) {
        // u runs up the left side (0-1), over the arch (1-2), down the right (2-3).
        float r = width * 0.5f - inset;
        if (u <= 1.0f)
            return glm::vec3(-r, glm::mix(tubeBottom, centreY, u), z);
        if (u <= 2.0f) {
            float a = glm::pi<float>() * (2.0f - u);
            return glm::vec3(r * std::cos(a), centreY + r * std::sin(a), z);
        }
        return glm::vec3(r, glm::mix(centreY, tubeBottom, u - 2.0f), z);
    };
    std::vector<float> steps{0.0f, 1.0f};
    for (int i = 1; i <= 32; ++i)
        steps.push_back(1.0f + static_cast<float>(i) / 32.0f);
    steps.push_back(3.0f);
    for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
        float u0 = steps[i], u1 = steps[i + 1];
        addQuad(mesh, pathPoint(u0, tubeOuterInset), pathPoint(u0, tubeInnerInset), pathPoint(u1, tubeInnerInset),
            pathPoint(u1, tubeOuterInset), whole.sub(u0 / 3.0f, 0, u1 / 3.0f, 1));
    }
    float r = width * 0.5f - tubeInnerInset;
    addQuad(mesh, {-r, barBottom, z}, {r, barBottom, z}, {r, barTop, z}, {-r, barTop, z}, whole);
    return mesh;
}

} // namespace

Bytes makeJukeboxModel()
{
    Mesh mesh = buildCabinet();
    mesh.transform(placement::worldToModel(placement::jukebox(), standing, facing));
    ColladaDocument document;
    document.name = "jukebox";
    document.mesh = &mesh;
    document.zUp = true;
    return writeCollada(document);
}

Bytes makeJukeboxFrontModel()
{
    Mesh mesh = buildTubes();
    mesh.transform(placement::worldToModel(placement::jukeboxFront(), standing, facing));
    return writeObj(mesh, "jukeboxFront");
}

} // namespace assetgen::models
