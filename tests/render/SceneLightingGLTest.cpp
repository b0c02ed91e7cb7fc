// The look of a frame, read back from the screen after the game's own frame
// steps: spotlights and their shadows on the floor, the light cones in the
// air, and the glow around a glowing object.
#include "frameFixture.h"

#include <gtest/gtest.h>

namespace {

using frame_testing::boxObj;
using frame_testing::brightness;
using frame_testing::floorObj;

class SceneLighting : public frame_testing::FrameTest {
protected:
    Texture* grey = nullptr;

    void SetUp() override { restart(); }

    // An empty world with a grey texture, in level 1 after the intro.
    void restart()
    {
        static int worlds = 0;
        if (testing_support::glContext(160, 120))
            releaseRegistry();
        openWorld(160, 120);
        grey = solid("grey" + std::to_string(++worlds), 200, 200, 200);
        whiteTexture = grey;
        frame = titleFrame();
        showLevel(1);
    }
};

TEST_F(SceneLighting, SpotlightLightsTheFloorInsideItsConeOnly)
{
    houseNew = model("floor", floorObj(5), grey);
    // Straight down from 4 units: the 30-degree cone meets the floor in a
    // circle of radius 4 tan 30 = 2.31.
    shadowMap1 = spotlight(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), 30.0f);
    look(glm::vec3(0, 7, 7), glm::vec3(0, 0, 0));
    runTwoFrames();

    const int centre = brightness(screenAt(glm::vec3(0, 0, 0)));
    const int inside = brightness(screenAt(glm::vec3(1.2f, 0, 0.8f)));
    const int outside = brightness(screenAt(glm::vec3(3.0f, 0, 0)));
    const int farOutside = brightness(screenAt(glm::vec3(-4.0f, 0, -3.0f)));
    // Expected at the centre: 200 x 1 / (1 + 0.02 x 16) = 152 per channel.
    EXPECT_NEAR(centre, 3 * 152, 3 * 12);
    EXPECT_GT(inside, 3 * 100) << "well inside the cone, still lit";
    EXPECT_EQ(outside, 0) << "the camera's own light is off: only the spotlight lights";
    EXPECT_EQ(farOutside, 0);

    // The edge is soft: between the full light and none.
    const int nearEdge = brightness(screenAt(glm::vec3(2.2f, 0, 0)));
    EXPECT_GT(nearEdge, 0);
    EXPECT_LT(nearEdge, inside);
    EXPECT_NO_GL_ERROR();
}

TEST_F(SceneLighting, SpotlightColourAboveOneBurnsOutTheSurface)
{
    houseNew = model("floor", floorObj(5), grey);
    shadowMap1 = spotlight(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), 30.0f, 512, glm::vec3(3.0f, 0.5f, 0.2f));
    look(glm::vec3(0, 7, 7), glm::vec3(0, 0, 0));
    runTwoFrames();
    const glm::ivec4 centre = screenAt(glm::vec3(0, 0, 0));
    EXPECT_EQ(centre.r, 255) << "3 x 200 x 0.76 is far above 1";
    EXPECT_NEAR(centre.g, 76, 6);
    EXPECT_NEAR(centre.b, 30, 6);
}

TEST_F(SceneLighting, CasterDarkensTheFloorBehindItFromThatLight)
{
    houseNew = model("floor", floorObj(5), grey);
    // A slab hanging halfway between the light and the floor: its shadow is a
    // square of half-side 0.5 x 4 / 2 = 1 under the light.
    jukebox = model("slab", boxObj(glm::vec3(-0.5f, 2.0f, -0.5f), glm::vec3(0.5f, 2.3f, 0.5f)), grey);
    shadowMap1 = spotlight(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), 30.0f);
    look(glm::vec3(0, 7, 7), glm::vec3(0, 0, 0));
    runTwoFrames();

    const int underSlab = brightness(screenAt(glm::vec3(0.3f, 0, -0.6f)));
    const int besideShadow = brightness(screenAt(glm::vec3(1.5f, 0, 0)));
    EXPECT_EQ(underSlab, 0) << "the slab holds the spotlight off";
    EXPECT_GT(besideShadow, 3 * 100) << "outside the shadow the cone still lights";
    EXPECT_NO_GL_ERROR();
}

