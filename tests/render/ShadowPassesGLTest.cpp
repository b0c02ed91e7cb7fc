// The depth passes of a frame: which spotlights render in each level and
// frame phase (counted through the pass hook), what each pass draws (its
// caster list, counted in primitives) and the state it sets.
#include "render/Spotlights.h"

#include "frameFixture.h"
#include "scene/Pillar.h"
#include "scene/drawing.h"

#include <gtest/gtest.h>

namespace {

using frame_testing::fanObj;
using Passes = std::vector<int>;

std::vector<int>& passesSeen()
{
    static std::vector<int> seen;
    return seen;
}

void recordPass(int spotlightNumber)
{
    passesSeen().push_back(spotlightNumber);
}

class ShadowPasses : public frame_testing::FrameTest {
protected:
    void SetUp() override
    {
        openWorld(64, 64);
        passesSeen().clear();
        setDepthPassObserver(recordPass);
    }

    void allSpotlights()
    {
        for (ShadowMap** light : {&shadowMap1, &shadowMap2, &shadowMap3, &shadowMap4, &shadowMap5, &shadowMap6,
                 &shadowMap7, &shadowMap8, &shadowMap9, &shadowMap10})
            *light = spotlight(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), 30.0f, 32);
    }

    void enter(bool one, bool two, bool three) { frame.level = {one, two, three}; }

    // The passes the schedule calls for, every map taken as never drawn.
    std::vector<int> passesOf(int framePhase) const
    {
        for (int number = 1; number <= 10; ++number)
            if (ShadowMap* light = spotlightNumbered(number))
                light->drawnFingerprint.reset();
        passesSeen().clear();
        renderShadowPasses(framePhase, frame.level, frame.cullingOff);
        return passesSeen();
    }

    bool drawsAgain(int spotlightNumber) const
    {
        passesSeen().clear();
        renderDepthPass(spotlightNumber, frame.cullingOff);
        return passesSeen() == Passes{spotlightNumber};
    }

    // Primitives drawn by one spotlight's pass.
    GLuint primitivesOfPass(int spotlightNumber) const
    {
        scenetest::PrimitiveCounter counter;
        renderDepthPass(spotlightNumber, frame.cullingOff);
        return counter.count();
    }
};

TEST_F(ShadowPasses, ScheduleByLevelAndFramePhase)
{
    allSpotlights();
    enter(false, false, false);
    EXPECT_EQ(passesOf(1), Passes({2})) << "the intro renders only the rotating spotlight";
    EXPECT_EQ(passesOf(0), Passes({2}));
    enter(true, false, false);
    EXPECT_EQ(passesOf(1), Passes({2, 3, 5}));
    EXPECT_EQ(passesOf(0), Passes({1, 2, 4})) << "the large level-1 maps take turns";
    enter(true, true, false);
    EXPECT_EQ(passesOf(1), Passes({2, 6, 7}));
    EXPECT_EQ(passesOf(0), Passes({2, 6, 7}));
    enter(true, true, true);
    EXPECT_EQ(passesOf(1), Passes({2, 8, 9, 10}));
    EXPECT_EQ(passesOf(0), Passes({2, 8, 9, 10}));
    EXPECT_NO_GL_ERROR();
}

TEST_F(ShadowPasses, PassesSetTheirPolygonOffsetAndLightMatrix)
{
    allSpotlights();
    shadowMap2->position = glm::vec3(1, 5, 2);
    glPolygonOffset(0.0f, 1.0f);
    renderShadowPasses(1, frame.level, false);
    GLfloat factor = 0.0f;
    GLfloat units = 0.0f;
    glGetFloatv(GL_POLYGON_OFFSET_FACTOR, &factor);
    glGetFloatv(GL_POLYGON_OFFSET_UNITS, &units);
    EXPECT_EQ(factor, 2.0f);
    EXPECT_EQ(units, 2.0f);
    EXPECT_TRUE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
    for (ShaderProgram* program : {shadowDistancesShader, animatedShadowDistancesShader})
        EXPECT_EQ(scenetest::uniformMatrix(program->program, "lightprojectionMatrix"), shadowMap2->getLightMatrix())
            << "the light matrix without the bias";
    GLint framebuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(static_cast<GLuint>(framebuffer), shadowMap2->framebuffer) << "the intro's only pass";
    EXPECT_NO_GL_ERROR();
}

