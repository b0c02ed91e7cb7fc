// The game's icon for desktop menus: the TV walker's head, its screen face
// smiling, with its rabbit-ear antennae, on a transparent background. Each
// size is painted on its own so small icons stay crisp.
#include "Asset.h"
#include "models/Paint.h"
#include "models/TellyPaint.h"

#include <FreeImage.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

namespace assetgen {

namespace {

using namespace models;

struct Rgba {
    glm::vec3 colour;
    float alpha;
};

constexpr glm::vec2 headLo(0.05f, 0.06f), headHi(0.95f, 0.80f);
constexpr glm::vec2 screenLo(0.10f, 0.11f), screenHi(0.90f, 0.75f);
constexpr glm::vec2 antennaFoot(0.5f, 0.78f);
constexpr glm::vec2 tipLeft(0.25f, 0.95f), tipRight(0.75f, 0.95f);

// The icon at (s, t) in [0, 1]², t upwards.
Rgba iconAt(glm::vec2 st)
{
    const glm::vec3 outline = paint::rgb(22, 34, 32), rod = paint::rgb(190, 194, 200);
    float head = paint::roundedBox(st, headLo, headHi, 0.1f, 0.002f);
    float rodDistance = std::min(paint::segmentDistance(st, antennaFoot, tipLeft), paint::segmentDistance(st, antennaFoot, tipRight));
    float rods = 1.0f - glm::smoothstep(0.018f, 0.022f, rodDistance);
    float tips = std::max(paint::disc(st, tipLeft, 0.045f, 0.002f), paint::disc(st, tipRight, 0.045f, 0.002f));

    // A dark rim round every part keeps the shape readable on light and dark panels.
    float rim = std::max({paint::roundedBox(st, headLo - 0.02f, headHi + 0.02f, 0.12f, 0.002f),
        1.0f - glm::smoothstep(0.034f, 0.038f, rodDistance), paint::disc(st, tipLeft, 0.062f, 0.002f),
        paint::disc(st, tipRight, 0.062f, 0.002f)});
    glm::vec3 colour = outline;
    colour = glm::mix(colour, rod, rods);
    colour = glm::mix(colour, tellyKnobColour(), tips);
    glm::vec3 face = paintTellyCase(st);
    glm::vec2 inScreen = (st - screenLo) / (screenHi - screenLo);
    if (inScreen.x >= 0.0f && inScreen.x <= 1.0f && inScreen.y >= 0.0f && inScreen.y <= 1.0f)
        face = paintTellyScreen(inScreen);
    colour = glm::mix(colour, face, head);
    return {colour, rim};
}

BYTE toByte(float value)
{
    return static_cast<BYTE>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

} // namespace

// Every pixel averages 4 × 4 samples, colours weighted by their coverage so
// edges do not darken.
Bytes makeIcon(int size)
{
    constexpr int samples = 4;
    std::unique_ptr<FIBITMAP, void (*)(FIBITMAP*)> bitmap(
        FreeImage_Allocate(size, size, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK), FreeImage_Unload);
    if (!bitmap)
        throw std::runtime_error("FreeImage: cannot allocate a " + std::to_string(size) + " px icon");
    for (int y = 0; y < size; ++y) {
        // FreeImage's first scan line is the bottom row, where t is 0.
        BYTE* line = FreeImage_GetScanLine(bitmap.get(), y);
        for (int x = 0; x < size; ++x) {
            glm::vec3 weighted(0.0f);
            float coverage = 0.0f;
            for (int j = 0; j < samples; ++j)
                for (int i = 0; i < samples; ++i) {
                    glm::vec2 st((static_cast<float>(x) + (static_cast<float>(i) + 0.5f) / samples) / static_cast<float>(size),
                        (static_cast<float>(y) + (static_cast<float>(j) + 0.5f) / samples) / static_cast<float>(size));
                    Rgba sample = iconAt(st);
                    weighted += sample.colour * sample.alpha;
                    coverage += sample.alpha;
                }
            glm::vec3 colour = coverage > 0.0f ? weighted / coverage : glm::vec3(0.0f);
            line[x * 4 + FI_RGBA_RED] = toByte(colour.r);
            line[x * 4 + FI_RGBA_GREEN] = toByte(colour.g);
            line[x * 4 + FI_RGBA_BLUE] = toByte(colour.b);
            line[x * 4 + FI_RGBA_ALPHA] = toByte(coverage / (samples * samples));
        }
    }
    std::unique_ptr<FIMEMORY, void (*)(FIMEMORY*)> memory(FreeImage_OpenMemory(nullptr, 0), FreeImage_CloseMemory);
    BYTE* data = nullptr;
    DWORD length = 0;
    if (!memory || !FreeImage_SaveToMemory(FIF_PNG, bitmap.get(), memory.get(), PNG_Z_BEST_COMPRESSION)
        || !FreeImage_AcquireMemory(memory.get(), &data, &length) || length == 0)
        throw std::runtime_error("FreeImage: cannot encode the icon as PNG");
    return Bytes(data, data + length);
}

} // namespace assetgen
