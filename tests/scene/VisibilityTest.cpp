#include "scene/visibility.h"

#include "app/Camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using plim::scene::isVisible;

const glm::mat4 identity(1.0f);

// With identity view and projection the clip coordinates are the centre
// itself, which puts a centre exactly on a clip plane.
bool visibleInUnitClip(const glm::vec3& centre, float margin = 0.0f)
{
    return isVisible(glm::vec3(100.0f), identity, identity, margin, false, centre, 0.0f);
}

struct Viewer {
    Camera camera;
    Viewer()
    {
        camera.position = glm::vec3(0.0f);
        camera.aspectRatio = 1.0f; // looks along -z
    }
    bool sees(const glm::vec3& centre, float radius, float margin, bool cullingOff = false) const
    {
        return isVisible(camera.position, camera.viewMatrix(), camera.projectionMatrix(), margin, cullingOff, centre,
            radius);
    }
};

TEST(Visibility, CentreInFrontIsVisibleAndBehindIsCulled)
{
    Viewer viewer;
    EXPECT_TRUE(viewer.sees(glm::vec3(0, 0, -5), 1.0f, 0.0f));
    EXPECT_FALSE(viewer.sees(glm::vec3(0, 0, 5), 1.0f, 0.0f));
    EXPECT_FALSE(viewer.sees(glm::vec3(0, 0, -250), 1.0f, 0.0f)) << "beyond the far plane";
    EXPECT_FALSE(viewer.sees(glm::vec3(20, 0, -5), 1.0f, 0.0f)) << "far to the side";
}

TEST(Visibility, EyeInsideTheSphereIsAlwaysVisible)
{
    Viewer viewer;
    // Behind the eye, but the eye is inside the 2-unit sphere.
    EXPECT_TRUE(viewer.sees(glm::vec3(0, 0, 1.5f), 2.0f, 0.0f));
    viewer.camera.turn(0.0f, 180.0f);
    EXPECT_TRUE(viewer.sees(glm::vec3(0, 0, -1.5f), 2.0f, 0.0f));
    // On the sphere's surface the eye is no longer inside (strict).
    EXPECT_FALSE(viewer.sees(glm::vec3(0, 0, -2.0f), 2.0f, 0.0f));
}

TEST(Visibility, CentreExactlyOnAClipPlaneIsCulled)
{
    EXPECT_TRUE(visibleInUnitClip(glm::vec3(0.0f)));
    EXPECT_FALSE(visibleInUnitClip(glm::vec3(1.0f, 0.0f, 0.0f)));
    EXPECT_FALSE(visibleInUnitClip(glm::vec3(0.0f, -1.0f, 0.0f)));
    EXPECT_FALSE(visibleInUnitClip(glm::vec3(0.0f, 0.0f, 1.0f)));
    EXPECT_TRUE(visibleInUnitClip(glm::vec3(std::nextafter(1.0f, 0.0f), 0.0f, 0.0f)));
}

TEST(Visibility, MarginMovesTheCentreTowardsTheAxisWithoutCrossingIt)
{
    EXPECT_TRUE(visibleInUnitClip(glm::vec3(-1.5f, 0.0f, 0.0f), 0.6f));  // -0.9
    EXPECT_FALSE(visibleInUnitClip(glm::vec3(-1.5f, 0.0f, 0.0f), 0.4f)); // -1.1
    EXPECT_TRUE(visibleInUnitClip(glm::vec3(0.0f, 1.2f, 0.0f), 0.3f));   // 0.9
    // The margin never acts on depth.
    EXPECT_FALSE(visibleInUnitClip(glm::vec3(0.0f, 0.0f, 1.5f), 10.0f));
}

TEST(Visibility, MarginLargerThanXAndYLeavesOnlyDepthToDecide)
{
    Viewer viewer;
    const glm::vec3 farToTheSide(30, -25, -10);
    EXPECT_FALSE(viewer.sees(farToTheSide, 1.0f, 0.0f));
    EXPECT_TRUE(viewer.sees(farToTheSide, 1.0f, 31.0f));
    EXPECT_FALSE(viewer.sees(glm::vec3(30, -25, -250), 1.0f, 31.0f)) << "still beyond the far plane";
    EXPECT_FALSE(viewer.sees(glm::vec3(30, -25, 10), 1.0f, 31.0f)) << "still behind";
}

TEST(Visibility, SwitchedOffCullsNothing)
{
    Viewer viewer;
    EXPECT_TRUE(viewer.sees(glm::vec3(0, 0, 5), 1.0f, 0.0f, true));
    EXPECT_TRUE(viewer.sees(glm::vec3(0, 0, -1000), 1.0f, 0.0f, true));
}

TEST(Visibility, DegenerateProjectionCulls)
{
    // w = 0 divides to NaN; a NaN is outside every range.
    EXPECT_FALSE(isVisible(glm::vec3(100.0f), identity, glm::mat4(0.0f), 0.0f, false, glm::vec3(0.0f), 0.0f));
}

} // namespace
