// Where the models stand in the world once the scene's placement calls are
// applied: the room round the walk area, the stairs and the door the game's
// rules expect, the jukebox and its glowing front, the robots on the floor
// and the flying robot facing the intro camera with its eyes on its face.
#include "GameModel.h"

#include <gtest/gtest.h>

namespace {

using namespace game_model;

constexpr float walkX = 6.0f, walkZ = 9.8f;

// The height of the first surface under (x, from, z), or -1 where there is
// none.
float surfaceHeight(const std::vector<Triangle>& triangles, float x, float z, float from = 50.0f)
{
    float hit = rayHit({x, from, z}, {0, -1, 0}, triangles);
    return hit < 0.0f ? -1.0f : from - hit;
}

TEST(RoomPlacement, FloorWallsAndCeilingSurroundTheWalkArea)
{
    Placed room("houseNew");
    std::vector<Triangle> triangles = room.triangles();
    ASSERT_FALSE(triangles.empty());
    Bounds bounds = boundsOf(room.world());
    EXPECT_NEAR(bounds.min.y, 0.0f, 0.01f) << "the floor is at y = 0";
    EXPECT_GT(bounds.max.y, 5.0f);
    EXPECT_LT(bounds.max.y, 6.5f);
    for (float x : {-5.9f, 0.0f, 5.9f})
        for (float z : {-9.7f, 0.0f, 9.7f}) {
            EXPECT_NEAR(surfaceHeight(triangles, x, z, 1.0f), 0.0f, 1e-3f) << "floor under " << x << ", " << z;
            // Straight up from the floor, the ceiling is above the spotlights.
            float up = rayHit({x, 0.5f, z}, {0, 1, 0}, triangles);
            EXPECT_GT(0.5f + up, 4.6f) << "ceiling over " << x << ", " << z;
            EXPECT_LT(0.5f + up, 6.0f);
        }
    // Walls just outside the walk bounds in every direction, at any height
    // a player's eye can reach.
    for (float y : {1.0f, 2.0f, 3.8f})
        for (glm::vec3 direction : {glm::vec3(1, 0, 0), glm::vec3(-1, 0, 0), glm::vec3(0, 0, 1), glm::vec3(0, 0, -1)})
            for (float offset : {-3.0f, 0.0f, 3.0f}) {
                glm::vec3 from(direction.z != 0 ? offset : 0.0f, y, direction.x != 0 ? offset : 0.0f);
                float reach = rayHit(from, direction, triangles);
                float bound = direction.x != 0 ? walkX : walkZ;
                ASSERT_GT(reach, 0.0f);
                EXPECT_GT(reach, bound) << "wall inside the walk bounds towards " << direction.x << "," << direction.z;
                EXPECT_LT(reach, bound + 1.0f) << "wall far outside the walk bounds";
            }
    // Nothing of the room stands in the space the player walks through.
    for (const Triangle& t : triangles) {
        Bounds b = boundsOf({t.a, t.b, t.c});
        bool intrudes = b.max.x > -walkX + 0.01f && b.min.x < walkX - 0.01f && b.max.z > -walkZ + 0.01f
            && b.min.z < walkZ - 0.01f && b.max.y > 0.01f && b.min.y < 4.0f;
        ASSERT_FALSE(intrudes) << "a face at " << t.centre().x << ", " << t.centre().y << ", " << t.centre().z;
    }
}

TEST(RoomPlacement, FacesOfTheShellPointIntoTheRoom)
{
    Placed room("houseNew");
    Bounds bounds = boundsOf(room.world());
    int shellFaces = 0;
    for (const Triangle& t : room.triangles()) {
        glm::vec3 c = t.centre(), n = t.normal();
        // Faces lying on the outer shell: floor, ceiling and the four walls.
        bool onShell = std::fabs(c.y - bounds.min.y) < 1e-3f || std::fabs(c.y - bounds.max.y) < 1e-3f
            || std::fabs(std::fabs(c.x) - bounds.max.x) < 1e-3f || std::fabs(std::fabs(c.z) - bounds.max.z) < 1e-3f;
        if (!onShell)
            continue;
        ++shellFaces;
        glm::vec3 toMiddle = glm::vec3(0, 2.5f, 0) - c;
        ASSERT_GT(glm::dot(n, toMiddle), 0.0f) << "a shell face at " << c.x << ", " << c.y << ", " << c.z << " faces out";
    }
    EXPECT_GT(shellFaces, 100);
    // The stored normals agree with the winding.
    const aiMesh* mesh = room.file().mesh;
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(room.placement())));
    std::vector<glm::vec3> world = room.world();
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        Triangle t{world[face.mIndices[0]], world[face.mIndices[1]], world[face.mIndices[2]]};
        const aiVector3D& stored = mesh->mNormals[face.mIndices[0]];
        glm::vec3 n = glm::normalize(normalMatrix * glm::vec3(stored.x, stored.y, stored.z));
        ASSERT_GT(glm::dot(n, t.normal()), 0.9f) << "face " << f;
    }
}