TEST_F(SceneLighting, ShadowFallsAwayFromItsOwnLightOnly)
{
    houseNew = model("floor", floorObj(5), grey);
    jukebox = model("slab", boxObj(glm::vec3(-0.5f, 2.0f, -0.5f), glm::vec3(0.5f, 2.3f, 0.5f)), grey);
    // From the side the slab's shadow falls beyond it, and the floor right
    // under it stays lit.
    shadowMap1 = spotlight(glm::vec3(0, 4, -4), glm::vec3(0, -1, 1), 30.0f);
    look(glm::vec3(0, 7, 7), glm::vec3(0, 0, 0));
    runTwoFrames();
    EXPECT_GT(brightness(screenAt(glm::vec3(0.3f, 0, -0.6f))), 3 * 30);
    // The slab's shadow reaches the floor from z = 3 to beyond its edge.
    EXPECT_EQ(brightness(screenAt(glm::vec3(0.0f, 0, 3.6f))), 0);
    EXPECT_GT(brightness(screenAt(glm::vec3(1.6f, 0, 3.6f))), 15) << "beside the shadow, far out in the cone";
    EXPECT_NO_GL_ERROR();
}

// Four lights straight down over the floor's four quarters, in slots 1 to 4,
// each with a slab hanging halfway down: under each light a dark square of
// half-side 1 inside a lit circle of radius 4 tan 30 = 2.31. A light lit with
// another slot's shadow matrix loses its own shadow or its light; a slot past
// "anz" must not light at all.
TEST_F(SceneLighting, EverySlotShadowsWithItsOwnMatrixAndOnlySlotsInUseLight)
{
    const glm::vec3 quarters[4] = {{3, 0, 3}, {-3, 0, 3}, {3, 0, -3}, {-3, 0, -3}};
    auto slabs = [&] {
        std::string obj;
        for (int k = 0; k < 4; ++k)
            obj += boxObj(quarters[k] + glm::vec3(-0.5f, 2.0f, -0.5f), quarters[k] + glm::vec3(0.5f, 2.3f, 0.5f), k);
        return obj;
    };
    houseNew = model("floor", floorObj(6), grey);
    jukebox = model("slabs", slabs(), grey);
    ShadowMap** slotsOneToFour[4] = {&shadowMap2, &shadowMap3, &shadowMap4, &shadowMap5}; // level 1
    for (int k = 0; k < 4; ++k)
        *slotsOneToFour[k] = spotlight(quarters[k] + glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), 30.0f);
    look(glm::vec3(0, 20, 0.5f), glm::vec3(0, 0, 0));
    runTwoFrames();
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE("slot " + std::to_string(k + 1));
        // Toward the middle of the floor, where the slab does not hide the
        // floor from the camera above.
        const glm::vec3 inward(-std::copysign(1.0f, quarters[k].x), 0, -std::copysign(1.0f, quarters[k].z));
        EXPECT_EQ(brightness(screenAt(quarters[k] + 0.8f * inward)), 0) << "in the slab's shadow";
        EXPECT_GT(brightness(screenAt(quarters[k] + glm::vec3(1.6f * inward.x, 0, 0))), 3 * 60) << "beside it";
    }

    // Level 3 fills the first four slots only. With spotlights 8 to 10 absent
    // the level-1 lights keep their slots, their maps still as level 1 drew
    // them: slots 1 to 3 light on, slot 4 (spotlight 5) is past the ones in use.
    frame.level.levelTwo = true;
    frame.level.levelThree = true;
    runTwoFrames();
    for (int k = 0; k < 4; ++k) {
        const glm::vec3 inward(-std::copysign(1.0f, quarters[k].x), 0, -std::copysign(1.0f, quarters[k].z));
        const int beside = brightness(screenAt(quarters[k] + glm::vec3(1.6f * inward.x, 0, 0)));
        if (k < 3) {
            EXPECT_GT(beside, 3 * 60) << "slot " << k + 1 << " is in use in level 3";
        } else {
            EXPECT_EQ(beside, 0) << "slot 4 is past the slots in use";
        }
    }
    EXPECT_NO_GL_ERROR();
}

