// Paint of the dancing robot: pearl-white shell, electric-blue trim, a dark
// visor with two cyan eyes and a magenta chest lamp.
#include "../Noise.h"
#include "Atlas.h"
#include "DancerLayout.h"
#include "Models.h"
#include "Paint.h"

#include <cmath>

namespace assetgen::models {

namespace {

using namespace paint;

const glm::vec3 shell = rgb(226, 230, 236);
const glm::vec3 trim = rgb(40, 110, 230);
const glm::vec3 visor = rgb(18, 22, 34);
const glm::vec3 eye = rgb(90, 240, 255);
const glm::vec3 lampColour = rgb(255, 60, 200);
const glm::vec3 gunmetal = rgb(52, 56, 64);

glm::vec3 headPaint(glm::vec2 st)
{
    glm::vec3 c = metalPanel(st, shell, {4, 2}, {1.0f, 0.5f}, 61, false);
    // A blue crest over the top, front to back.
    float crest = box(st, {0.46f, 0.72f}, {0.54f, 1.0f});
    crest = std::fmax(crest, box(st, {0.96f, 0.72f}, {1.0f, 1.0f}) + box(st, {0.0f, 0.72f}, {0.04f, 1.0f}));
    c = glm::mix(c, brushed(st, trim, 62), glm::clamp(crest, 0.0f, 1.0f));
    // The visor wraps round the front third of the head.
    float band = roundedBox(st, {0.31f, 0.46f}, {0.69f, 0.66f}, 0.06f, 0.006f);
    glm::vec3 glass = visor + glm::vec3(0.06f, 0.08f, 0.12f) * (st.y - 0.46f) * 5.0f;
    c = glm::mix(c * 0.7f, c, 1.0f - roundedBox(st, {0.3f, 0.445f}, {0.7f, 0.675f}, 0.07f, 0.01f) + band);
    c = glm::mix(c, glass, band);
    for (float x : {0.445f, 0.555f}) {
        glm::vec2 d = (st - glm::vec2(x, 0.565f)) * glm::vec2(1.0f, 1.6f);
        float e = disc(d, glm::vec2(0.0f), 0.028f, 0.006f);
        float halo = disc(d, glm::vec2(0.0f), 0.045f, 0.02f) * 0.35f;
        c = glm::mix(c, eye * 0.6f, halo * band);
        c = glm::mix(c, glm::mix(eye, glm::vec3(1.0f), 0.5f), e);
    }
    // A small speaker grille for a mouth.
    for (int i = 0; i < 5; ++i) {
        float x = 0.47f + 0.015f * static_cast<float>(i);
        c = glm::mix(c, gunmetal, box(st, {x - 0.004f, 0.37f}, {x + 0.004f, 0.41f}, 0.002f));
    }
    return c;
}

glm::vec3 torsoPaint(glm::vec2 st)
{
    glm::vec3 c = metalPanel(st, shell, {6, 3}, {1.2f, 0.45f}, 71);
    // Blue side panels and a belt line.
    float side = box(st, {0.05f, 0.2f}, {0.22f, 0.85f}) + box(st, {0.78f, 0.2f}, {0.95f, 0.85f});
    c = glm::mix(c, metalPanel(st, trim, {6, 3}, {1.2f, 0.45f}, 72), glm::clamp(side, 0.0f, 1.0f));
    c = glm::mix(c, trim * 0.7f, box(st, {0.0f, 0.08f}, {1.0f, 0.14f}));
    // The chest plate with a ring round the lamp.
    float plate = roundedBox(st, {0.4f, 0.3f}, {0.6f, 0.78f}, 0.03f);
    c = glm::mix(c, c * 1.08f, plate);
    c = glm::mix(c, gunmetal, roundedBox(st, {0.4f, 0.3f}, {0.6f, 0.78f}, 0.03f) - roundedBox(st, {0.405f, 0.31f}, {0.595f, 0.77f}, 0.025f));
    c = glm::mix(c, lampColour * 0.5f, disc(st * glm::vec2(2.6f, 1.0f), glm::vec2(1.3f, 0.55f), 0.17f) * 0.6f);
    return c;
}

glm::vec3 limbPaint(glm::vec2 st)
{
    glm::vec3 c = brushed(st, shell * 0.95f, 81);
    float ring = std::fabs(std::fmod(st.y * 4.0f, 1.0f) - 0.5f);
    c *= 0.75f + 0.25f * glm::smoothstep(0.02f, 0.05f, 0.5f - ring);
    return glm::mix(c, trim, box(st, {0.0f, 0.46f}, {1.0f, 0.54f}) * 0.9f);
}

} // namespace

Bytes makeDancerTexture()
{
    using namespace dancer;
    Canvas canvas = atlasCanvas(512, gunmetal);
    paintCell(canvas, head, headPaint);
    paintCell(canvas, torso, torsoPaint);
    paintCell(canvas, limb, limbPaint);
    paintCell(canvas, joint, [](glm::vec2 st) { return rubber(st, gunmetal, 10, 91); });
    paintCell(canvas, extremity, [](glm::vec2 st) {
        return metalPanel(st, trim, {2, 2}, {0.5f, 0.5f}, 93);
    });
    paintCell(canvas, pelvis, [](glm::vec2 st) {
        glm::vec3 c = metalPanel(st, trim * 0.55f, {6, 1}, {1.0f, 0.2f}, 95);
        return glm::mix(c, shell * 0.8f, box(st, {0.0f, 0.8f}, {1.0f, 0.9f}));
    });
    paintCell(canvas, glow, [](glm::vec2 st) {
        return glm::mix(lampColour, glm::vec3(1.0f, 0.85f, 0.95f), 0.3f + 0.3f * st.y);
    });
    paintCell(canvas, dark, [](glm::vec2 st) { return brushed(st, gunmetal, 97); });
    return atlasJpeg(canvas);
}

} // namespace assetgen::models
