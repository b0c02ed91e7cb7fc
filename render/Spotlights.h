#pragma once

#include "scene/MeshObject.h"

#include <glm/glm.hpp>

#include <array>

class ShadowMap;
class LightCone;
class ShaderProgram;

// The spotlights: which of the ten each level uses for its depth passes, the
// camera program's five slots and the light cones, their turning, and what
// the frame uploads of them. Spotlights and cones are named by their number:
// 3 is shadowMap3, 5 is lightCone5. The schedule touches no GL; the uploads
// leave out what the registry does not hold yet.

// What of the game's progress decides the spotlights.
struct LevelFlags {
    bool levelOneStarted = false;
    bool levelTwo = false;
    bool levelThree = false;
};

// Every spotlight fits, whatever the flags.
struct SpotlightList {
    int count = 0;
    std::array<int, 10> numbers{};
};

// The spotlights whose depth pass runs this frame, in the order they run. The
// four large level-1 maps alternate between the two frame phases.
SpotlightList depthPassSpotlights(LevelFlags flags, int framePhase);

constexpr int spotlightSlotCount = 5;

// The spotlight that fills each of the camera program's five slots: the
// level-1 set, some of which later levels replace. The shadow matrices follow
// the same slots, so every sampler is read with the matrix of the light that
// rendered it.
std::array<int, spotlightSlotCount> spotlightSlots(LevelFlags flags);

// The value for "anz", or -1 before level 1 starts, when it is not written and
// keeps whatever it held.
int spotlightsInUse(LevelFlags flags);

struct LightConePair {
    int spotlight = 0;
    int cone = 0;
    bool followsRotation = false; // the cone takes the spotlight's current direction first
};

struct LightConeList {
    int count = 0;
    std::array<LightConePair, 4> pairs{};
};

// The (spotlight, cone) pairs drawn this frame, in drawing order.
LightConeList lightConePairs(LevelFlags flags);

// The spotlights that turn every frame, in every level.
constexpr std::array<int, 4> rotatingSpotlights{2, 8, 9, 10};

// The registry's spotlight or cone of that number; null outside 1..10 or 1..7.
ShadowMap* spotlightNumbered(int number);
LightCone* lightConeNumbered(int number);

// Slot i reads its depth map from texture unit 1 + i.
constexpr int shadowTextureUnit(int slot)
{
    return 1 + slot;
}

// The camera program's uniform names for each slot, spelled out so that a
// frame never builds a name.
struct SpotlightSlotNames {
    const char* position;
    const char* intensities;
    const char* angle;
    const char* direction;
    const char* shadowTexture;
    const char* shadowMatrix;
};

extern const SpotlightSlotNames spotlightSlotNames[spotlightSlotCount];

// Maps a light's clip coordinates from -1..1 to the 0..1 of texture lookups and
// depth comparisons. The shadow matrices and the light cones' unprojection use
// the same matrix, so a depth map is always read where it was written.
glm::mat4 shadowBiasMatrix();

// Turns shadowMap2, shadowMap8, shadowMap9 and shadowMap10 by 90 degrees per
// second, in every level.
void turnSpotlights(float deltaTime);

// Makes the camera program current and sets "shadowprojectionMatrix[i]" to
// bias x light matrix of the spotlight in slot i for the level.
void uploadShadowMatrices(LevelFlags flags);

// Fills the camera program's five spotlight slots for the frame's lit pass:
// position, colour, cosine of the half-angle and current direction of each
// slot's spotlight, its depth map on texture unit 1 + slot, and "anz", the
// number of slots in use. Before level 1 starts "anz" is left as it is.
// Makes the camera program current; leaves texture unit 5 or the last
// replaced unit active.
void uploadSpotlightSlots(LevelFlags flags);

// Whether any point of the sphere can get light from the spotlight: within
// its range (camera.frag ends each light at 10 units) and inside its cone
// (the half-angle whose cosine it holds), or the light inside the sphere. It
// errs towards yes: a sphere it leaves out gets exactly no light from it.
bool spotlightCanReach(const ShadowMap& light, const glm::vec3& centre, float radius);

// The camera program for a piece that this many slots reach: the variant
// built for that many (cameraSlotShaders), or the five-slot cameraShader for
// five or where the variant is missing.
ShaderProgram* slotProgram(int count);

// Lights each piece of a mesh with only the level's spotlights that can
// reach it: their slots, in their order, packed into the first slots of the
// camera program's variant for that many slots (cameraSlotShaders, with
// "anz" the count); a piece that all five reach keeps cameraShader, whose
// slots the frame filled. The sum of the lights that reach a point is then
// the five-slot program's, whose other slots add exactly nothing there.
class SlotLighting final : public plim::scene::PieceLighting {
public:
    explicit SlotLighting(LevelFlags level);
    ShaderProgram* programFor(const glm::vec3& centre, float radius) override;

private:
    std::array<const ShadowMap*, spotlightSlotCount> lights{}; // the slots in use, null past them
    glm::mat4 bias;
};
