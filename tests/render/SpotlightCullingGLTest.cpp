// Each piece of a surface is lit with only the spotlights that can reach it,
// through the camera program's variants for fewer slots. The picture must be
// the one the five-slot program gives, every slot lit everywhere: that
// program is the reference, drawn by leaving the variants out.
#include "frameFixture.h"
#include "render/Spotlights.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace {

using frame_testing::boxObj;
using frame_testing::brightness;

class SpotlightCulling : public frame_testing::FrameTest {
protected:
    // The screen after two frames (the glow of the first composed into the
    // second), with the variants or, as the reference, without them.
    std::vector<unsigned char> screen(bool variants)
    {
        std::array<ShaderProgram*, 5> kept{};
        std::copy(std::begin(cameraSlotShaders), std::end(cameraSlotShaders), kept.begin());
        if (!variants)
            std::fill(std::begin(cameraSlotShaders), std::end(cameraSlotShaders), nullptr);
        runTwoFrames();
        std::copy(kept.begin(), kept.end(), std::begin(cameraSlotShaders));
        return testing_support::readColour(0, 0, 0, width, height, GL_RGB);
    }

    static int largestDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
    {
        int largest = 0;
        for (size_t i = 0; i < a.size(); ++i)
            largest = std::max(largest, std::abs(a[i] - b[i]));
        return largest;
    }
};

// The stand-in levels with a room of many triangles in pieces, as the game
// divides its room, and the game's spotlights: every level's view comes out
// as the five-slot program draws it. Packing keeps the order in which the
// lights that reach a point are added, and the others add exactly zero, so
// llvmpipe gives the same bytes.
TEST_F(SpotlightCulling, LevelsLookAsTheFiveSlotProgramDrawsThem)
{
    openWorld(320, 240);
    populateStandInWorld(true);
    houseNew->divideIntoPieces(3.0f);
    ASSERT_GT(houseNew->pieces.size(), 8u);
    pillarStacks[0]->togglePillarAt(1.0f);
    for (int level = 1; level <= 3; ++level) {
        SCOPED_TRACE(level);
        showLevel(level);
        const std::vector<unsigned char> reference = screen(false);
        const std::vector<unsigned char> culled = screen(true);
        EXPECT_EQ(largestDifference(reference, culled), 0);
        EXPECT_GT(*std::max_element(culled.begin(), culled.end()), 100) << "the room is lit";
    }
    EXPECT_NO_GL_ERROR();
}

// A box just inside the cone's edge is lit by it, as the five-slot program
// lights it; one just outside is left out, and the five-slot program gives it
// no light from the cone either.
TEST_F(SpotlightCulling, ABoxJustInsideTheConeIsLitAndOneJustOutsideIsNot)
{
    openWorld(160, 120);
    whiteTexture = solid("white", 255, 255, 255);
    // Straight down from 4 units: the 30-degree cone meets the floor at
    // radius 4 tan 30 = 2.309.
    shadowMap1 = spotlight(glm::vec3(0, 4, 0), glm::vec3(0, -1, 0), 30.0f);
    look(glm::vec3(0, 6, 4), glm::vec3(2.3f, 0, 0));
    camera.lightIntensities = glm::vec3(0.0f); // only the spotlight
    showLevel(1);
    struct Case {
        float x;    // the box's centre, 0.2 across, on the floor
        bool reach; // what the cone test must say
    };
    // The cone is 2.194 across at the box's top, 0.2 up; its outer part
    // fades to nothing there.
    for (const Case& c : {Case{2.0f, true}, Case{2.309f + 0.35f, false}}) {
        SCOPED_TRACE(c.x);
        houseNew = model("box", boxObj(glm::vec3(c.x - 0.1f, 0, -0.1f), glm::vec3(c.x + 0.1f, 0.2f, 0.1f)),
            whiteTexture);
        EXPECT_EQ(spotlightCanReach(*shadowMap1, houseNew->getCenter(), houseNew->radius), c.reach);
        const glm::ivec2 top = pixelOf(glm::vec3(c.x, 0.2f, 0));
        const std::vector<unsigned char> reference = screen(false);
        const glm::ivec4 referencePixel = screenPixel(top);
        const std::vector<unsigned char> culled = screen(true);
        EXPECT_EQ(largestDifference(reference, culled), 0);
        // Without the point light there is no ambient term either: all the
        // light is the cone's.
        if (c.reach)
            EXPECT_GT(brightness(referencePixel), 30) << "the cone's edge lights the box";
        else
            EXPECT_EQ(brightness(referencePixel), 0) << "no light from the cone";
        delete houseNew;
        houseNew = nullptr;
    }
    EXPECT_NO_GL_ERROR();
}

} // namespace
