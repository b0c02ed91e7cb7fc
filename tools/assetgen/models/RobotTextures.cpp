// Paints of the rover (yellow construction machine with hazard stripes),
// the TV walker (mint and cream with a green screen face) and the spinning
// bell (red lacquer, gold studs, a glass dome with one orange eye).
#include "../Noise.h"
#include "Atlas.h"
#include "Materials.h"
#include "Models.h"
#include "Paint.h"
#include "RoverLayout.h"
#include "SpinnerLayout.h"
#include "TellyLayout.h"
#include "TellyPaint.h"

#include <glm/gtc/constants.hpp>

#include <cmath>

namespace assetgen::models {

namespace {

using namespace paint;

const glm::vec3 roverYellow = rgb(242, 178, 20), roverBlack = rgb(28, 28, 30), steel = rgb(140, 146, 154),
                visorOrange = rgb(255, 120, 30);

// ---- Rover ------------------------------------------------------------------

glm::vec3 roverTorso(glm::vec2 st)
{
    glm::vec3 c = metalPanel(st, roverYellow, {8, 3}, {2.0f, 0.7f}, 701);
    // Hazard stripes round the belly, a dark vent across the chest.
    if (st.y < 0.14f)
        return hazard(st * glm::vec2(8.0f, 1.0f), roverYellow, roverBlack, 3.0f);
    if (std::fabs(st.x - 0.5f) < 0.12f && st.y > 0.52f && st.y < 0.75f) {
        float slot = std::fabs(std::fmod(st.y * 40.0f, 1.0f) - 0.5f);
        return glm::mix(roverBlack, steel * 0.6f, glm::smoothstep(0.2f, 0.3f, slot));
    }
    c = glm::mix(c, roverBlack, box(st, {0.0f, 0.86f}, {1.0f, 0.9f}));
    return grime(st, c, 0.25f, 702);
}

glm::vec3 roverHead(glm::vec2 st)
{
    glm::vec3 c = metalPanel(st, roverYellow * 0.95f, {6, 2}, {1.2f, 0.4f}, 711, false);
    // A wide visor band with a scanning light.
    float visor = box(st, {0.3f, 0.3f}, {0.7f, 0.55f}, 0.004f);
    glm::vec3 glass = glm::mix(rgb(40, 20, 10), visorOrange, 0.35f + 0.65f * std::exp(-std::pow((st.x - 0.5f) / 0.05f, 2.0f)));
    c = glm::mix(c, roverBlack, box(st, {0.28f, 0.27f}, {0.72f, 0.58f}, 0.004f));
    c = glm::mix(c, glass, visor);
    return glm::mix(c, roverBlack, box(st, {0.0f, 0.85f}, {1.0f, 1.0f}) * 0.6f);
}

glm::vec3 roverArm(glm::vec2 st)
{
    glm::vec3 c = brushed(st, steel, 721);
    float ring = std::fabs(std::fmod(st.y * 3.0f, 1.0f) - 0.5f);
    c = glm::mix(c, roverYellow, glm::smoothstep(0.2f, 0.22f, ring));
    return c * (0.85f + 0.15f * std::sin(st.x * glm::two_pi<float>() * 2.0f));
}

glm::vec3 roverTread(glm::vec2 st)
{
    // Cleats across the belt.
    float cleat = std::fabs(std::fmod(st.x * 40.0f, 1.0f) - 0.5f);
    glm::vec3 c = rubber(st, roverBlack * 1.6f, 2, 731);
    return glm::mix(c * 0.6f, c * 1.3f, glm::smoothstep(0.22f, 0.28f, cleat));
}

glm::vec3 roverSidePlate(glm::vec2 st)
{
    glm::vec3 c = metalPanel(st, roverYellow, {3, 1}, {0.92f, 0.3f}, 741);
    // Road wheels painted behind the hubs.
    for (float x : {0.18f, 0.5f, 0.82f}) {
        float d = glm::length((st - glm::vec2(x, 0.5f)) * glm::vec2(0.92f, 0.3f));
        if (d < 0.13f)
            c = glm::mix(roverBlack, steel * 0.7f, glm::smoothstep(0.1f, 0.11f, d));
    }
    return c;
}

// ---- TV walker --------------------------------------------------------------

const glm::vec3 mint = rgb(70, 196, 170), cream = rgb(246, 236, 206), tellyOrange = rgb(245, 110, 50),
                screenGlow = rgb(120, 255, 170);

glm::vec3 tellyScreen(glm::vec2 st)
{
    // A cream bezel round a rounded green screen with a pixel face.
    float screenArea = roundedBox(st, {0.1f, 0.12f}, {0.9f, 0.88f}, 0.1f);
    glm::vec3 bezel = cream * (0.9f + 0.1f * noise::fractal(st * 8.0f, 2, 801));
    glm::vec2 p = (st - 0.5f) * 1.25f;
    glm::vec3 screen = glm::mix(rgb(10, 40, 25), rgb(20, 80, 50), 1.0f - glm::length(p));
    glm::vec2 pixel = glm::floor(st * 24.0f) / 24.0f + 1.0f / 48.0f;
    auto lit = [&](glm::vec2 q) {
        float eyes = std::fmax(disc(q, {0.36f, 0.6f}, 0.07f, 0.0f), disc(q, {0.64f, 0.6f}, 0.07f, 0.0f));
        float r = glm::length(q - glm::vec2(0.5f, 0.46f));
        float smile = (std::fabs(r - 0.2f) < 0.035f && q.y < 0.4f) ? 1.0f : 0.0f;
        return std::fmax(eyes, smile);
    };
    float on = lit(pixel);
    float scan = 0.85f + 0.15f * std::sin(st.y * 300.0f);
    screen = glm::mix(screen, screenGlow, on) * scan;
    return glm::mix(bezel, screen, screenArea);
}

glm::vec3 tellyCase(glm::vec2 st)
{
    return grime(st, metalPanel(st, mint, {3, 2}, {1.0f, 0.5f}, 821), 0.2f, 822);
}

glm::vec3 tellyBodyFront(glm::vec2 st)
{
    glm::vec3 c = metalPanel(st, mint, {2, 2}, {0.54f, 0.42f}, 811);
    // A cream speaker panel on the lower left and a dial scale.
    float speaker = roundedBox(st, {0.12f, 0.12f}, {0.48f, 0.48f}, 0.05f);
    c = glm::mix(c, grille(st * glm::vec2(0.54f, 0.42f), {0.162f, 0.126f}, 0.06f, cream, rgb(60, 50, 40), 0.012f), speaker);
    float scale = box(st, {0.15f, 0.78f}, {0.85f, 0.86f});
    glm::vec3 ticks = glm::mix(cream, rgb(60, 50, 40), std::fabs(std::fmod(st.x * 30.0f, 1.0f) - 0.5f) < 0.08f ? 1.0f : 0.0f);
    return glm::mix(c, ticks, scale);
}

// ---- Spinning bell ----------------------------------------------------------

const glm::vec3 lacquerRed = rgb(196, 30, 40), gold = rgb(240, 190, 70), glassBlue = rgb(120, 170, 220);

glm::vec3 spinnerSkirt(glm::vec2 st)
{
    glm::vec3 c = lacquerRed * (0.85f + 0.2f * noise::fractal(st * 10.0f, 3, 901));
    // Gold rings and vertical ribs.
    float rib = std::fabs(std::fmod(st.x * 20.0f, 1.0f) - 0.5f);
    c *= 0.85f + 0.15f * glm::smoothstep(0.3f, 0.5f, rib);
    c = glm::mix(c, gold, box(st, {0.0f, 0.02f}, {1.0f, 0.1f}) + box(st, {0.0f, 0.86f}, {1.0f, 0.92f}));
    return c;
}

glm::vec3 spinnerBand(glm::vec2 st)
{
    glm::vec3 c = brushed(st, rgb(200, 204, 212), 911);
    // Blinking lights round the band.
    glm::vec2 q(std::fmod(st.x * 16.0f, 1.0f), st.y);
    int index = static_cast<int>(st.x * 16.0f);
    glm::vec3 light = index % 3 == 0 ? rgb(255, 80, 80) : index % 3 == 1 ? rgb(80, 255, 120) : rgb(80, 160, 255);
    if (st.y > 0.25f && st.y < 0.55f)
        c = lamp(q * glm::vec2(1.0f, 2.5f), {0.5f, 1.0f}, 0.28f, light, c);
    return c;
}

glm::vec3 spinnerDome(glm::vec2 st)
{
    glm::vec3 c = glm::mix(glassBlue * 0.5f, glassBlue, st.y);
    // A highlight streak and hints of circuitry inside.
    c = glm::mix(c, glm::vec3(1.0f), 0.5f * box(st, {0.62f, 0.4f}, {0.66f, 0.85f}, 0.02f));
    float trace = std::fabs(std::fmod(st.x * 12.0f + std::floor(st.y * 6.0f) * 0.37f, 1.0f) - 0.5f);
    return glm::mix(c, rgb(220, 200, 80), (trace < 0.03f && st.y < 0.5f) ? 0.35f : 0.0f);
}

glm::vec3 spinnerEye(glm::vec2 st)
{
    // The cylinder's cap (the lens) sits at the top of its profile.
    if (st.y > 0.6f) {
        float r = 1.0f - st.y;
        glm::vec3 c = glm::mix(rgb(255, 240, 180), rgb(255, 110, 20), glm::smoothstep(0.0f, 0.3f, r));
        return glm::mix(c, rgb(40, 10, 0), glm::smoothstep(0.3f, 0.4f, r) * 0.8f);
    }
    return brushed(st, rgb(60, 60, 66), 921);
}

} // namespace

glm::vec3 paintTellyScreen(glm::vec2 st) { return tellyScreen(st); }
glm::vec3 paintTellyCase(glm::vec2 st) { return tellyCase(st); }
glm::vec3 tellyKnobColour() { return tellyOrange; }

Bytes makeRoverTopTexture()
{
    using namespace rover::top;
    Canvas canvas = atlasCanvas(512, roverBlack);
    paintCell(canvas, torso, roverTorso);
    paintCell(canvas, head, roverHead);
    paintCell(canvas, arm, roverArm);
    paintCell(canvas, joint, [](glm::vec2 st) { return rubber(st, roverBlack * 1.8f, 8, 751); });
    paintCell(canvas, claw, [](glm::vec2 st) { return metalPanel(st, steel * 0.8f, {1, 2}, {0.3f, 0.6f}, 752); });
    paintCell(canvas, ring, [](glm::vec2 st) { return hazard(st * glm::vec2(6.0f, 1.0f), roverYellow, roverBlack, 2.0f); });
    paintCell(canvas, rover::top::lamp, [](glm::vec2 st) { return glm::mix(visorOrange, rgb(255, 230, 160), st.y); });
    paintCell(canvas, dark, [](glm::vec2 st) { return brushed(st, roverBlack * 1.5f, 753); });
    return atlasJpeg(canvas);
}

Bytes makeRoverBottomTexture()
{
    using namespace rover::bottom;
    Canvas canvas = atlasCanvas(512, roverBlack);
    paintCell(canvas, tread, roverTread);
    paintCell(canvas, sidePlate, roverSidePlate);
    paintCell(canvas, hub, [](glm::vec2 st) {
        glm::vec3 c = brushed(st, steel, 761);
        return st.y > 0.5f ? c * (0.7f + 0.3f * std::sin(st.y * 40.0f)) : c;
    });
    paintCell(canvas, chassis, [](glm::vec2 st) { return metalPanel(st, rgb(70, 72, 76), {4, 2}, {0.8f, 0.25f}, 762); });
    paintCell(canvas, column, [](glm::vec2 st) {
        if (st.y > 0.3f && st.y < 0.7f)
            return hazard(st * glm::vec2(6.0f, 1.0f), roverYellow, roverBlack, 2.0f);
        return brushed(st, steel, 763);
    });
    paintCell(canvas, fender, [](glm::vec2 st) { return grime(st, metalPanel(st, roverYellow, {6, 1}, {1.0f, 0.3f}, 764), 0.3f, 765); });
    paintCell(canvas, dark, [](glm::vec2 st) { return lamp(st, {0.5f, 0.5f}, 0.5f, rgb(255, 250, 220), roverBlack); });
    return atlasJpeg(canvas);
}

Bytes makeTellyTexture()
{
    using namespace telly;
    Canvas canvas = atlasCanvas(512, rgb(30, 40, 40));
    paintCell(canvas, screen, tellyScreen);
    paintCell(canvas, bodyFront, tellyBodyFront);
    paintCell(canvas, panel, tellyCase);
    paintCell(canvas, bellows, [](glm::vec2 st) { return rubber(st, rgb(60, 64, 66), 6, 823); });
    paintCell(canvas, knob, [](glm::vec2 st) { return tellyOrange * (0.75f + 0.25f * std::sin(st.x * 40.0f)); });
    paintCell(canvas, boot, [](glm::vec2 st) { return metalPanel(st, cream * 0.85f, {2, 1}, {0.5f, 0.2f}, 824); });
    paintCell(canvas, chrome, [](glm::vec2 st) { return brushed(st, rgb(210, 214, 220), 825); });
    paintCell(canvas, dark, [](glm::vec2 st) { return brushed(st, rgb(40, 44, 48), 826); });
    return atlasJpeg(canvas);
}

Bytes makeSpinnerTexture()
{
    using namespace spinner;
    Canvas canvas = atlasCanvas(512, rgb(30, 20, 20));
    paintCell(canvas, skirt, spinnerSkirt);
    paintCell(canvas, band, spinnerBand);
    paintCell(canvas, dome, spinnerDome);
    paintCell(canvas, stud, [](glm::vec2 st) { return gold * (0.7f + 0.4f * st.y); });
    paintCell(canvas, eye, spinnerEye);
    paintCell(canvas, arm, [](glm::vec2 st) { return brushed(st, rgb(190, 194, 200), 931); });
    paintCell(canvas, bulb, [](glm::vec2 st) { return glm::mix(rgb(255, 60, 60), rgb(255, 200, 200), st.y); });
    paintCell(canvas, dark, [](glm::vec2 st) { return brushed(st, rgb(36, 30, 30), 932); });
    return atlasJpeg(canvas);
}

} // namespace assetgen::models
