// The fourth robot: a bell-shaped sentry on a studded skirt with a glass
// dome, one big eye, a plunger arm and a whisk arm. It does not bend; the
// game spins it about its upright axis, which is the model's y axis.
#include "Models.h"
#include "ObjWriter.h"
#include "Placements.h"
#include "Shapes.h"
#include "SpinnerLayout.h"
#include "Transforms.h"

#include <glm/gtc/constants.hpp>

#include <cmath>

namespace assetgen::models {

namespace {

using namespace spinner;

Mesh buildSpinner()
{
    Mesh mesh;
    addLathe(mesh, glm::mat4(1.0f),
        {{0, 0}, {0.5f, 0}, {0.53f, 0.04f}, {0.5f, 0.1f}, {0.4f, 0.55f}, {0.36f, 0.6f}, {0, 0.6f}}, 32, skirt, false);
    // Studs round the skirt, on its slope.
    for (int i = 0; i < 10; ++i) {
        float a = glm::two_pi<float>() * (static_cast<float>(i) + 0.5f) / 10.0f;
        for (float y : {0.2f, 0.4f}) {
            float r = 0.48f - (y - 0.1f) * 0.22f + 0.01f;
            addSphere(mesh, at(r * std::sin(a), y, r * std::cos(a)), 0.045f, 10, 6, stud);
        }
    }
    addLathe(mesh, glm::mat4(1.0f), {{0, 0.6f}, {0.35f, 0.6f}, {0.35f, 0.85f}, {0, 0.85f}}, 32, band, false);
    addTorus(mesh, at(0, 0.85f, 0), 0.34f, 0.03f, 32, 8, dark);
    addLathe(mesh, glm::mat4(1.0f), {{0, 0.85f}, {0.33f, 0.85f}, {0.3f, 1.05f}, {0.27f, 1.1f}, {0, 1.1f}}, 32, band, false);
    // The dome with the eye looking out of its front.
    std::vector<glm::vec2> domeProfile;
    for (int i = 0; i <= 10; ++i) {
        float a = glm::half_pi<float>() * static_cast<float>(i) / 10.0f;
        domeProfile.emplace_back(0.26f * std::cos(a), 1.1f + 0.26f * std::sin(a));
    }
    domeProfile.back().x = 0.0f;
    domeProfile.insert(domeProfile.begin(), glm::vec2(0, 1.1f));
    addLathe(mesh, glm::mat4(1.0f), domeProfile, 32, dome, true);
    addCylinder(mesh, at(0, 1.2f, 0.16f) * turned(72, xAxis), 0.085f, 0.0f, 0.09f, 20, eye);
    // A bulb on a stalk, and a ring round it.
    addRod(mesh, {0, 1.34f, 0}, {0, 1.45f, 0}, 0.015f, 8, dark);
    addSphere(mesh, at(0, 1.48f, 0), 0.05f, 12, 8, bulb);
    // The plunger arm on the left, the whisk arm on the right.
    addRod(mesh, {0.25f, 0.73f, 0.2f}, {0.42f, 0.74f, 0.62f}, 0.025f, 10, arm);
    addLathe(mesh, at(0.42f, 0.74f, 0.62f) * turned(68, xAxis),
        {{0, 0}, {0.03f, 0}, {0.09f, 0.08f}, {0.1f, 0.1f}, {0, 0.1f}}, 16, dark, false);
    addRod(mesh, {-0.25f, 0.73f, 0.2f}, {-0.4f, 0.72f, 0.6f}, 0.02f, 10, arm);
    for (int i = 0; i < 4; ++i) {
        glm::mat4 loop = at(-0.4f, 0.72f, 0.66f) * turned(68, xAxis) * turned(45.0f * static_cast<float>(i), yAxis);
        addTorus(mesh, loop * turned(90, xAxis), 0.05f, 0.006f, 12, 4, arm);
    }
    return mesh;
}

} // namespace

Bytes makeSpinnerModel()
{
    Mesh mesh = buildSpinner();
    // On its spot (5.5, 0, 6.8); the model's origin stays on the upright
    // axis so the game's spin turns it on the spot.
    mesh.transform(placement::worldToModel(placement::robot4(), {5.5f, 0.0f, 6.8f}, -45.0f));
    return writeObj(mesh, "spinner");
}

} // namespace assetgen::models