// The floor is a caster of its own map. Compared with a floor that casts
// nothing (the house, which never casts), it must look the same everywhere
// inside the cone: no acne from self-shadowing, also at grazing light.
TEST_F(SceneLighting, FloorDoesNotShadowItselfAtSteepOrGrazingLight)
{
    struct Light {
        glm::vec3 position;
        glm::vec3 direction;
    };
    for (const Light& light : {Light{glm::vec3(0, 4, 0), glm::vec3(0, -1, 0)},
             Light{glm::vec3(0, 2.5f, -5), glm::vec3(0, -1, 2.2f)}}) {
        SCOPED_TRACE(light.direction.z);
        std::vector<int> withCaster;
        std::vector<int> without;
        for (bool floorCasts : {true, false}) {
            restart();
            (floorCasts ? houseNew : house) = model("floor", floorObj(8), grey);
            shadowMap1 = spotlight(light.position, light.direction, 30.0f);
            look(glm::vec3(0, 9, 6), glm::vec3(0, 0, -1));
            runFrame(1, 0.0f, true);
            runFrame(0, 0.0f, true);
            std::vector<int>& samples = floorCasts ? withCaster : without;
            for (float x = -1.5f; x <= 1.5f; x += 0.25f)
                for (float z = -2.0f; z <= 1.0f; z += 0.25f)
                    samples.push_back(brightness(screenAt(glm::vec3(x, 0, z))));
        }
        int lit = 0;
        for (size_t i = 0; i < without.size(); ++i) {
            if (without[i] > 30)
                ++lit;
            // Filtered taps may round differently by one step per channel.
            EXPECT_NEAR(withCaster[i], without[i], 6) << "sample " << i;
        }
        EXPECT_GT(lit, 40) << "the samples lie in the light";
    }
}

// A pole standing on the floor: its shadow starts at its foot, with no lit
// gap between the pole and the shadow.
TEST_F(SceneLighting, ShadowTouchesTheFootOfAStandingPole)
{
    houseNew = model("floor", floorObj(5), grey);
    jukebox = model("pole", boxObj(glm::vec3(0.5f, 0.0f, -0.1f), glm::vec3(0.7f, 2.0f, 0.1f)), grey);
    // From the upper left, so the shadow falls to the right of the pole.
    shadowMap1 = spotlight(glm::vec3(-1.5f, 4, 0), glm::vec3(0.5f, -1, 0), 30.0f);
    look(glm::vec3(0.9f, 3, 4), glm::vec3(0.9f, 0, 0));
    runTwoFrames();

    const int foot = brightness(screenAt(glm::vec3(0.74f, 0, 0)));
    const int alongShadow = brightness(screenAt(glm::vec3(1.0f, 0, 0)));
    const int besideShadow = brightness(screenAt(glm::vec3(1.0f, 0, 0.6f)));
    EXPECT_GT(besideShadow, 3 * 100);
    EXPECT_LT(foot, besideShadow / 6) << "0.04 from the pole's foot the floor is in its shadow";
    EXPECT_LT(alongShadow, besideShadow / 6);
    EXPECT_NO_GL_ERROR();
}

