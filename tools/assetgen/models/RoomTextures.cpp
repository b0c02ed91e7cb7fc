// The three looks of the room, painted on one atlas layout: a stone
// cellar (level 1), a soft pastel room (level 2) and a sci-fi deck
// (level 3).
#include "../Noise.h"
#include "Atlas.h"
#include "Materials.h"
#include "Models.h"
#include "Paint.h"
#include "RoomLayout.h"

#include <glm/gtc/constants.hpp>

#include <cmath>
#include <functional>

namespace assetgen::models {

namespace {

using namespace paint;
using namespace materials;
using Part = std::function<glm::vec3(glm::vec2)>;

struct RoomLook {
    Part floor, wall, ceiling, beam, baseboard, frieze, window, doorway, picture, pillar, sill, trim;
};

Bytes paintRoom(const RoomLook& look)
{
    Canvas canvas = atlasCanvas(room::textureSize, glm::vec3(0.2f));
    auto paintPart = [&](const UvRect& rect, const Part& part, bool tiles) {
        paintCell(canvas, rect, part, 9, tiles);
    };
    paintPart(room::floor, look.floor, true);
    paintPart(room::wall, look.wall, true);
    paintPart(room::ceiling, look.ceiling, true);
    paintPart(room::beam, look.beam, true);
    paintPart(room::baseboard, look.baseboard, true);
    paintPart(room::frieze, look.frieze, true);
    paintPart(room::window, look.window, false);
    paintPart(room::doorway, look.doorway, false);
    paintPart(room::picture, look.picture, false);
    paintPart(room::pillar, look.pillar, true);
    paintPart(room::sill, look.sill, false);
    paintPart(room::trim, look.trim, false);
    return atlasJpeg(canvas);
}

// A frame `border` wide round a picture, with its inner edge in shadow.
glm::vec3 framed(glm::vec2 st, float border, const glm::vec3& frameColour, const glm::vec3& inside)
{
    glm::vec2 e = glm::min(st, 1.0f - st);
    float d = std::fmin(e.x, e.y);
    if (d < border) {
        float bevel = glm::smoothstep(0.0f, border, d);
        return frameColour * (0.75f + 0.45f * std::sin(bevel * glm::pi<float>()));
    }
    return inside * (0.7f + 0.3f * glm::smoothstep(border, border + 0.04f, d));
}

// An arch opening (rectangle closed by a half circle) inside a part:
// positive inside, by how far in (in s units).
float archInside(glm::vec2 st, float halfWidth, float springing, float aspect)
{
    glm::vec2 p((st.x - 0.5f), st.y * aspect);
    float spring = springing * aspect;
    if (p.y <= spring)
        return std::fmin(halfWidth - std::fabs(p.x), p.y);
    return halfWidth - glm::length(p - glm::vec2(0.0f, spring));
}

// ---- The cellar -----------------------------------------------------------

RoomLook cellar()
{
    const glm::vec3 stoneGrey = rgb(118, 110, 100), mortar = rgb(58, 54, 50), oak = rgb(92, 62, 38);
    RoomLook look;
    look.floor = [=](glm::vec2 st) { return grime(st, flagstones(st, 3, rgb(104, 98, 90), 11), 0.25f, 12, 4.0f); };
    look.wall = [=](glm::vec2 st) {
        Bond bond = runningBond(st, {4, 6}, 0.07f);
        glm::vec3 c = stoneBlock(st, bond, stoneGrey, mortar, 21, 1);
        return grime(st, c, 0.2f, 22, 3.0f);
    };
    look.ceiling = [=](glm::vec2 st) { return planks(st, 6, rgb(70, 48, 30), 31); };
    look.beam = [=](glm::vec2 st) {
        glm::vec3 c = woodGrain({st.x, st.y}, oak * 0.8f, 41, 1);
        float knot = disc(st * glm::vec2(1.0f, 0.3f), {0.3f, 0.15f}, 0.04f, 0.03f);
        return glm::mix(c, oak * 0.35f, knot * 0.8f);
    };
    look.baseboard = [=](glm::vec2 st) {
        Bond bond = runningBond(st, {2, 1}, 0.08f);
        return stoneBlock(st, bond, rgb(80, 76, 70), mortar * 0.7f, 51, 1);
    };
    look.frieze = [=](glm::vec2 st) {
        glm::vec3 c = woodGrain({st.x, st.y}, oak, 61, 1);
        float groove = std::fabs(std::sin(st.y * 3.0f * glm::pi<float>()));
        return c * (0.7f + 0.3f * groove);
    };
    look.window = [=](glm::vec2 st) {
        glm::vec3 night = glm::mix(rgb(20, 28, 60), rgb(60, 70, 110), st.y);
        glm::vec3 sky = stars(st, night, 71, 28.0f);
        sky = glm::mix(sky, rgb(240, 236, 210), disc(st, {0.68f, 0.74f}, 0.09f, 0.01f));
        float hill = 0.22f + 0.06f * std::sin(st.x * 7.0f) + 0.03f * std::sin(st.x * 19.0f);
        sky = glm::mix(sky, rgb(12, 16, 24), glm::smoothstep(hill + 0.005f, hill - 0.005f, st.y));
        // Iron bars in front of the glass.
        glm::vec2 inner = (st - 0.14f) / 0.72f;
        float bar = 0.0f;
        for (float x : {0.25f, 0.5f, 0.75f})
            bar = std::fmax(bar, 1.0f - glm::smoothstep(0.012f, 0.02f, std::fabs(inner.x - x)));
        bar = std::fmax(bar, 1.0f - glm::smoothstep(0.012f, 0.02f, std::fabs(inner.y - 0.55f)));
        glm::vec3 glass = glm::mix(sky, rgb(40, 40, 44), bar);
        Bond bond = runningBond(st * glm::vec2(1.0f, 1.2f), {3, 5}, 0.08f);
        glm::vec3 frame = stoneBlock(st, bond, rgb(130, 122, 110), mortar, 72, 1);
        return framed(st, 0.14f, frame, glass);
    };
    look.doorway = [=](glm::vec2 st) {
        const float aspect = 2.75f / 1.8f;
        float inside = archInside(st, 0.34f, 0.62f, aspect);
        Bond wallBond = runningBond(st * glm::vec2(1.0f, aspect), {2, 8}, 0.07f);
        glm::vec3 wall = stoneBlock(st, wallBond, stoneGrey, mortar, 81, 1);
        if (inside > 0.0f) {
            // A bricked-up door: small dark bricks, deep in shadow.
            Bond bricks = runningBond(st * glm::vec2(1.0f, aspect), {6, 20}, 0.09f);
            glm::vec3 c = stoneBlock(st, bricks, rgb(96, 50, 40), mortar * 0.6f, 82, 1);
            return c * (0.45f + 0.4f * glm::smoothstep(0.0f, 0.15f, inside));
        }
        if (inside > -0.09f) {
            // Voussoirs: wedges round the opening.
            glm::vec2 p(st.x - 0.5f, st.y * aspect - 0.62f * aspect);
            float angle = p.y > 0.0f ? std::atan2(p.y, p.x) : (p.x < 0 ? glm::pi<float>() : 0.0f);
            float along = p.y > 0.0f ? angle / glm::pi<float>() * 9.0f : st.y * aspect * 5.0f;
            float wedge = std::fabs(std::fmod(along, 1.0f) - 0.5f);
            glm::vec3 stone = rgb(146, 136, 120) * (0.85f + 0.25f * noise::fractal(st * 12.0f, 3, 83));
            return glm::mix(stone, mortar, 1.0f - glm::smoothstep(0.02f, 0.05f, 0.5f - wedge));
        }
        return wall;
    };
    look.picture = [=](glm::vec2 st) {
        // An old oil painting of a robot under a full moon, in a gilt frame.
        glm::vec3 sky = glm::mix(rgb(40, 30, 40), rgb(120, 80, 60), 1.0f - st.y);
        sky = glm::mix(sky, rgb(250, 230, 180), disc(st, {0.7f, 0.72f}, 0.1f, 0.02f));
        float ground = 0.3f + 0.05f * std::sin(st.x * 9.0f);
        sky = glm::mix(sky, rgb(30, 34, 22), glm::smoothstep(ground + 0.01f, ground - 0.01f, st.y));
        float robot = std::fmax(box(st, {0.3f, 0.3f}, {0.42f, 0.5f}), disc(st, {0.36f, 0.56f}, 0.055f));
        robot = std::fmax(robot, box(st, {0.355f, 0.6f}, {0.365f, 0.66f}));
        sky = glm::mix(sky, rgb(20, 16, 18), robot);
        sky *= 0.85f + 0.2f * noise::fractal(st * 30.0f, 3, 91);
        return framed(st, 0.1f, rgb(190, 150, 60), sky);
    };
    look.pillar = [=](glm::vec2 st) {
        Bond bond = runningBond(st, {1, 3}, 0.06f);
        return stoneBlock(st, bond, rgb(140, 132, 120), mortar, 101, 1);
    };
    look.sill = [=](glm::vec2 st) { return rgb(120, 114, 104) * (0.85f + 0.25f * noise::fractal(st * 10.0f, 3, 111)); };
    look.trim = [=](glm::vec2 st) { return woodGrain(st, oak * 0.7f, 121, 1); };
    return look;
}

// ---- The pastel room ------------------------------------------------------

RoomLook fluffy()
{
    const glm::vec3 pink = rgb(250, 190, 215), mint = rgb(176, 234, 214), cream = rgb(255, 246, 226),
                    lavender = rgb(206, 190, 246), sky = rgb(168, 214, 250), white = rgb(252, 250, 250);
    RoomLook look;
    look.floor = [=](glm::vec2 st) {
        glm::vec3 c = carpet(st, pink, 211);
        // Soft diamonds woven into the carpet.
        glm::vec2 q = glm::fract(st * 4.0f) - 0.5f;
        float diamond = 1.0f - glm::smoothstep(0.2f, 0.24f, std::fabs(q.x) + std::fabs(q.y));
        return glm::mix(c, carpet(st, lavender, 212), diamond * 0.8f);
    };
    look.wall = [=](glm::vec2 st) {
        float stripe = std::fmod(st.x * 8.0f, 1.0f);
        glm::vec3 c = stripe < 0.5f ? mint : cream;
        c *= 0.97f + 0.04f * noise::value(st * 64.0f, 221, 64);
        // Little hearts in the cream stripes.
        glm::vec2 cell = glm::vec2(st.x * 8.0f, st.y * 6.0f);
        glm::vec2 local = glm::fract(cell) - glm::vec2(0.75f, 0.5f);
        bool shifted = static_cast<int>(std::floor(cell.y)) % 2 == 1;
        if (shifted)
            local.y = glm::fract(cell.y + 0.5f) - 0.5f;
        local *= glm::vec2(1.0f, 1.2f);
        float heart = 0.0f;
        glm::vec2 h(local.x * 5.0f, local.y * 5.0f + 0.25f);
        float f = h.x * h.x + std::pow(h.y - std::sqrt(std::fabs(h.x)) * 0.8f, 2.0f);
        heart = 1.0f - glm::smoothstep(0.55f, 0.65f, f);
        if (stripe >= 0.5f)
            c = glm::mix(c, rgb(255, 120, 160), heart);
        return c;
    };
    look.ceiling = [=](glm::vec2 st) { return clouds(st, sky, 231, 4); };
    look.beam = [=](glm::vec2 st) {
        float stripe = std::fmod((st.x * 4.0f + st.y) * 1.0f + 10.0f, 1.0f);
        glm::vec3 c = stripe < 0.5f ? white : pink;
        return c * (0.92f + 0.08f * std::sin(st.y * glm::pi<float>()));
    };
    look.baseboard = [=](glm::vec2 st) { return white * (0.8f + 0.2f * std::sin(st.y * glm::pi<float>())); };
    look.frieze = [=](glm::vec2 st) {
        // Bunting: a string of coloured flags.
        glm::vec3 c = cream;
        float string = 0.85f - 0.12f * std::sin(std::fmod(st.x * 2.0f, 1.0f) * glm::pi<float>());
        c = glm::mix(c, rgb(150, 120, 140), 1.0f - glm::smoothstep(0.008f, 0.02f, std::fabs(st.y - string)));
        float flagX = std::fmod(st.x * 10.0f, 1.0f);
        int flag = static_cast<int>(std::floor(st.x * 10.0f)) % 5;
        const glm::vec3 colours[5] = {rgb(255, 140, 170), rgb(130, 200, 255), rgb(255, 220, 110), rgb(150, 230, 160),
            rgb(200, 160, 255)};
        float top = string - 0.02f, depth = 0.45f;
        float inFlag = (st.y < top && st.y > top - depth * (1.0f - std::fabs(flagX - 0.5f) * 2.0f)) ? 1.0f : 0.0f;
        return glm::mix(c, colours[flag], inFlag);
    };
    look.window = [=](glm::vec2 st) {
        glm::vec3 c = glm::mix(rgb(150, 210, 255), rgb(220, 240, 255), st.y);
        c = clouds(st * glm::vec2(1.0f, 0.6f), c, 241, 3) * 0.5f + c * 0.5f;
        // A rainbow.
        float r = glm::length((st - glm::vec2(0.5f, 0.05f)) * glm::vec2(1.0f, 1.1f));
        const glm::vec3 bands[6] = {rgb(255, 90, 90), rgb(255, 170, 70), rgb(255, 240, 90), rgb(110, 220, 110),
            rgb(90, 160, 255), rgb(170, 110, 240)};
        float b = (0.62f - r) / 0.025f;
        if (b >= 0.0f && b < 6.0f)
            c = glm::mix(c, bands[static_cast<int>(b)], 0.75f);
        c = glm::mix(c, white, disc(st, {0.25f, 0.3f}, 0.09f, 0.03f));
        c = glm::mix(c, white, disc(st, {0.33f, 0.33f}, 0.1f, 0.03f));
        // White mullions and soft pink curtains.
        glm::vec2 inner = (st - 0.1f) / 0.8f;
        float mullion = std::fmax(1.0f - glm::smoothstep(0.015f, 0.025f, std::fabs(inner.x - 0.5f)),
            1.0f - glm::smoothstep(0.015f, 0.025f, std::fabs(inner.y - 0.6f)));
        c = glm::mix(c, white, mullion);
        glm::vec3 framedView = framed(st, 0.1f, white, c);
        float curtain = std::fmax(glm::smoothstep(0.2f, 0.16f, st.x), glm::smoothstep(0.8f, 0.84f, st.x));
        glm::vec3 fold = pink * (0.8f + 0.2f * std::sin(st.x * 90.0f));
        return glm::mix(framedView, fold, curtain * glm::smoothstep(0.05f, 0.1f, st.y));
    };
    look.doorway = [=](glm::vec2 st) {
        const float aspect = 2.75f / 1.8f;
        float inside = archInside(st, 0.34f, 0.62f, aspect);
        glm::vec3 wall = look.wall(st * glm::vec2(0.9f, 1.15f));
        if (inside > 0.0f) {
            glm::vec3 c = glm::mix(lavender, rgb(150, 130, 220), st.y);
            return stars(st, c, 251, 14.0f);
        }
        if (inside > -0.1f) {
            const glm::vec3 bands[5] = {rgb(255, 120, 150), rgb(255, 200, 110), rgb(255, 245, 140), rgb(140, 225, 160),
                rgb(130, 190, 255)};
            return bands[std::min(4, static_cast<int>(-inside / 0.02f))];
        }
        return wall;
    };
    look.picture = [=](glm::vec2 st) {
        // A child's drawing of a smiling robot.
        glm::vec3 paper = rgb(255, 252, 240);
        float head = roundedBox(st, {0.32f, 0.5f}, {0.68f, 0.78f}, 0.05f);
        float body = roundedBox(st, {0.28f, 0.18f}, {0.72f, 0.48f}, 0.05f);
        glm::vec3 c = glm::mix(paper, rgb(150, 200, 255), head);
        c = glm::mix(c, rgb(255, 170, 200), body);
        c = glm::mix(c, rgb(60, 60, 90), disc(st, {0.42f, 0.66f}, 0.03f) + disc(st, {0.58f, 0.66f}, 0.03f));
        float smile = std::fabs(glm::length(st - glm::vec2(0.5f, 0.62f)) - 0.08f) < 0.012f && st.y < 0.6f ? 1.0f : 0.0f;
        c = glm::mix(c, rgb(60, 60, 90), smile);
        c = glm::mix(c, rgb(255, 220, 90), disc(st, {0.5f, 0.86f}, 0.035f));
        c = glm::mix(c, rgb(120, 120, 140), box(st, {0.495f, 0.78f}, {0.505f, 0.84f}));
        return framed(st, 0.08f, rgb(255, 170, 200), c);
    };
    look.pillar = [=](glm::vec2 st) {
        float stripe = std::fmod(st.x + st.y * 2.0f + 10.0f, 1.0f);
        return (stripe < 0.5f ? pink : white) * (0.9f + 0.1f * std::sin(st.x * glm::pi<float>()));
    };
    look.sill = [=](glm::vec2) { return white; };
    look.trim = [=](glm::vec2 st) { return pink * (0.9f + 0.1f * st.y); };
    return look;
}

// ---- The sci-fi deck ------------------------------------------------------

RoomLook scifi()
{
    const glm::vec3 steel = rgb(92, 100, 112), dark = rgb(34, 38, 46), cyan = rgb(80, 230, 255), magenta = rgb(255, 70, 200),
                    hazardYellow = rgb(250, 200, 40);
    auto glowLine = [](float distance, float width) { return 1.0f - glm::smoothstep(width * 0.5f, width, distance); };
    RoomLook look;
    look.floor = [=](glm::vec2 st) {
        glm::vec3 c = metalPanel(st, rgb(70, 76, 86), {2, 2}, {2.0f, 2.0f}, 311);
        // Grating in the middle of each plate.
        glm::vec2 local = glm::fract(st * 2.0f);
        if (box(local, {0.3f, 0.3f}, {0.7f, 0.7f}, 0.002f) > 0.5f) {
            float slot = std::fabs(std::fmod(local.x * 12.0f, 1.0f) - 0.5f);
            c = glm::mix(dark * 0.5f, c, glm::smoothstep(0.2f, 0.28f, slot));
        }
        glm::vec2 e = glm::min(local, 1.0f - local);
        return glm::mix(c, cyan, glowLine(std::fmin(e.x, e.y), 0.012f) * 0.9f);
    };
    look.wall = [=](glm::vec2 st) {
        glm::vec3 c = metalPanel(st, steel, {2, 2}, {2.0f, 2.4f}, 321);
        glm::vec2 local = glm::fract(st * 2.0f);
        // A light strip across each panel and vents below it.
        c = glm::mix(c, glm::mix(cyan, glm::vec3(1.0f), 0.3f), glowLine(std::fabs(local.y - 0.7f), 0.03f));
        if (box(local, {0.2f, 0.15f}, {0.8f, 0.35f}, 0.002f) > 0.5f) {
            float slot = std::fabs(std::fmod(local.y * 20.0f, 1.0f) - 0.5f);
            c = glm::mix(dark, c * 0.8f, glm::smoothstep(0.25f, 0.32f, slot));
        }
        return c;
    };
    look.ceiling = [=](glm::vec2 st) {
        glm::vec3 c = metalPanel(st, dark * 1.4f, {2, 2}, {2.0f, 2.0f}, 331);
        glm::vec2 local = glm::fract(st * 2.0f);
        float light = roundedBox(local, {0.3f, 0.3f}, {0.7f, 0.7f}, 0.05f);
        return glm::mix(c, glm::vec3(0.92f, 0.97f, 1.0f), light);
    };
    look.beam = [=](glm::vec2 st) {
        glm::vec3 c = brushed(st, rgb(130, 136, 146), 341);
        glm::vec2 q(std::fmod(st.x * 4.0f, 1.0f), st.y);
        float hole = disc(q * glm::vec2(1.0f, 0.6f), {0.5f, 0.3f}, 0.18f, 0.02f);
        c = glm::mix(c, dark * 0.5f, hole);
        float edge = std::fmin(st.y, 1.0f - st.y);
        return c * (0.6f + 0.4f * glm::smoothstep(0.0f, 0.12f, edge));
    };
    look.baseboard = [=](glm::vec2 st) {
        glm::vec3 c = brushed(st, dark, 351);
        return glm::mix(c, cyan, glowLine(std::fabs(st.y - 0.6f), 0.08f));
    };
    look.frieze = [=](glm::vec2 st) {
        glm::vec3 c = brushed(st, dark * 1.2f, 361);
        c = glm::mix(c, glm::mix(magenta, glm::vec3(1.0f), 0.25f), glowLine(std::fabs(st.y - 0.3f), 0.12f));
        return glm::mix(c, cyan, glowLine(std::fabs(st.y - 0.75f), 0.05f));
    };
    look.window = [=](glm::vec2 st) {
        // A porthole onto space with a ringed planet.
        glm::vec2 p = st - 0.5f;
        float r = glm::length(p);
        glm::vec3 space = stars(st, rgb(4, 6, 18), 371, 30.0f);
        glm::vec2 planet = st - glm::vec2(0.6f, 0.42f);
        float body = disc(st, {0.6f, 0.42f}, 0.16f, 0.005f);
        glm::vec3 surface = glm::mix(rgb(210, 120, 80), rgb(240, 200, 150), 0.5f + 0.5f * std::sin(planet.y * 60.0f));
        surface *= 0.4f + 0.6f * glm::clamp(0.5f - planet.x * 3.0f + planet.y * 3.0f, 0.0f, 1.0f);
        space = glm::mix(space, surface, body);
        float ring = std::fabs(glm::length(planet * glm::vec2(1.0f, 3.2f)) - 0.25f);
        if (ring < 0.02f && (planet.y < 0.0f || body < 0.5f))
            space = glm::mix(space, rgb(230, 210, 180), 0.8f);
        glm::vec3 rim = brushed(st, steel * 1.2f, 372);
        float bolts = 0.0f;
        for (int i = 0; i < 8; ++i) {
            float a = static_cast<float>(i) * glm::pi<float>() / 4.0f;
            bolts = std::fmax(bolts, disc(st, glm::vec2(0.5f) + 0.43f * glm::vec2(std::cos(a), std::sin(a)), 0.018f));
        }
        rim = glm::mix(rim, dark, bolts);
        glm::vec3 c = r < 0.36f ? space : r < 0.47f ? rim * (0.7f + 0.6f * (0.47f - r) / 0.11f) : steel * 0.9f;
        return glm::mix(c, cyan, glowLine(std::fabs(r - 0.365f), 0.01f));
    };
    look.doorway = [=](glm::vec2 st) {
        const float aspect = 2.75f / 1.8f;
        glm::vec2 p(st.x, st.y * aspect);
        bool opening = std::fabs(st.x - 0.5f) < 0.34f && st.y < 0.86f;
        if (!opening) {
            float edge = std::fmin(std::fabs(std::fabs(st.x - 0.5f) - 0.34f), st.y < 0.86f ? 1.0f : std::fabs(st.y - 0.86f));
            if (edge < 0.06f)
                return hazard(p * 2.0f, hazardYellow, dark, 4.0f);
            return look.wall(st);
        }
        // Sealed blast doors with a split line and a status lamp.
        glm::vec3 c = metalPanel(st, steel * 0.9f, {2, 3}, {1.0f, 1.5f}, 381, true);
        c = glm::mix(c, dark * 0.5f, 1.0f - glm::smoothstep(0.003f, 0.006f, std::fabs(st.x - 0.5f)));
        return lamp(st * glm::vec2(1.0f, aspect), {0.5f, 0.93f * aspect}, 0.05f, rgb(255, 60, 60), c);
    };
    look.picture = [=](glm::vec2 st) {
        // A monitor with a sound wave on a grid.
        glm::vec3 screen = rgb(6, 20, 16);
        glm::vec2 g = glm::fract(st * 8.0f);
        screen = glm::mix(screen, rgb(20, 70, 50), 1.0f - glm::smoothstep(0.02f, 0.05f, std::fmin(g.x, g.y)));
        float wave = 0.5f + 0.18f * std::sin(st.x * 25.0f) * std::sin(st.x * 3.0f + 1.0f);
        screen = glm::mix(screen, rgb(90, 255, 160), 1.0f - glm::smoothstep(0.006f, 0.02f, std::fabs(st.y - wave)));
        return framed(st, 0.07f, rgb(60, 64, 72), screen);
    };
    look.pillar = [=](glm::vec2 st) {
        glm::vec3 c = metalPanel(st, steel * 1.1f, {1, 1}, {0.45f, 1.4f}, 391);
        return glm::mix(c, cyan, glowLine(std::fabs(st.x - 0.5f), 0.06f));
    };
    look.sill = [=](glm::vec2 st) { return brushed(st, steel, 401); };
    look.trim = [=](glm::vec2 st) { return brushed(st, dark * 1.3f, 411); };
    return look;
}

} // namespace

Bytes makeCellarTexture() { return paintRoom(cellar()); }
Bytes makeFluffyTexture() { return paintRoom(fluffy()); }
Bytes makeScifiTexture() { return paintRoom(scifi()); }

} // namespace assetgen::models