TEST(StairPlacement, RisesOneUnitPerUnitOfZAcrossTheWholeWidth)
{
    Placed stair("stair");
    std::vector<Triangle> triangles = stair.triangles();
    Bounds bounds = boundsOf(stair.world());
    EXPECT_NEAR(bounds.min.y, 0.0f, 1e-3f);
    EXPECT_NEAR(bounds.min.z, 8.0f, 0.02f) << "the stairs start at z = 8";
    EXPECT_GT(bounds.max.z, 10.4f) << "the stairs reach the back wall";
    EXPECT_LT(bounds.max.z, 10.5f);
    for (float x : {-5.99f, -3.0f, 0.0f, 2.5f, 5.99f}) {
        float previous = 0.0f;
        double sumZ = 0, sumH = 0, sumZZ = 0, sumZH = 0, offset = 0;
        int n = 0;
        for (float z = 8.05f; z <= 9.8f; z += 0.05f) {
            float h = surfaceHeight(triangles, x, z);
            ASSERT_GT(h, 0.0f) << "no step under " << x << ", " << z;
            EXPECT_GE(h, previous) << "the stairs go down at " << x << ", " << z;
            // The eye-height rule lifts the player by z - 8 on a ramp; the
            // treads of half-unit steps stay within a step of that line,
            // and follow it on average.
            EXPECT_NEAR(h, z - 8.0f, 0.45f) << x << ", " << z;
            offset += h - (z - 8.0f);
            previous = h;
            sumZ += z;
            sumH += h;
            sumZZ += double(z) * z;
            sumZH += double(z) * h;
            ++n;
        }
        double slope = (n * sumZH - sumZ * sumH) / (n * sumZZ - sumZ * sumZ);
        EXPECT_LT(std::fabs(offset / n), 0.2) << "the treads sit off the player's line at x = " << x;
        EXPECT_NEAR(slope, 1.0, 0.1) << "rise per unit of z at x = " << x;
        EXPECT_LT(surfaceHeight(triangles, x, 7.9f), 0.0f) << "no step before z = 8";
    }
}

TEST(DoorPlacement, StandsOnTheTopStepAgainstTheBackWallWithinTheDoorTest)
{
    Placed door("door"), stair("stair"), room("houseNew");
    Bounds bounds = boundsOf(door.world());
    glm::vec3 centre = bounds.centre();
    EXPECT_NEAR(centre.x, 0.0f, 0.02f);
    float width = bounds.max.x - bounds.min.x, height = bounds.max.y - bounds.min.y;
    EXPECT_GT(width, 1.1f);
    EXPECT_LT(width, 1.6f);
    EXPECT_GT(height, 2.2f);
    EXPECT_LT(height, 2.6f);
    // Inside the door test: within 2 of (0, 10) in the floor plane.
    EXPECT_LE(glm::length(glm::vec2(centre.x, centre.z - 10.0f)), 2.0f);
    // Its foot on the top of the stairs, its back against the back wall.
    float top = surfaceHeight(stair.triangles(), 0.0f, bounds.max.z - 0.01f);
    EXPECT_NEAR(bounds.min.y, top, 0.01f);
    float wall = rayHit({0, 3, 0}, {0, 0, 1}, room.triangles());
    EXPECT_LE(bounds.max.z, wall + 1e-3f);
    EXPECT_GT(bounds.max.z, wall - 0.05f);
}

