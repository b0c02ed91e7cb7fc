// The robots' dances posed as the game poses them (keys only, identity
// below non-bones, parent × local × offset) and placed in the room: every
// clip loops without a jump, moves smoothly, and keeps the feet on the
// floor at every moment.
#include "GameModel.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace game_model;

struct Dancer {
    const char* global;
    float floor; // where its lowest point must stay
};

const Dancer dancers[] = {{"robot1Top", 0.8f}, {"robot3", 0.0f}, {"flyingRobot", -1.0f}, {"robot6A", 0.0f},
    {"robot6B", 0.75f}, {"robot6C", 0.0f}, {"robot6D", 0.0f}};

float largestMove(const std::vector<glm::vec3>& a, const std::vector<glm::vec3>& b)
{
    float largest = 0.0f;
    for (std::size_t i = 0; i < a.size(); ++i)
        largest = std::fmax(largest, glm::length(a[i] - b[i]));
    return largest;
}

TEST(RobotDances, EveryClipLoopsWithoutAJump)
{
    for (const Dancer& dancer : dancers) {
        Placed robot(dancer.global);
        ASSERT_TRUE(robot.skinned()) << dancer.global;
        for (const Clip& clip : clipsOf(sceneModel(dancer.global).file)) {
            SCOPED_TRACE(std::string(dancer.global) + " clip from " + std::to_string(clip.start));
            // The clock wraps from the clip's end back to its start.
            EXPECT_LT(largestMove(robot.world(clip.end), robot.world(clip.start)), 1e-3f);
            // And the clip really moves in between.
            float moved = 0.0f;
            for (double part : {0.15, 0.3, 0.45, 0.7, 0.85})
                moved = std::fmax(moved, largestMove(robot.world(clip.start + part * (clip.end - clip.start)), robot.world(clip.start)));
            EXPECT_GT(moved, 0.1f);
        }
    }
}

TEST(RobotDances, MoveSmoothlyThroughEveryClip)
{
    // The fastest clock runs at 2.5 units a second: a step of 0.01 is a
    // frame at 250 frames a second. A hand flung at 15 units a second
    // moves 0.06 in it; a pose that flips between keys moves far more.
    for (const Dancer& dancer : dancers) {
        Placed robot(dancer.global);
        for (const Clip& clip : clipsOf(sceneModel(dancer.global).file)) {
            SCOPED_TRACE(std::string(dancer.global) + " clip from " + std::to_string(clip.start));
            std::vector<glm::vec3> previous = robot.world(clip.start);
            for (double t = clip.start + 0.01; t <= clip.end + 1e-9; t += 0.01) {
                std::vector<glm::vec3> now = robot.world(t);
                ASSERT_LT(largestMove(now, previous), 0.1f) << "a jump at time " << t;
                previous = std::move(now);
            }
        }
    }
}

TEST(RobotDances, FeetStayOnTheFloorAtEveryMoment)
{
    for (const Dancer& dancer : dancers) {
        if (dancer.floor < -0.5f)
            continue; // the flying robot hovers
        Placed robot(dancer.global);
        for (const Clip& clip : clipsOf(sceneModel(dancer.global).file)) {
            SCOPED_TRACE(std::string(dancer.global) + " clip from " + std::to_string(clip.start));
            for (double t = clip.start; t <= clip.end + 1e-9; t += 0.013) {
                float lowest = boundsOf(robot.world(t)).min.y;
                ASSERT_NEAR(lowest, dancer.floor, 0.015f) << "at time " << t;
            }
        }
    }
}

TEST(RobotDances, TheFlyingRobotsBodyHoldsStillWhileItsPartsMove)
{
    // Its eyes are a separate, unmoving model: the face under them must
    // not move.
    Placed robot("flyingRobot");
    const Skin& skin = robot.skin();
    // The body is the skeleton's top bone, the first met from the root.
    std::function<int(const Skin::Node&)> topBone = [&](const Skin::Node& node) {
        if (node.bone >= 0)
            return node.bone;
        for (const Skin::Node& child : node.children)
            if (int b = topBone(child); b >= 0)
                return b;
        return -1;
    };
    int body = topBone(skin.root);
    ASSERT_GE(body, 0);
    std::vector<glm::vec3> start = robot.world(0.0);
    int bodyVertices = 0;
    float moved = 0.0f;
    for (double t : {0.3, 0.9, 1.4, 2.0}) {
        std::vector<glm::vec3> now = robot.world(t);
        for (std::size_t v = 0; v < now.size(); ++v) {
            float d = glm::length(now[v] - start[v]);
            if (skin.ids[v][0] == body && skin.weights[v][0] == 1.0f) {
                ASSERT_LT(d, 1e-4f) << "the body moved at time " << t;
                ++bodyVertices;
            }
            moved = std::fmax(moved, d);
        }
    }
    EXPECT_GT(bodyVertices, 100);
    EXPECT_GT(moved, 0.05f) << "its rotors and arms should move";
}

} // namespace