TEST_F(ShadowPasses, EachSpotlightDrawsItsOwnCasters)
{
    allSpotlights();
    whiteTexture = solid("grey", 200, 200, 200);
    metalBoxTexture = solid("metal", 90, 90, 100);
    woodBoxTexture = solid("wood", 120, 80, 40);
    containerTexture = solid("container", 40, 90, 40);
    frame.cullingOff = true; // every caster draws, wherever it stands
    // Each caster a fan of its own power of two, so a pass's primitive count
    // spells out exactly which casters it drew.
    int triangles = 1;
    auto fan = [&](const char* name) {
        auto* caster = model(name, fanObj(triangles), whiteTexture);
        triangles *= 2;
        return caster;
    };
    houseNew = fan("houseNew");         // 1
    robot1Bottom = fan("robot1Bottom"); // 2
    robot4 = fan("robot4");             // 4
    jukebox = fan("jukebox");           // 8
    door = fan("door");                 // 16
    flyingRobot = new plim::scene::AnimatedModel(
        glm::mat4(1.0f), writeObj("flying", fanObj(32)), blackTexture, shadowDistancesShader, 1.0f, 1.0f); // 32
    robot6C = new plim::scene::AnimatedModel(glm::mat4(1.0f), writeObj("dancer", fanObj(64)), robot6Texture,
        animatedShadowDistancesShader, 1.0f, 1.0f); // 64
    // Never casters: they must not show up in any count.
    house = fan("house");
    stair = fan("stair");
    jukeboxFront = fan("jukeboxFront");
    robot5Eyes = model("robot5Eyes", fanObj(3), whiteTexture, transparencyShader);
    pillarStacks[1] = new plim::scene::PillarStack(); // 3 pillars and the pole: 48

    EXPECT_EQ(primitivesOfPass(1), 1u + 2 + 8 + 16 + 48) << "shadowMap1: no robot4, flying robot or dancers";
    EXPECT_EQ(primitivesOfPass(8), 1u + 4 + 8 + 32 + 64 + 48) << "shadowMap8: no robot1 legs, no door";
    for (int other : {2, 3, 4, 5, 6, 7, 9, 10})
        EXPECT_EQ(primitivesOfPass(other), 1u + 2 + 4 + 8 + 32 + 64 + 48) << "shadowMap" << other;
    EXPECT_NO_GL_ERROR();
}

TEST_F(ShadowPasses, AMapIsDrawnAgainOnlyWhenWhatItShowsChanged)
{
    allSpotlights();
    whiteTexture = solid("grey", 200, 200, 200);
    houseNew = model("houseNew", fanObj(4), whiteTexture); // under the lights
    robot4 = model("robot4", fanObj(4), whiteTexture);
    robot4->translate(40, 0, 0); // outside their cones
    robot6C = new plim::scene::AnimatedModel(glm::mat4(1.0f), writeObj("dancer", fanObj(4)), whiteTexture,
        animatedShadowDistancesShader, 1.0f, 1.0f);
    pillarStacks[1] = new plim::scene::PillarStack();
    ASSERT_TRUE(drawsAgain(3)) << "a map's first pass";
    EXPECT_FALSE(drawsAgain(3)) << "nothing changed";
    robot4->translate(1, 0, 0);
    EXPECT_FALSE(drawsAgain(3)) << "a caster moved where the light cannot see it";
    houseNew->translate(0.5, 0, 0);
    EXPECT_TRUE(drawsAgain(3)) << "a caster in view moved";
    robot6C->boneTransforms[0][3].y += 0.1f;
    EXPECT_TRUE(drawsAgain(3)) << "a robot in view took another pose";
    pillarStacks[1]->pillars[0]->translate(0, 0.25, 0);
    EXPECT_TRUE(drawsAgain(3)) << "a pillar moved";
    EXPECT_FALSE(drawsAgain(3));
    shadowMap3->rotate(0.01f);
    EXPECT_FALSE(drawsAgain(3)) << "turned about its own axis: the same view";
    shadowMap3->rotationAxis = glm::vec3(1, 0, 0);
    shadowMap3->rotate(0.01f);
    EXPECT_TRUE(drawsAgain(3)) << "the light turned";
    shadowMap3->position.x += 0.25f;
    EXPECT_TRUE(drawsAgain(3)) << "the light moved";
    plim::scene::skipHiddenBackFaces = false;
    EXPECT_TRUE(drawsAgain(3)) << "back faces drawn";
    plim::scene::skipHiddenBackFaces = true;
    EXPECT_TRUE(drawsAgain(3));
    EXPECT_TRUE(drawsAgain(4)) << "each map keeps its own record";
    shadowMap3->complete = false;
    EXPECT_TRUE(drawsAgain(3)) << "an incomplete map is never taken as drawn";
    shadowMap3->complete = true;
    EXPECT_NO_GL_ERROR();
}

TEST_F(ShadowPasses, MissingSpotlightsAreSkippedAndNotReported)
{
    shadowMap2 = spotlight(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), 30.0f, 32);
    shadowMap3 = spotlight(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), 30.0f, 32);
    enter(true, false, false);
    EXPECT_EQ(passesOf(1), Passes({2, 3}));
    EXPECT_EQ(passesOf(0), Passes({2}));
    EXPECT_NO_GL_ERROR();
}

} // namespace
