// Paint of the door: pale birch with four bevelled panels, a brass knob,
// black iron hinges and a gilded frame. The door appears only once a level is
// solved, in a dim corner of the room, and it glows: light paint is what
// makes it stand out there and spread a halo.
#include "../Noise.h"
#include "Atlas.h"
#include "DoorLayout.h"
#include "Materials.h"
#include "Models.h"
#include "Paint.h"

#include <cmath>

namespace assetgen::models {

namespace {

using namespace paint;

const glm::vec3 oak = rgb(226, 200, 156);
const glm::vec3 gilt = rgb(255, 214, 122);

glm::vec3 doorFace(glm::vec2 st)
{
    // Grain runs up the stiles and across the rails.
    glm::vec3 c = materials::woodGrain({st.y * 2.0f, st.x * 3.0f}, oak, 501, 2);
    for (const auto& p : door::panels) {
        glm::vec2 lo(p[0], p[1]), hi(p[2], p[3]);
        float inside = box(st, lo, hi, 0.002f);
        if (inside <= 0.0f)
            continue;
        glm::vec2 e = glm::min(st - lo, hi - st) * glm::vec2(1.0f, 2.3f / 1.2f);
        float edge = std::fmin(e.x, e.y);
        glm::vec3 panel = materials::woodGrain({st.y * 2.0f + 3.0f, st.x * 5.0f}, oak * 1.08f, 502, 2);
        // A bevel: lit on the upper left, shaded on the lower right.
        float bevel = 1.0f - glm::smoothstep(0.0f, 0.035f, edge);
        float light = (e.x < e.y) == (st.x - lo.x < hi.x - st.x) ? 1.15f : 0.75f;
        panel *= glm::mix(1.0f, light, bevel);
        panel *= 1.0f - 0.35f * (1.0f - glm::smoothstep(0.0f, 0.006f, edge));
        c = glm::mix(c, panel, inside);
    }
    // The keyhole under the knob.
    c = glm::mix(c, rgb(20, 14, 10), disc(st * glm::vec2(1.0f, 1.92f), {0.85f, 0.43f * 1.92f}, 0.012f));
    return grime(st, c, 0.15f, 503, 5.0f);
}

} // namespace

Bytes makeDoorTexture()
{
    Canvas canvas = atlasCanvas(512, oak * 0.5f);
    paintCell(canvas, door::front, doorFace);
    paintCell(canvas, door::edge, [](glm::vec2 st) { return materials::woodGrain(st * 2.0f, oak * 0.85f, 511, 2); });
    paintCell(canvas, door::brass, [](glm::vec2 st) {
        return glm::mix(rgb(200, 160, 70), rgb(255, 230, 150), 0.5f + 0.5f * std::sin(st.x * 9.0f + st.y * 4.0f));
    });
    paintCell(canvas, door::iron, [](glm::vec2 st) { return brushed(st, rgb(40, 40, 42), 521); });
    paintCell(canvas, door::frame, [](glm::vec2 st) {
        glm::vec3 c = materials::woodGrain({st.y * 2.0f, st.x * 2.0f}, gilt, 531, 2);
        return c * (0.85f + 0.15f * std::sin(st.x * 3.1415926f));
    });
    return atlasJpeg(canvas);
}

} // namespace assetgen::models
