// Paint of the jukebox: a 1950s cabinet with an amber crown, a record
// window with a spinning-record picture, selection buttons and a speaker
// grille, framed in burgundy lacquer and chrome.
#include "../Noise.h"
#include "Atlas.h"
#include "JukeboxLayout.h"
#include "Materials.h"
#include "Models.h"
#include "Paint.h"

#include <glm/gtc/constants.hpp>

#include <cmath>

namespace assetgen::models {

namespace {

using namespace paint;
using namespace jukebox;

const glm::vec3 lacquer = rgb(120, 22, 40);
const glm::vec3 chromeColour = rgb(210, 214, 222);
const glm::vec3 amber = rgb(255, 170, 50);

glm::vec3 chromeAt(glm::vec2 st)
{
    float band = 0.5f + 0.5f * std::sin(st.y * 18.0f + st.x * 2.0f);
    return glm::mix(chromeColour * 0.55f, chromeColour * 1.1f, band);
}

// The front face; p is in world units across it (x from -0.5 to 0.5, y up
// from the foot of the cabinet body).
glm::vec3 frontAt(glm::vec2 st)
{
    glm::vec2 p((st.x - 0.5f) * width, st.y * (shoulder + width * 0.5f));
    const float centreY = shoulder;
    glm::vec3 c = lacquer * (0.85f + 0.2f * noise::fractal(st * 6.0f, 3, 601));
    // Under the glowing tubes: a pale band that shows when they glow.
    float fromEdge = p.y <= centreY ? width * 0.5f - std::fabs(p.x) : width * 0.5f - glm::length(p - glm::vec2(0, centreY));
    float tube = glm::smoothstep(tubeOuterInset - 0.005f, tubeOuterInset, fromEdge)
        * (1.0f - glm::smoothstep(tubeInnerInset, tubeInnerInset + 0.005f, fromEdge));
    c = glm::mix(c, rgb(255, 180, 220), tube * 0.8f);
    // Chrome edging outside the tubes.
    c = glm::mix(c, chromeAt(st), 1.0f - glm::smoothstep(0.015f, 0.025f, fromEdge));
    float inner = fromEdge - tubeInnerInset;
    if (inner > 0.0f && p.y > barTop - plinth) {
        // The amber crown with sunburst rays.
        glm::vec2 d = p - glm::vec2(0, barTop - plinth);
        float angle = std::atan2(d.y, d.x);
        float ray = 0.5f + 0.5f * std::cos(angle * 18.0f);
        glm::vec3 crown = glm::mix(amber, rgb(255, 230, 150), ray * 0.6f) * (0.7f + 0.3f * (1.0f - glm::length(d) / 0.4f));
        return glm::mix(c, crown, glm::smoothstep(0.0f, 0.01f, inner));
    }
    if (std::fabs(p.x) < 0.33f && p.y > 0.62f && p.y < 1.05f) {
        // The record window: dark glass, a record and a chrome tone arm.
        glm::vec2 w = p - glm::vec2(0.0f, 0.82f);
        glm::vec3 glass = rgb(30, 26, 40);
        float r = glm::length(w);
        if (r < 0.17f) {
            float grooves = 0.5f + 0.5f * std::sin(r * 900.0f);
            glass = rgb(16, 16, 18) * (0.8f + 0.4f * grooves);
            if (r < 0.06f)
                glass = rgb(220, 40, 50) * (r < 0.008f ? 0.2f : 1.0f);
        }
        float arm = segmentDistance(p, {0.27f, 0.98f}, {0.1f, 0.86f});
        glass = glm::mix(glass, chromeColour, 1.0f - glm::smoothstep(0.006f, 0.01f, arm));
        float edge = std::fmin(0.33f - std::fabs(p.x), std::fmin(p.y - 0.62f, 1.05f - p.y));
        return glm::mix(chromeAt(st), glass, glm::smoothstep(0.01f, 0.02f, edge));
    }
    if (std::fabs(p.x) < 0.3f && p.y > 0.48f && p.y < 0.6f) {
        // Selection cards: rows of little white labels with coloured tabs.
        glm::vec2 q((p.x + 0.3f) / 0.06f, (p.y - 0.48f) / 0.04f);
        glm::vec2 local = glm::fract(q);
        float card = box(local, {0.1f, 0.15f}, {0.9f, 0.85f}, 0.03f);
        int index = static_cast<int>(q.x) + 7 * static_cast<int>(q.y);
        glm::vec3 tab = index % 3 == 0 ? rgb(220, 60, 60) : index % 3 == 1 ? rgb(60, 110, 220) : rgb(240, 190, 40);
        glm::vec3 label = local.x < 0.25f ? tab : rgb(245, 240, 225);
        return glm::mix(rgb(40, 30, 30), label, card);
    }
    if (std::fabs(p.x) < 0.34f && p.y > 0.08f && p.y < 0.44f) {
        // The speaker grille: a chrome lattice over dark cloth.
        glm::vec2 q = (p - glm::vec2(0, 0.26f)) * 22.0f;
        float lattice = std::fmin(std::fabs(std::fmod(q.x + q.y + 100.0f, 2.0f) - 1.0f), std::fabs(std::fmod(q.x - q.y + 100.0f, 2.0f) - 1.0f));
        glm::vec3 cloth = rgb(50, 20, 24) * (0.8f + 0.3f * noise::value(st * 200.0f, 602));
        glm::vec3 grilleColour = glm::mix(chromeAt(st), cloth, glm::smoothstep(0.15f, 0.3f, lattice));
        float edge = std::fmin(0.34f - std::fabs(p.x), std::fmin(p.y - 0.08f, 0.44f - p.y));
        return glm::mix(chromeAt(st), grilleColour, glm::smoothstep(0.01f, 0.02f, edge));
    }
    return c;
}

} // namespace

Bytes makeJukeboxTexture()
{
    Canvas canvas = atlasCanvas(512, lacquer);
    paintCell(canvas, front, frontAt);
    paintCell(canvas, cabinet, [](glm::vec2 st) {
        glm::vec3 c = materials::woodGrain({st.x * 3.0f, st.y * 2.0f}, rgb(110, 60, 30), 611, 3);
        // Lacquered burgundy with chrome beading along both edges.
        c = glm::mix(c, lacquer * 1.1f, 0.55f);
        float bead = std::fmin(st.y, 1.0f - st.y);
        return glm::mix(chromeAt(st), c, glm::smoothstep(0.05f, 0.08f, bead));
    });
    paintCell(canvas, back, [](glm::vec2 st) { return metalPanel(st, rgb(70, 50, 40), {2, 3}, {1.0f, 1.6f}, 621); });
    paintCell(canvas, chrome, chromeAt);
    paintCell(canvas, bubbles, [](glm::vec2 st) {
        // Coloured liquid with rising bubbles.
        glm::vec3 liquid = glm::mix(rgb(255, 80, 120), rgb(255, 200, 60), st.y);
        glm::vec2 q = st * glm::vec2(4.0f, 12.0f);
        glm::vec2 local = glm::fract(q) - 0.5f;
        float bubble = disc(local * glm::vec2(1.0f, 3.0f), glm::vec2(0.1f * noise::random(static_cast<int>(q.x), static_cast<int>(q.y), 631), 0.0f), 0.22f, 0.08f);
        return glm::mix(liquid, glm::vec3(1.0f), bubble * 0.7f);
    });
    return atlasJpeg(canvas);
}

} // namespace assetgen::models
