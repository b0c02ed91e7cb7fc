#include "scene/SceneObject.h"

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

namespace {

using plim::scene::SceneObject;

// The shared placement behaviour without any GL: a subclass that only passes
// the calls on.
class Placed : public SceneObject {
public:
    Placed()
        : SceneObject(glm::mat4(1.0f))
    {
    }
    void update(double deltaTime) override { SceneObject::update(deltaTime); }
    void draw() override {}
    void translate(double x, double y, double z) override { SceneObject::translate(x, y, z); }
    void scale(double x, double y, double z) override { SceneObject::scale(x, y, z); }
    void rotate(double x, double y, double z, float angle) override { SceneObject::rotate(x, y, z, angle); }

    glm::vec3 place(const glm::vec3& local) const { return glm::vec3(modelMatrix * glm::vec4(local, 1.0f)); }
};

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(Placement, TranslationAfterScaleIsScaled)
{
    Placed object;
    object.scale(2, 2, 2);
    object.translate(1, 0, 0);
    expectNear(object.place(glm::vec3(0.0f)), glm::vec3(2, 0, 0));
}

TEST(Placement, CallsApplyToVerticesInReverseOrder)
{
    // translate, scale, rotate: the vertex is rotated first, then scaled, then moved.
    Placed object;
    object.translate(10, 0, 0);
    object.scale(2, 3, 1);
    object.rotate(0, 0, 1, 90);
    // (1, 0, 0) rotates to (0, 1, 0), scales to (0, 3, 0), moves to (10, 3, 0).
    expectNear(object.place(glm::vec3(1, 0, 0)), glm::vec3(10, 3, 0));
}

TEST(Placement, RotationAxisIsMadeUnitLength)
{
    Placed unit;
    unit.rotate(0, 0, 1, 90);
    Placed longAxis;
    longAxis.rotate(0, 0, 2, 90);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(unit.modelMatrix[c][r], longAxis.modelMatrix[c][r], 1e-6f);
    expectNear(unit.place(glm::vec3(1, 0, 0)), glm::vec3(0, 1, 0));
}

TEST(Placement, UpdateTurnsNinetyDegreesPerSecondAboutTheOwnYAxis)
{
    Placed object;
    object.translate(5, 0, 0);
    object.update(1.0);
    expectNear(object.place(glm::vec3(0.0f)), glm::vec3(5, 0, 0)); // turns in place
    expectNear(object.place(glm::vec3(1, 0, 0)), glm::vec3(5, 0, -1));

    Placed halves;
    halves.translate(5, 0, 0);
    halves.update(0.5);
    halves.update(0.5);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(halves.modelMatrix[c][r], object.modelMatrix[c][r], 1e-5f);
}

} // namespace