// The light cones read their spotlights' maps after the scene is drawn; the
// glowing objects drawn after them must still read every slot's own map.
TEST_F(SceneLighting, GlowingObjectInAShadowIsDarkInTheEffectImageToo)
{
    houseNew = model("floor", floorObj(5), grey);
    pinkTexture = solid("pink", 250, 120, 200);
    jukeboxFront = model("glowing", boxObj(glm::vec3(-0.3f, 0, -0.3f), glm::vec3(0.3f, 0.5f, 0.3f)), pinkTexture);
    // Slot 0's light straight down, held off the glowing box by a slab.
    jukebox = model("slab", boxObj(glm::vec3(-0.5f, 2.0f, -0.5f), glm::vec3(0.5f, 2.3f, 0.5f)), grey);
    shadowMap1 = spotlight(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), 30.0f);
    // Slot 1's light with its cone, far to the side, over open floor.
    shadowMap2 = spotlight(glm::vec3(4, 6, 0), glm::vec3(0, -1, 0), 10.0f, 128);
    lightCone2 = coneOf(*shadowMap2, 7);
    look(glm::vec3(0, 7, 7), glm::vec3(0, 0, 0));
    const glm::ivec2 boxTop = pixelOf(glm::vec3(0, 0.5f, 0));

    runTwoFrames();
    EXPECT_EQ(brightness(framebufferPixel(sceneFramebuffer, boxTop)), 0) << "in the slab's shadow";
    EXPECT_EQ(brightness(framebufferPixel(effectFramebuffer, boxTop)), 0) << "slot 0 read through another map";

    // Without the slab the same pixel glows: the box is in view and in the light.
    delete jukebox;
    jukebox = nullptr;
    runTwoFrames();
    EXPECT_GT(brightness(framebufferPixel(sceneFramebuffer, boxTop)), 3 * 100);
    EXPECT_GT(brightness(framebufferPixel(effectFramebuffer, boxTop)), 3 * 100);
    EXPECT_NO_GL_ERROR();
}

TEST_F(SceneLighting, LightConeAddsLightInTheAirAlongItsAxisOnly)
{
    // A black floor, so that only the light in the air is measured.
    blackTexture = solid("black", 0, 0, 0);
    houseNew = model("floor", floorObj(5), blackTexture);
    shadowMap2 = spotlight(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), 20.0f, 128);
    lightCone2 = coneOf(*shadowMap2, 7);
    look(glm::vec3(0, 2, 8), glm::vec3(0, 2, 0));
    runTwoFrames();

    const int onAxis = brightness(screenAt(glm::vec3(0, 2.5f, 0)));
    const int beside = brightness(screenAt(glm::vec3(2.0f, 2.5f, 0)));
    EXPECT_GT(onAxis, 20) << "the beam shows in the air";
    EXPECT_EQ(beside, 0) << "nothing beside the beam";

    // Without the cone the air on the axis is black.
    LightCone* cone = lightCone2;
    lightCone2 = nullptr;
    runTwoFrames();
    EXPECT_EQ(brightness(screenAt(glm::vec3(0, 2.5f, 0))), 0);
    lightCone2 = cone;
    EXPECT_NO_GL_ERROR();
}

TEST_F(SceneLighting, GlowSpreadsBeyondAGlowingObjectsSilhouette)
{
    Texture* bright = pinkTexture = solid("bright", 250, 250, 250);
    // A square of side 1 facing the camera, lit by the camera's own light.
    jukeboxFront = model("front", boxObj(glm::vec3(-0.5f, -0.5f, -0.05f), glm::vec3(0.5f, 0.5f, 0.05f)), bright);
    look(glm::vec3(0, 0, 2), glm::vec3(0, 0, 0));
    camera.lightPosition = camera.position;
    camera.lightIntensities = glm::vec3(1.0f);
    runFrame(1);
    const int firstFrameBeside = brightness(screenAt(glm::vec3(0.6f, 0, 0)));
    runFrame(0);

    const int onObject = brightness(screenAt(glm::vec3(0, 0, 0)));
    const int justBeside = brightness(screenAt(glm::vec3(0.6f, 0, 0)));
    const int farAway = brightness(screenAt(glm::vec3(1.2f, 0.6f, 0)));
    EXPECT_GT(onObject, 3 * 150);
    EXPECT_GT(justBeside, 30) << "the halo reaches past the edge";
    EXPECT_LT(justBeside, onObject);
    EXPECT_LT(farAway, justBeside / 2) << "and fades with distance";
    EXPECT_EQ(firstFrameBeside, 0) << "the glow shows from the frame after it was drawn";
    EXPECT_NO_GL_ERROR();
}

} // namespace