TEST(JukeboxPlacement, StandsInItsCornerWithTheGlowingFrontExactlyOnItsFace)
{
    Placed jukebox("jukebox"), front("jukeboxFront");
    Bounds bounds = boundsOf(jukebox.world());
    EXPECT_NEAR(bounds.min.y, 0.0f, 1e-3f) << "on the floor";
    EXPECT_NEAR(bounds.centre().x, 4.8f, 0.15f);
    EXPECT_NEAR(bounds.centre().z, -8.4f, 0.15f);
    std::vector<Triangle> frontTriangles = front.triangles();
    ASSERT_FALSE(frontTriangles.empty());
    glm::vec3 n = frontTriangles[0].normal();
    // Facing into the room, diagonally out of its corner.
    EXPECT_GT(glm::dot(n, glm::normalize(glm::vec3(-1, 0, 1))), 0.99f);
    glm::vec3 p0 = frontTriangles[0].a;
    std::vector<glm::vec3> frontPoints = front.world();
    for (const glm::vec3& p : frontPoints)
        ASSERT_NEAR(glm::dot(p - p0, n), 0.0f, 1e-3f) << "the glowing front is flat";
    for (const Triangle& t : frontTriangles)
        ASSERT_GT(glm::dot(t.normal(), n), 0.999f);
    // Each point of it lies on a face of the cabinet, a hair in front.
    std::vector<Triangle> cabinet = jukebox.triangles();
    for (const glm::vec3& p : frontPoints) {
        float behind = rayHit(p, -n, cabinet);
        ASSERT_GE(behind, 0.0f) << "a point of the front is off the cabinet";
        ASSERT_LT(behind, 0.005f) << "a point of the front floats off the cabinet";
    }
}

TEST(RobotPlacement, StandOnTheFloorWhereTheSceneExpectsThem)
{
    struct Spot {
        const char* global;
        float x, z, floor;
    };
    for (Spot spot : {Spot{"robot1Bottom", 5, 1, 0}, Spot{"robot3", -4.5f, -0.5f, 0}, Spot{"robot4", 5.5f, 6.8f, 0},
             Spot{"robot6A", -4.5f, 6.3f, 0}, Spot{"robot6B", 3, 8.9f, 0.75f}, Spot{"robot6C", -3.7f, -6.2f, 0},
             Spot{"robot6D", -3.9f, -7.2f, 0}}) {
        SCOPED_TRACE(spot.global);
        Placed robot(spot.global);
        std::vector<glm::vec3> points = robot.world(0.0);
        Bounds bounds = boundsOf(points);
        EXPECT_NEAR(bounds.min.y, spot.floor, 0.01f) << "feet on the floor";
        Bounds feet;
        for (const glm::vec3& p : points)
            if (p.y < bounds.min.y + 0.03f)
                feet.add(p);
        glm::vec3 footprint = feet.centre();
        EXPECT_NEAR(footprint.x, spot.x, 0.12f);
        EXPECT_NEAR(footprint.z, spot.z, 0.12f);
        if (std::string(spot.global) != "robot1Bottom") { // its upper half stands on it
            EXPECT_GT(bounds.max.y - bounds.min.y, 1.0f) << "tall enough to read as a robot";
        }
        EXPECT_LT(bounds.max.y - bounds.min.y, 2.8f) << "fits under the ceiling";
    }
}

