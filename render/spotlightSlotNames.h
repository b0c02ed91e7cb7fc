#pragma once

// The camera program's uniform names for each of its five spotlight slots,
// spelled out so that a frame never builds a name.
struct SpotlightSlotNames {
    const char* position;
    const char* intensities;
    const char* angle;
    const char* direction;
    const char* shadowTexture;
    const char* shadowMatrix;
};

constexpr int spotlightSlotCount = 5;

constexpr SpotlightSlotNames spotlightSlotNames[spotlightSlotCount] = {
    {"spotlight[0].position", "spotlight[0].intensities", "spotlight[0].angle", "spotlight[0].direction",
        "shadowTexture[0]", "shadowprojectionMatrix[0]"},
    {"spotlight[1].position", "spotlight[1].intensities", "spotlight[1].angle", "spotlight[1].direction",
        "shadowTexture[1]", "shadowprojectionMatrix[1]"},
    {"spotlight[2].position", "spotlight[2].intensities", "spotlight[2].angle", "spotlight[2].direction",
        "shadowTexture[2]", "shadowprojectionMatrix[2]"},
    {"spotlight[3].position", "spotlight[3].intensities", "spotlight[3].angle", "spotlight[3].direction",
        "shadowTexture[3]", "shadowprojectionMatrix[3]"},
    {"spotlight[4].position", "spotlight[4].intensities", "spotlight[4].angle", "spotlight[4].direction",
        "shadowTexture[4]", "shadowprojectionMatrix[4]"},
};

// Slot i reads its depth map from texture unit 1 + i.
constexpr int shadowTextureUnit(int slot)
{
    return 1 + slot;
}
