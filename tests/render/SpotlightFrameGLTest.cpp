// The spotlights' per-frame work on the camera program: which lights turn,
// and what each of the five slots holds in every level (light, depth map,
// shadow matrix and "anz"), read back from the program.
#include "render/Spotlights.h"

#include "frameFixture.h"

#include <gtest/gtest.h>

namespace {

glm::vec3 uniformVec3(GLuint program, const char* name)
{
    glm::vec3 value(-99.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), &value[0]);
    return value;
}

float uniformFloat(GLuint program, const char* name)
{
    float value = -99.0f;
    glGetUniformfv(program, glGetUniformLocation(program, name), &value);
    return value;
}

int uniformInt(GLuint program, const char* name)
{
    int value = -99;
    glGetUniformiv(program, glGetUniformLocation(program, name), &value);
    return value;
}

glm::mat4 uniformMat4(GLuint program, const char* name)
{
    glm::mat4 value(-99.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), &value[0][0]);
    return value;
}

struct Level {
    const char* name;
    LevelFlags flags;
    std::array<int, 5> slots; // the spotlight expected in each slot
    int anz;                  // -1: not written
};

const Level levels[] = {
    {"intro", {false, false, false}, {1, 2, 3, 4, 5}, -1},
    {"level 1", {true, false, false}, {1, 2, 3, 4, 5}, 5},
    {"level 2", {true, true, false}, {6, 2, 7, 4, 5}, 3},
    {"level 3", {true, true, true}, {8, 2, 9, 10, 5}, 4},
};

class SpotlightFrame : public frame_testing::FrameTest {
protected:
    void SetUp() override
    {
        openWorld(64, 64);
        populateStandInWorld();
    }
};

TEST_F(SpotlightFrame, OnlyTheFourRotatingSpotlightsTurn)
{
    std::array<glm::vec3, 10> before;
    for (int n = 1; n <= 10; ++n)
        before[static_cast<size_t>(n - 1)] = spotlightNumbered(n)->getDirection();
    turnSpotlights(1.0f);
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        const glm::vec3 now = spotlightNumbered(n)->getDirection();
        const bool rotating = n == 2 || n == 8 || n == 9 || n == 10;
        EXPECT_EQ(glm::length(now - before[static_cast<size_t>(n - 1)]) > 0.5f, rotating);
    }
    // A quarter turn about +y takes (-2, -2, -1) to (-1, -2, 2).
    const glm::vec3 turned = shadowMap2->getDirection();
    EXPECT_NEAR(turned.x, -1.0f, 1e-5f);
    EXPECT_NEAR(turned.z, 2.0f, 1e-5f);
}

TEST_F(SpotlightFrame, ShadowMatricesFollowTheSlotsOfEachLevel)
{
    const GLuint program = cameraShader->program;
    for (const Level& level : levels) {
        SCOPED_TRACE(level.name);
        uploadShadowMatrices(level.flags);
        for (int slot = 0; slot < spotlightSlotCount; ++slot) {
            const glm::mat4 expected
                = shadowBiasMatrix() * spotlightNumbered(level.slots[static_cast<size_t>(slot)])->getLightMatrix();
            EXPECT_EQ(uniformMat4(program, spotlightSlotNames[slot].shadowMatrix), expected) << "slot " << slot;
        }
    }
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), program);
    EXPECT_NO_GL_ERROR();
}

TEST_F(SpotlightFrame, SlotsHoldTheLevelsLightsAndMapsAndAnz)
{
    const GLuint program = cameraShader->program;
    turnSpotlights(0.3f); // the slots carry the current direction
    cameraShader->use();
    glUniform1i(glGetUniformLocation(program, "anz"), 7);
    for (const Level& level : levels) {
        SCOPED_TRACE(level.name);
        uploadSpotlightSlots(level.flags);
        for (int slot = 0; slot < spotlightSlotCount; ++slot) {
            SCOPED_TRACE(slot);
            const ShadowMap& light = *spotlightNumbered(level.slots[static_cast<size_t>(slot)]);
            const SpotlightSlotNames& names = spotlightSlotNames[slot];
            EXPECT_EQ(uniformVec3(program, names.position), light.getPosition());
            EXPECT_EQ(uniformVec3(program, names.intensities), light.getIntensities());
            EXPECT_EQ(uniformVec3(program, names.direction), light.getDirection()) << "not normalised";
            EXPECT_EQ(uniformFloat(program, names.angle), light.getAngleCosine()) << "the cosine";
            EXPECT_EQ(uniformInt(program, names.shadowTexture), 1 + slot);
            glActiveTexture(GL_TEXTURE1 + static_cast<GLenum>(slot));
            GLint bound = 0;
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
            EXPECT_EQ(static_cast<GLuint>(bound), light.depthTexture);
        }
        // Before level 1 "anz" keeps what it held.
        EXPECT_EQ(uniformInt(program, "anz"), level.anz >= 0 ? level.anz : 7);
    }
    EXPECT_NO_GL_ERROR();
}

} // namespace