TEST(RobotPlacement, TheDancerOnTheStairsStandsOnOneTread)
{
    Placed robot("robot6B"), stair("stair");
    std::vector<Triangle> steps = stair.triangles();
    for (double t : {0.0, 1.0, 2.2, 3.7, 5.0, 6.1, 8.0, 9.3}) {
        std::vector<glm::vec3> points = robot.world(t);
        float lowest = boundsOf(points).min.y;
        for (const glm::vec3& p : points)
            if (p.y < lowest + 0.02f) {
                ASSERT_NEAR(surfaceHeight(steps, p.x, p.z), lowest, 0.01f) << "a foot off its tread at time " << t;
            }
    }
}

TEST(RobotPlacement, TheTwoHalvesOfTheFirstRobotMeetAtTheWaist)
{
    Placed top("robot1Top"), bottom("robot1Bottom");
    Bounds lower = boundsOf(bottom.world());
    Bounds upper = boundsOf(top.world(1.0));
    EXPECT_NEAR(upper.min.y, lower.max.y, 0.02f);
    EXPECT_NEAR(upper.centre().x, lower.centre().x, 0.15f);
    EXPECT_NEAR(upper.centre().z, lower.centre().z, 0.15f);
}

TEST(RobotPlacement, TheSpinningRobotTurnsOnTheSpot)
{
    Placed robot("robot4");
    const aiMesh* mesh = robot.file().mesh;
    std::vector<glm::vec3> model = robot.file().positions();
    // The game spins it by rotations about the model's y axis, multiplied
    // on the right: its footprint must stay where it is.
    for (float degrees : {0.0f, 90.0f, 200.0f}) {
        glm::mat4 spun = glm::rotate(robot.placement(), glm::radians(degrees), glm::vec3(0, 1, 0));
        std::vector<glm::vec3> points = transformed(spun, model);
        Bounds bounds = boundsOf(points);
        EXPECT_NEAR(bounds.min.y, 0.0f, 0.01f);
        Bounds feet;
        for (const glm::vec3& p : points)
            if (p.y < 0.02f)
                feet.add(p);
        glm::vec3 footprint = feet.centre();
        EXPECT_NEAR(footprint.x, 5.5f, 0.01f) << degrees;
        EXPECT_NEAR(footprint.z, 6.8f, 0.01f) << degrees;
    }
    EXPECT_GT(mesh->mNumVertices, 0u);
}

TEST(FlyingRobotPlacement, FacesTheIntroCameraWithItsEyesOnItsFace)
{
    Placed robot("flyingRobot"), eyes("robot5Eyes");
    Bounds body = boundsOf(robot.world(0.0));
    std::vector<glm::vec3> eyePoints = eyes.world();
    Bounds eyeBounds = boundsOf(eyePoints);
    glm::vec3 middle(52.6f, 11.0f, -18.74f);
    EXPECT_LT(glm::length(body.centre() - middle), 0.6f) << "hovering at its place";
    glm::vec3 look = glm::normalize(eyeBounds.centre() - middle);
    EXPECT_LT(look.x, -0.9f) << "the eyes look towards -x";
    // The eyes are thin closed lenses: the faces that point out of the body,
    // not their backs against it or their rims, show the eyes to the camera.
    std::vector<Triangle> eyeTriangles = eyes.triangles();
    std::size_t outer = 0;
    for (const Triangle& t : eyeTriangles) {
        if (glm::dot(t.normal(), glm::normalize(t.centre() - middle)) < 0.5f)
            continue;
        ++outer;
        ASSERT_LT(t.normal().x, -0.3f) << "an eye face turned away from the intro camera";
    }
    EXPECT_GE(outer, eyeTriangles.size() / 4);
    // From every point of the intro flight the eyes are in front of the body.
    // (It comes into the camera's view low in the descent, at y of about 12.9.)
    std::vector<Triangle> still = robot.triangles(0.0);
    for (glm::vec3 camera : {glm::vec3(48.6f, 12.8f, -18.74f), glm::vec3(48.6f, 12.2f, -18.74f), glm::vec3(50.0f, 12.2f, -18.74f)}) {
        int seen = 0;
        for (const glm::vec3& p : eyePoints) {
            glm::vec3 toEye = p - camera;
            float hit = rayHit(camera, glm::normalize(toEye), still);
            seen += hit < 0.0f || hit > glm::length(toEye) - 1e-3f;
        }
        EXPECT_GT(seen, int(eyePoints.size() * 9 / 10)) << "the body hides the eyes from " << camera.x << ", " << camera.y;
    }
    // Every eye point lies on the face, at every moment of the hover.
    for (double t : {0.0, 0.7, 1.5, 2.0}) {
        std::vector<Triangle> bodyTriangles = robot.triangles(t);
        for (const glm::vec3& p : eyePoints) {
            float depth = rayHit(p, glm::normalize(middle - p), bodyTriangles);
            ASSERT_GE(depth, 0.0f) << "an eye point off the face at time " << t;
            ASSERT_LT(depth, 0.01f) << "an eye point floats off the face at time " << t;
        }
    }
}

TEST(HousePlacement, TheExteriorWrapsTheRoomAndCarriesTheTitleSign)
{
    Placed house("house"), room("houseNew");
    Bounds roomBounds = boundsOf(room.world());
    std::vector<glm::vec3> points = house.world();
    Bounds bounds = boundsOf(points);
    EXPECT_GT(bounds.max.y, roomBounds.max.y + 1.0f) << "a roof above the ceiling";
    EXPECT_LT(bounds.min.x, roomBounds.min.x);
    EXPECT_GT(bounds.max.z, roomBounds.max.z);
    // Nothing of the outside inside the room.
    for (const Triangle& t : house.triangles()) {
        glm::vec3 c = t.centre();
        ASSERT_FALSE(std::fabs(c.x) < roomBounds.max.x - 1e-3f && std::fabs(c.z) < roomBounds.max.z - 1e-3f
            && c.y > roomBounds.min.y && c.y < roomBounds.max.y)
            << "a face of the house inside the room at " << c.x << ", " << c.y << ", " << c.z;
    }
    // The sign: the faces that show the whole title picture. They stand
    // outside, upright and facing away from the house, and show the
    // picture the right way up and not mirrored.
    const aiMesh* mesh = house.file().mesh;
    float signArea = 0.0f;
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        glm::vec3 p[3];
        glm::vec2 t[3];
        for (int k = 0; k < 3; ++k) {
            p[k] = points[face.mIndices[k]];
            t[k] = glm::vec2(mesh->mTextureCoords[0][face.mIndices[k]].x, mesh->mTextureCoords[0][face.mIndices[k]].y);
        }
        glm::vec2 du = t[1] - t[0], dv = t[2] - t[0];
        float uvArea = 0.5f * std::fabs(du.x * dv.y - du.y * dv.x);
        if (uvArea < 0.4f)
            continue;
        glm::vec3 e1 = p[1] - p[0], e2 = p[2] - p[0];
        float det = du.x * dv.y - du.y * dv.x;
        glm::vec3 alongU = (e1 * dv.y - e2 * du.y) / det, alongV = (e2 * du.x - e1 * dv.x) / det;
        glm::vec3 n = glm::normalize(glm::cross(e1, e2));
        glm::vec3 c = (p[0] + p[1] + p[2]) / 3.0f;
        EXPECT_TRUE(std::fabs(c.x) > roomBounds.max.x || std::fabs(c.z) > roomBounds.max.z) << "the sign is inside";
        EXPECT_LT(std::fabs(n.y), 0.05f) << "the sign is not upright";
        EXPECT_GT(glm::dot(n, glm::vec3(c.x, 0, c.z)), 0.0f) << "the sign faces into the house";
        EXPECT_GT(glm::normalize(alongV).y, 0.99f) << "the picture is upside down or on its side";
        EXPECT_GT(glm::dot(glm::cross(alongU, alongV), n), 0.0f) << "the picture is mirrored";
        signArea += 0.5f * glm::length(glm::cross(e1, e2));
    }
    EXPECT_GT(signArea, 8.0f) << "a sign big enough to read from the air";
}

} // namespace
